// CString: the framework's ANSI string, holding code page 932 bytes.
#pragma once

#include <string>

#include "../win32/windows.h"

class CString {
public:
    CString() = default;
    CString(LPCSTR text);                 // null gives an empty string
    CString(LPCSTR text, int length);
    CString(char ch, int repeat);
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCSTR text);

    // No accidental conversions from numbers: format them.
    CString(int) = delete;
    CString& operator=(int) = delete;
    CString& operator+=(int) = delete;

    int GetLength() const { return static_cast<int>(data_.size()); }
    BOOL IsEmpty() const { return data_.empty(); }
    void Empty() { data_.clear(); }
    operator LPCSTR() const { return data_.c_str(); }
    char GetAt(int index) const { return data_[static_cast<size_t>(index)]; }
    char operator[](int index) const { return GetAt(index); }
    void SetAt(int index, char ch) { data_[static_cast<size_t>(index)] = ch; }

    CString& operator+=(const CString& text);
    CString& operator+=(LPCSTR text);
    CString& operator+=(char ch);

    int Compare(LPCSTR text) const;
    int CompareNoCase(LPCSTR text) const;

    // Searches walk code page 932 characters from the start, so a match never begins
    // at a trail byte. -1 when not found.
    int Find(char ch, int start = 0) const;
    int Find(LPCSTR text, int start = 0) const;
    int ReverseFind(char ch) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    // Replaces every non-overlapping occurrence, left to right; returns the count.
    int Replace(LPCSTR oldText, LPCSTR newText);
    int Remove(char ch);

    void Format(LPCSTR format, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(LPCSTR format, ...) __attribute__((format(printf, 2, 3)));

    // Direct access for C APIs: at least minLength bytes plus a terminator;
    // ReleaseBuffer(-1) takes the length up to the first NUL.
    LPSTR GetBuffer(int minLength);
    LPSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    BOOL LoadString(UINT id);

    const std::string& Str() const { return data_; }

private:
    std::string data_;
};

CString operator+(const CString& left, const CString& right);
CString operator+(const CString& left, LPCSTR right);
CString operator+(LPCSTR left, const CString& right);
CString operator+(const CString& left, char right);
CString operator+(const CString&, int) = delete;
CString operator+(int, const CString&) = delete;

bool operator==(const CString& left, const CString& right);
bool operator==(const CString& left, LPCSTR right);
bool operator!=(const CString& left, const CString& right);
bool operator!=(const CString& left, LPCSTR right);
