// The remembered-destinations file: read whole, entries found at line starts, replaced atomically.
#include "RememberedDestinationsFile.h"

#include <windows.h>

#include <cstring>

namespace {

// Far above what one line per user and data set ever needs; a larger file is not ours to rewrite.
const DWORD largestFile = 1024 * 1024;

}  // namespace

BOOL RememberedDestinationsFile::Exists() const
{
    return GetFileAttributesA(path_) != INVALID_FILE_ATTRIBUTES;
}

BOOL RememberedDestinationsFile::Load()
{
    text_.Empty();
    DWORD attributes = GetFileAttributesA(path_);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return FALSE;
    HANDLE file = CreateFileA(path_, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD size = GetFileSize(file, nullptr);
    BOOL loaded = FALSE;
    if (size != INVALID_FILE_ATTRIBUTES && size <= largestFile) {
        CString text;
        LPSTR buffer = text.GetBufferSetLength(static_cast<int>(size));
        DWORD read = 0;
        if (ReadFile(file, buffer, size, &read, nullptr) && read == size) {
            text.ReleaseBuffer(static_cast<int>(size));
            text_ = text;
            loaded = TRUE;
        }
    }
    CloseHandle(file);
    return loaded;
}

// Offset of the line that starts with `key`, or -1. Only line starts count, so the key of user
// "B" never matches inside the entry of user "AB".
int RememberedDestinationsFile::FindLine(LPCSTR key) const
{
    int keyLength = static_cast<int>(strlen(key));
    LPCSTR text = text_;
    int length = text_.GetLength();
    for (int start = 0; start < length;) {
        if (length - start >= keyLength && memcmp(text + start, key, static_cast<size_t>(keyLength)) == 0)
            return start;
        const void* lineFeed = memchr(text + start, '\n', static_cast<size_t>(length - start));
        if (lineFeed == nullptr)
            break;
        start = static_cast<int>(static_cast<LPCSTR>(lineFeed) - text) + 1;
    }
    return -1;
}

BOOL RememberedDestinationsFile::FindValue(LPCSTR key, CString& value) const
{
    int start = FindLine(key);
    if (start < 0)
        return FALSE;
    int valueStart = start + static_cast<int>(strlen(key));
    int lineFeed = text_.Find('\n', valueStart);
    value = lineFeed < 0 ? text_.Mid(valueStart) : text_.Mid(valueStart, lineFeed - valueStart);
    return TRUE;
}

void RememberedDestinationsFile::PutLast(LPCSTR key, LPCSTR line)
{
    int start = FindLine(key);
    if (start >= 0) {
        int lineFeed = text_.Find('\n', start);
        CString after = lineFeed < 0 ? CString() : text_.Mid(lineFeed + 1);
        text_ = text_.Left(start) + after;
    }
    // A hand-edited last line without its line feed must not swallow the new entry.
    if (!text_.IsEmpty() && text_[text_.GetLength() - 1] != '\n')
        text_ += '\n';
    text_ += line;
}

BOOL RememberedDestinationsFile::Store() const
{
    CString temporary = path_ + ".new";
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD size = static_cast<DWORD>(text_.GetLength());
    DWORD written = 0;
    BOOL complete = WriteFile(file, static_cast<LPCSTR>(text_), size, &written, nullptr) && written == size
        && FlushFileBuffers(file);
    complete = CloseHandle(file) && complete;
    if (!complete || !MoveFileExA(temporary, path_, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporary);
        return FALSE;
    }
    return TRUE;
}
