// A screen-sized grid of cells that the painters draw into and the terminal shows in one go.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "CellLayout.h"
#include "Glyphs.h"

namespace tui {

enum Attr : uint8_t { kNormal = 0, kBold = 1, kDim = 2, kReverse = 4, kUnderline = 8 };

struct Cell {
    char utf8[5];    // empty for the right half of a full-width character
    uint8_t attr;
};

class Canvas {
public:
    void Resize(int width, int height);
    void Clear();
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Draws glyphs from `col` within [clip.col, clip.col + clip.width); a full-width glyph that
    // would straddle the clip edge shows as a blank. Returns the column after the last glyph.
    int PutGlyphs(int col, int row, const std::vector<Glyph>& glyphs, uint8_t attr, const CellRect& clip);
    int PutUtf8(int col, int row, const std::string& utf8, uint8_t attr, const CellRect& clip);
    void Fill(const CellRect& rect, const char* utf8, uint8_t attr);
    void AddAttr(const CellRect& rect, uint8_t attr);
    // A single-line frame around the rectangle.
    void Box(const CellRect& rect, uint8_t attr);

    const Cell& At(int col, int row) const { return cells_[static_cast<size_t>(row) * width_ + col]; }
    // The row as plain UTF-8, for tests and the size notice.
    std::string RowText(int row) const;

    // Where the terminal cursor should stand; hidden when col is negative.
    int cursorCol = -1;
    int cursorRow = -1;

private:
    Cell& CellAt(int col, int row) { return cells_[static_cast<size_t>(row) * width_ + col]; }
    void Set(int col, int row, const char* utf8, uint8_t attr);

    int width_ = 0;
    int height_ = 0;
    std::vector<Cell> cells_;
};

CellRect Intersect(const CellRect& a, const CellRect& b);

}  // namespace tui
