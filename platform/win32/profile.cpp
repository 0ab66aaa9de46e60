// Reading settings files: [section] headers and key=value lines, compared without case.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/Codepage.h"
#include "host/FileErrors.h"
#include "windows.h"

namespace {

char AsciiLower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

// Case-blind for ASCII letters only, and never for a trail byte, which may look like a letter.
bool SameNoCase(std::string_view left, std::string_view right)
{
    if (left.size() != right.size()) {
        return false;
    }
    for (size_t i = 0; i < left.size();) {
        size_t length = host::Cp932CharLength(left, i);
        if (length == 2) {
            if (left.substr(i, 2) != right.substr(i, 2)) {
                return false;
            }
        } else if (AsciiLower(left[i]) != AsciiLower(right[i])) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string_view Trim(std::string_view text)
{
    auto blank = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

struct Entry {
    std::string key;
    std::string value;
};

struct Section {
    std::string name;
    std::vector<Entry> entries;
};

bool ReadWholeFile(const std::string& hostPath, std::string& text)
{
    FILE* file = std::fopen(hostPath.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, n);
    }
    bool good = std::ferror(file) == 0;
    std::fclose(file);
    return good;
}

// Sections in file order; lines before the first header and lines without '=' are ignored,
// as are comment lines starting with ';'.
std::vector<Section> Parse(std::string_view text)
{
    std::vector<Section> sections;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            size_t close = line.find(']');
            sections.push_back({std::string(Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1))), {}});
            continue;
        }
        size_t equals = line.find('=');
        if (sections.empty() || equals == std::string_view::npos) {
            continue;
        }
        std::string_view value = Trim(line.substr(equals + 1));
        // A value in matching quotes loses them.
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        sections.back().entries.push_back({std::string(Trim(line.substr(0, equals))), std::string(value)});
    }
    return sections;
}

// Copies at most size - 1 bytes, never half a character; returns the bytes copied.
DWORD CopyTruncated(std::string_view text, LPSTR buffer, DWORD size)
{
    size_t length = 0;
    while (length < text.size()) {
        size_t next = length + host::Cp932CharLength(text, length);
        if (next > size - 1) {
            break;
        }
        length = next;
    }
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<DWORD>(length);
}

// A list of names, each ended by NUL and the whole by another NUL; cut to fit as a list.
DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size)
{
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    if (list.size() + 1 <= size) {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        return static_cast<DWORD>(list.size());
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR fileName)
{
    if (buffer == nullptr || size == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string fallback(Trim(defaultValue != nullptr ? defaultValue : ""));
    std::optional<std::string> hostPath = host::HostPathOrError(fileName);
    std::string text;
    if (!hostPath || !ReadWholeFile(*hostPath, text)) {
        if (hostPath) {
            SetLastError(ERROR_FILE_NOT_FOUND);
        }
        return section != nullptr && key != nullptr ? CopyTruncated(fallback, buffer, size) : CopyList({}, buffer, size);
    }
    std::vector<Section> sections = Parse(text);
    if (section == nullptr) {
        std::vector<std::string> names;
        for (const Section& each : sections) {
            names.push_back(each.name);
        }
        return CopyList(names, buffer, size);
    }
    std::vector<std::string> keys;
    for (const Section& each : sections) {
        if (!SameNoCase(each.name, Trim(section))) {
            continue;
        }
        for (const Entry& entry : each.entries) {
            if (key == nullptr) {
                keys.push_back(entry.key);
            } else if (SameNoCase(entry.key, Trim(key))) {
                SetLastError(ERROR_SUCCESS);
                return CopyTruncated(entry.value, buffer, size);
            }
        }
    }
    if (key == nullptr) {
        return CopyList(keys, buffer, size);
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return CopyTruncated(fallback, buffer, size);
}
