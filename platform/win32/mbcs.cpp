// The C run-time's code page 932 byte tables, byte-counted copy and path splitting.
#include <cstring>
#include <string_view>

#include "crtext.h"
#include "host/Codepage.h"

namespace {

// Copies `part` into `out` of `capacity` bytes with its NUL, cutting only between characters.
void CopyPart(std::string_view part, char* out, size_t capacity)
{
    if (out == nullptr) {
        return;
    }
    size_t length = 0;
    while (length < part.size()) {
        size_t next = length + host::Cp932CharLength(part, length);
        if (next > capacity - 1) {
            break;
        }
        length = next;
    }
    part.copy(out, length);
    out[length] = '\0';
}

}  // namespace

int _ismbblead(unsigned int c)
{
    return c <= 0xFF && host::IsCp932Lead(static_cast<unsigned char>(c)) ? 1 : 0;
}

int _ismbbtrail(unsigned int c)
{
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC) ? 1 : 0;
}

unsigned char* _mbsnbcpy(unsigned char* destination, const unsigned char* source, size_t count)
{
    size_t i = 0;
    while (i < count && source[i] != 0) {
        if (_ismbblead(source[i])) {
            // A lead byte goes only together with its trail byte.
            if (i + 1 >= count || source[i + 1] == 0) {
                break;
            }
            destination[i] = source[i];
            destination[i + 1] = source[i + 1];
            i += 2;
        } else {
            destination[i] = source[i];
            ++i;
        }
    }
    for (; i < count; ++i) {
        destination[i] = 0;
    }
    return destination;
}

void _splitpath(const char* path, char* drive, char* dir, char* name, char* ext)
{
    std::string_view text = path != nullptr ? path : "";
    std::string_view drivePart;
    if (text.size() >= 2 && text[1] == ':' && !host::IsCp932Lead(static_cast<unsigned char>(text[0]))) {
        drivePart = text.substr(0, 2);
        text.remove_prefix(2);
    }
    // The folder runs up to the last separator and the extension from the last dot after it;
    // both are found walking characters, so trail bytes 0x5C never count.
    size_t folderEnd = 0;
    size_t lastDot = std::string_view::npos;
    for (size_t i = 0; i < text.size(); i += host::Cp932CharLength(text, i)) {
        if (host::Cp932CharLength(text, i) == 2) {
            continue;
        }
        if (text[i] == '\\' || text[i] == '/') {
            folderEnd = i + 1;
            lastDot = std::string_view::npos;
        } else if (text[i] == '.') {
            lastDot = i;
        }
    }
    std::string_view folder = text.substr(0, folderEnd);
    std::string_view file = text.substr(folderEnd);
    size_t dot = lastDot == std::string_view::npos ? file.size() : lastDot - folderEnd;
    CopyPart(drivePart, drive, _MAX_DRIVE);
    CopyPart(folder, dir, _MAX_DIR);
    CopyPart(file.substr(0, dot), name, _MAX_FNAME);
    CopyPart(file.substr(dot), ext, _MAX_EXT);
}
