// CP932 texts split into terminal glyphs with their display widths and byte positions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tui {

struct Glyph {
    char utf8[5];      // NUL-terminated
    int width;         // terminal cells: 1, or 2 for a full-width character
    int byteOffset;    // into the CP932 text
    int byteLength;    // 1 or 2
};

// Walks the text from its start, a lead byte with its trail byte as one character. Control
// characters and bytes without a CP932 form show as one-cell replacements, never vanish.
std::vector<Glyph> SplitGlyphs(std::string_view cp932);
int DisplayWidth(const std::vector<Glyph>& glyphs);

// "月度(&S)" -> "月度(S)", "A&&B" -> "A&B": the mnemonic marker is not shown.
std::string StripMnemonic(std::string_view cp932);

// Cuts a UTF-8 text into glyphs the same way (terminal input, host file names).
std::vector<Glyph> SplitUtf8(std::string_view utf8);

}  // namespace tui
