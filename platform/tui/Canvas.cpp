// A screen-sized grid of cells that the painters draw into and the terminal shows in one go.
#include "Canvas.h"

#include "Utf8Literal.h"

#include <algorithm>
#include <cstring>

namespace tui {

CellRect Intersect(const CellRect& a, const CellRect& b)
{
    int left = std::max(a.col, b.col);
    int top = std::max(a.row, b.row);
    int right = std::min(a.col + a.width, b.col + b.width);
    int bottom = std::min(a.row + a.height, b.row + b.height);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

void Canvas::Resize(int width, int height)
{
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    cells_.assign(static_cast<size_t>(width_) * height_, Cell{});
    Clear();
}

void Canvas::Clear()
{
    for (Cell& cell : cells_) {
        std::memcpy(cell.utf8, " ", 2);
        cell.attr = kNormal;
    }
    cursorCol = cursorRow = -1;
}

void Canvas::Set(int col, int row, const char* utf8, uint8_t attr)
{
    if (col < 0 || row < 0 || col >= width_ || row >= height_) return;
    Cell& cell = CellAt(col, row);
    // Overwriting half of a full-width character leaves a blank in its other half.
    if (cell.utf8[0] == 0 && col > 0) std::memcpy(CellAt(col - 1, row).utf8, " ", 2);
    if (col + 1 < width_ && CellAt(col + 1, row).utf8[0] == 0) std::memcpy(CellAt(col + 1, row).utf8, " ", 2);
    std::strncpy(cell.utf8, utf8, sizeof cell.utf8 - 1);
    cell.utf8[sizeof cell.utf8 - 1] = 0;
    cell.attr = attr;
}

int Canvas::PutGlyphs(int col, int row, const std::vector<Glyph>& glyphs, uint8_t attr, const CellRect& clip)
{
    CellRect area = Intersect(clip, {0, 0, width_, height_});
    if (row < area.row || row >= area.row + area.height) return col;
    int right = area.col + area.width;
    for (const Glyph& glyph : glyphs) {
        if (col >= right) break;
        if (col + glyph.width <= area.col) {
            col += glyph.width;
            continue;
        }
        if (col < area.col || col + glyph.width > right) {
            for (int c = std::max(col, area.col); c < std::min(col + glyph.width, right); ++c) Set(c, row, " ", attr);
        } else {
            Set(col, row, glyph.utf8, attr);
            if (glyph.width == 2) {
                Set(col + 1, row, " ", attr);
                CellAt(col + 1, row).utf8[0] = 0;
            }
        }
        col += glyph.width;
    }
    return col;
}

int Canvas::PutUtf8(int col, int row, const std::string& utf8, uint8_t attr, const CellRect& clip)
{
    return PutGlyphs(col, row, SplitUtf8(utf8), attr, clip);
}

void Canvas::Fill(const CellRect& rect, const char* utf8, uint8_t attr)
{
    CellRect area = Intersect(rect, {0, 0, width_, height_});
    for (int r = area.row; r < area.row + area.height; ++r)
        for (int c = area.col; c < area.col + area.width; ++c) Set(c, r, utf8, attr);
}

void Canvas::AddAttr(const CellRect& rect, uint8_t attr)
{
    CellRect area = Intersect(rect, {0, 0, width_, height_});
    for (int r = area.row; r < area.row + area.height; ++r)
        for (int c = area.col; c < area.col + area.width; ++c) CellAt(c, r).attr |= attr;
}

void Canvas::Box(const CellRect& rect, uint8_t attr)
{
    if (rect.width < 2 || rect.height < 2) return;
    int right = rect.col + rect.width - 1;
    int bottom = rect.row + rect.height - 1;
    for (int c = rect.col + 1; c < right; ++c) {
        Set(c, rect.row, U8(u8"─"), attr);
        Set(c, bottom, U8(u8"─"), attr);
    }
    for (int r = rect.row + 1; r < bottom; ++r) {
        Set(rect.col, r, U8(u8"│"), attr);
        Set(right, r, U8(u8"│"), attr);
    }
    Set(rect.col, rect.row, U8(u8"┌"), attr);
    Set(right, rect.row, U8(u8"┐"), attr);
    Set(rect.col, bottom, U8(u8"└"), attr);
    Set(right, bottom, U8(u8"┘"), attr);
}

std::string Canvas::RowText(int row) const
{
    std::string text;
    if (row < 0 || row >= height_) return text;
    for (int c = 0; c < width_; ++c) text += At(c, row).utf8;
    return text;
}

}  // namespace tui
