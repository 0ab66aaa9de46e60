// CString over code page 932 bytes: searches step over double-byte characters.
#include "afxstr.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "afxwin.h"

namespace {

bool IsLead(char ch)
{
    unsigned char byte = static_cast<unsigned char>(ch);
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Bytes of the character at `at`: a lead byte with a byte after it makes two.
size_t CharLength(const std::string& text, size_t at)
{
    return IsLead(text[at]) && at + 1 < text.size() ? 2 : 1;
}

char AsciiLower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

// First character start at or after `start` where `needle` begins; npos when none.
size_t FindAtCharacter(const std::string& text, std::string_view needle, size_t start)
{
    for (size_t i = 0; i + needle.size() <= text.size(); i += CharLength(text, i)) {
        if (i >= start && text.compare(i, needle.size(), needle) == 0) {
            return i;
        }
    }
    return std::string::npos;
}

std::string FormatV(LPCSTR format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0) {
        return std::string();
    }
    std::string out(static_cast<size_t>(length), '\0');
    std::vsnprintf(out.data(), out.size() + 1, format, args);
    return out;
}

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

}  // namespace

CString::CString(LPCSTR text) : data_(text != nullptr ? text : "") {}

CString::CString(LPCSTR text, int length)
    : data_(text != nullptr && length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string())
{
}

CString::CString(char ch, int repeat) : data_(repeat > 0 ? static_cast<size_t>(repeat) : 0, ch) {}

CString& CString::operator=(LPCSTR text)
{
    data_ = text != nullptr ? text : "";
    return *this;
}

CString& CString::operator+=(const CString& text)
{
    data_ += text.data_;
    return *this;
}

CString& CString::operator+=(LPCSTR text)
{
    if (text != nullptr) {
        data_ += text;
    }
    return *this;
}

CString& CString::operator+=(char ch)
{
    data_ += ch;
    return *this;
}

int CString::Compare(LPCSTR text) const
{
    int result = std::strcmp(data_.c_str(), text != nullptr ? text : "");
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

int CString::CompareNoCase(LPCSTR text) const
{
    std::string other = text != nullptr ? text : "";
    size_t i = 0;
    for (; i < data_.size() && i < other.size(); ++i) {
        bool lead = IsLead(data_[i]);
        char left = lead ? data_[i] : AsciiLower(data_[i]);
        char right = lead ? other[i] : AsciiLower(other[i]);
        if (left != right) {
            return static_cast<unsigned char>(left) < static_cast<unsigned char>(right) ? -1 : 1;
        }
        // The trail byte of a double-byte character compares exactly: it may look like a letter.
        if (lead && i + 1 < data_.size() && i + 1 < other.size()) {
            ++i;
            if (data_[i] != other[i]) {
                return static_cast<unsigned char>(data_[i]) < static_cast<unsigned char>(other[i]) ? -1 : 1;
            }
        }
    }
    return data_.size() == other.size() ? 0 : data_.size() < other.size() ? -1 : 1;
}

int CString::Find(char ch, int start) const
{
    return Find(std::string(1, ch).c_str(), start);
}

int CString::Find(LPCSTR text, int start) const
{
    if (text == nullptr || start < 0 || start > GetLength()) {
        return -1;
    }
    size_t found = FindAtCharacter(data_, text, static_cast<size_t>(start));
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

int CString::ReverseFind(char ch) const
{
    int last = -1;
    for (size_t i = 0; i < data_.size(); i += CharLength(data_, i)) {
        if (CharLength(data_, i) == 1 && data_[i] == ch) {
            last = static_cast<int>(i);
        }
    }
    return last;
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    first = Clamp(first, 0, GetLength());
    count = Clamp(count, 0, GetLength() - first);
    return CString(data_.c_str() + first, count);
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Right(int count) const
{
    count = Clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

int CString::Replace(LPCSTR oldText, LPCSTR newText)
{
    if (oldText == nullptr || *oldText == '\0') {
        return 0;
    }
    std::string_view from = oldText;
    std::string_view to = newText != nullptr ? newText : "";
    std::string out;
    int count = 0;
    for (size_t i = 0; i < data_.size();) {
        if (data_.compare(i, from.size(), from) == 0) {
            out += to;
            i += from.size();
            ++count;
        } else {
            size_t length = CharLength(data_, i);
            out.append(data_, i, length);
            i += length;
        }
    }
    data_ = std::move(out);
    return count;
}

int CString::Remove(char ch)
{
    std::string out;
    int count = 0;
    for (size_t i = 0; i < data_.size();) {
        size_t length = CharLength(data_, i);
        if (length == 1 && data_[i] == ch) {
            ++count;
        } else {
            out.append(data_, i, length);
        }
        i += length;
    }
    data_ = std::move(out);
    return count;
}

void CString::Format(LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    // Formatted apart first: an argument may be this string's own text.
    std::string text = FormatV(format, args);
    va_end(args);
    data_ = std::move(text);
}

void CString::AppendFormat(LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatV(format, args);
    va_end(args);
    data_ += text;
}

LPSTR CString::GetBuffer(int minLength)
{
    if (minLength > GetLength()) {
        data_.resize(static_cast<size_t>(minLength));
    }
    return data_.data();
}

LPSTR CString::GetBufferSetLength(int length)
{
    data_.resize(static_cast<size_t>(length > 0 ? length : 0));
    return data_.data();
}

void CString::ReleaseBuffer(int newLength)
{
    size_t length = newLength < 0 ? std::strlen(data_.c_str()) : static_cast<size_t>(newLength);
    data_.resize(length < data_.size() ? length : data_.size());
}

BOOL CString::LoadString(UINT id)
{
    std::string buffer(256, '\0');
    for (;;) {
        int length = LoadStringA(AfxGetResourceHandle(), id, buffer.data(), static_cast<int>(buffer.size()));
        if (length <= 0) {
            data_.clear();
            return FALSE;
        }
        // A string that filled the buffer may have been cut: try again with more room
        // (string resources hold at most 65535 characters).
        if (static_cast<size_t>(length) < buffer.size() - 1 || buffer.size() > 65536) {
            data_.assign(buffer.data(), static_cast<size_t>(length));
            return TRUE;
        }
        buffer.resize(buffer.size() * 2);
    }
}

CString operator+(const CString& left, const CString& right)
{
    CString out(left);
    out += right;
    return out;
}

CString operator+(const CString& left, LPCSTR right)
{
    CString out(left);
    out += right;
    return out;
}

CString operator+(LPCSTR left, const CString& right)
{
    CString out(left);
    out += right;
    return out;
}

CString operator+(const CString& left, char right)
{
    CString out(left);
    out += right;
    return out;
}

bool operator==(const CString& left, const CString& right)
{
    return left.Str() == right.Str();
}

bool operator==(const CString& left, LPCSTR right)
{
    return left.Str() == (right != nullptr ? right : "");
}

bool operator!=(const CString& left, const CString& right)
{
    return !(left == right);
}

bool operator!=(const CString& left, LPCSTR right)
{
    return !(left == right);
}
