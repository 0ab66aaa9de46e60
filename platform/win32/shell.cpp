// Shell path services: roots of drive and network paths, walked a CP932 character at a time.
#include <string_view>

#include "host/Codepage.h"
#include "shlwapi.h"

namespace {

bool IsSeparator(char ch) { return ch == '\\' || ch == '/'; }

// Index after the next separator that starts a character, from `at`; npos when none.
size_t AfterNextSeparator(std::string_view text, size_t at)
{
    for (size_t i = at; i < text.size(); i += host::Cp932CharLength(text, i)) {
        if (host::Cp932CharLength(text, i) == 1 && IsSeparator(text[i])) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

bool IsDriveLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }

// Length of the root that PathStripToRootA keeps: "C:\", "C:", "\\server\share", "\\server", "\";
// 0 for a relative path.
size_t RootLength(std::string_view text)
{
    if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) {
        size_t share = AfterNextSeparator(text, 2);
        if (share == std::string_view::npos) {
            return text.size();
        }
        size_t end = AfterNextSeparator(text, share);
        return end == std::string_view::npos ? text.size() : end - 1;
    }
    if (text.size() >= 2 && IsDriveLetter(text[0]) && text[1] == ':') {
        return text.size() >= 3 && IsSeparator(text[2]) ? 3 : 2;
    }
    return !text.empty() && IsSeparator(text[0]) ? 1 : 0;
}

}  // namespace

LPSTR PathSkipRootA(LPCSTR path)
{
    if (path == nullptr) {
        return nullptr;
    }
    std::string_view text = path;
    LPSTR start = const_cast<LPSTR>(path);
    if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) {
        size_t share = AfterNextSeparator(text, 2);
        if (share == std::string_view::npos || share == 3 || share == text.size()) {
            return nullptr;
        }
        size_t rest = AfterNextSeparator(text, share);
        return start + (rest == std::string_view::npos ? text.size() : rest);
    }
    if (text.size() >= 3 && IsDriveLetter(text[0]) && text[1] == ':' && IsSeparator(text[2])) {
        return start + 3;
    }
    if (!text.empty() && IsSeparator(text[0])) {
        return start + 1;
    }
    return nullptr;
}

BOOL PathStripToRootA(LPSTR path)
{
    if (path == nullptr) {
        return FALSE;
    }
    size_t length = RootLength(path);
    path[length] = '\0';
    return length > 0 ? TRUE : FALSE;
}

BOOL PathIsDirectoryA(LPCSTR path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
               ? FILE_ATTRIBUTE_DIRECTORY
               : FALSE;
}

BOOL PathFileExistsA(LPCSTR path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES ? TRUE : FALSE;
}
