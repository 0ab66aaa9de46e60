// CP932 texts split into terminal glyphs with their display widths and byte positions.
#include "Glyphs.h"

#include <cstring>
#include <cwchar>

#include "host/Codepage.h"

namespace tui {

namespace {

bool IsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

void SetUtf8(Glyph& glyph, std::string_view utf8)
{
    std::memset(glyph.utf8, 0, sizeof glyph.utf8);
    std::memcpy(glyph.utf8, utf8.data(), utf8.size() < 4 ? utf8.size() : 4);
}

// Width of one UTF-8 character; what the terminal cannot show becomes a one-cell '?'.
void MeasureOne(Glyph& glyph)
{
    std::mbstate_t state{};
    wchar_t wide = 0;
    size_t used = std::mbrtowc(&wide, glyph.utf8, std::strlen(glyph.utf8), &state);
    int width = (used == static_cast<size_t>(-1) || used == static_cast<size_t>(-2)) ? -1 : wcwidth(wide);
    if (width < 1) {
        SetUtf8(glyph, "?");
        width = 1;
    }
    glyph.width = width > 2 ? 2 : width;
}

}  // namespace

std::vector<Glyph> SplitGlyphs(std::string_view cp932)
{
    std::vector<Glyph> glyphs;
    glyphs.reserve(cp932.size());
    size_t i = 0;
    while (i < cp932.size()) {
        auto c = static_cast<unsigned char>(cp932[i]);
        size_t length = (IsLead(c) && i + 1 < cp932.size() && IsTrail(static_cast<unsigned char>(cp932[i + 1]))) ? 2 : 1;
        Glyph glyph{};
        glyph.byteOffset = static_cast<int>(i);
        glyph.byteLength = static_cast<int>(length);
        if (length == 1 && c < 0x80) {
            char ascii[2] = {static_cast<char>(c), 0};
            SetUtf8(glyph, ascii);
        } else {
            SetUtf8(glyph, host::Cp932ToUtf8(cp932.substr(i, length)));
        }
        MeasureOne(glyph);
        glyphs.push_back(glyph);
        i += length;
    }
    return glyphs;
}

std::vector<Glyph> SplitUtf8(std::string_view utf8)
{
    std::vector<Glyph> glyphs;
    size_t i = 0;
    while (i < utf8.size()) {
        auto c = static_cast<unsigned char>(utf8[i]);
        size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (i + length > utf8.size()) length = utf8.size() - i;
        Glyph glyph{};
        glyph.byteOffset = static_cast<int>(i);
        glyph.byteLength = static_cast<int>(length);
        SetUtf8(glyph, utf8.substr(i, length));
        MeasureOne(glyph);
        glyphs.push_back(glyph);
        i += length;
    }
    return glyphs;
}

int DisplayWidth(const std::vector<Glyph>& glyphs)
{
    int width = 0;
    for (const Glyph& glyph : glyphs) width += glyph.width;
    return width;
}

std::string StripMnemonic(std::string_view cp932)
{
    std::string shown;
    shown.reserve(cp932.size());
    size_t i = 0;
    while (i < cp932.size()) {
        auto c = static_cast<unsigned char>(cp932[i]);
        if (IsLead(c) && i + 1 < cp932.size()) {
            shown.append(cp932.substr(i, 2));
            i += 2;
            continue;
        }
        if (c == '&') {
            if (i + 1 < cp932.size() && cp932[i + 1] == '&') {
                shown.push_back('&');
                i += 2;
            } else {
                ++i;
            }
            continue;
        }
        shown.push_back(static_cast<char>(c));
        ++i;
    }
    return shown;
}

}  // namespace tui
