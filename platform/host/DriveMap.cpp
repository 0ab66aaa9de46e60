// The drive map: Windows drive letters and shares resolved to host folders, and back.
#include "host/DriveMap.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

#include "host/Codepage.h"

namespace host {
namespace {

constexpr unsigned kDriveNoRootDir = 1;
const char* const kTypeNames[] = {"unknown", "noroot", "removable", "fixed", "remote", "cdrom", "ramdisk"};

struct Mapping {
    char letter = 0;          // a drive, or 0 for a share
    unsigned type = 0;
    std::string share;        // CP932 "server\share"
    std::string shareKey;     // UTF-8, ASCII letters lowered, for case-blind lookup
    std::string dir;          // host folder, normalised
    std::string realDir;      // the same with symbolic links resolved, when it differs
};

struct DriveMap {
    bool loaded = false;
    std::vector<Mapping> mappings;
};

DriveMap& Map()
{
    static DriveMap map;
    return map;
}

const std::vector<Mapping>& Mappings()
{
    if (!Map().loaded) {
        LoadDriveMap();
        Map().loaded = true;
    }
    return Map().mappings;
}

char AsciiUpper(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; }
char AsciiLower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }
bool IsAsciiLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }

std::string LowerAscii(std::string text)
{
    for (char& ch : text) {
        ch = AsciiLower(ch);
    }
    return text;
}

std::vector<std::string> SplitOn(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// "/a/./b/../c/" -> "/a/c"; the path must be absolute.
std::string NormaliseHostPath(std::string_view path)
{
    std::vector<std::string> kept;
    for (std::string& part : SplitOn(path, '/')) {
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            if (!kept.empty()) {
                kept.pop_back();
            }
            continue;
        }
        kept.push_back(std::move(part));
    }
    std::string out;
    for (const std::string& part : kept) {
        out += '/';
        out += part;
    }
    return out.empty() ? "/" : out;
}

std::string CurrentHostDirectory()
{
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string();
}

std::string ResolvedOrEmpty(const std::string& dir)
{
    char buffer[PATH_MAX];
    if (realpath(dir.c_str(), buffer) == nullptr) {
        return std::string();
    }
    std::string real = buffer;
    return real == dir ? std::string() : real;
}

bool ParseHostDir(std::string_view text, Mapping& mapping)
{
    if (text.empty() || text[0] != '/') {
        return false;
    }
    mapping.dir = NormaliseHostPath(text);
    mapping.realDir = ResolvedOrEmpty(mapping.dir);
    return true;
}

bool ParseDrives(const char* value, std::vector<Mapping>& out)
{
    for (const std::string& entry : SplitOn(value, ';')) {
        if (entry.empty()) {
            continue;
        }
        Mapping mapping;
        size_t colon = entry.find(':');
        bool good = entry.size() > 2 && IsAsciiLetter(entry[0]) && entry[1] == '=' && colon != std::string::npos;
        if (good) {
            std::string_view typeName = std::string_view(entry).substr(2, colon - 2);
            good = false;
            for (unsigned type = 0; type < std::size(kTypeNames); ++type) {
                if (typeName == kTypeNames[type]) {
                    mapping.type = type;
                    good = true;
                }
            }
            good = good && ParseHostDir(std::string_view(entry).substr(colon + 1), mapping);
        }
        if (!good) {
            std::fprintf(stderr,
                         "STMTPORT_DRIVES: \"%s\" is not LETTER=TYPE:HOSTDIR (TYPE one of unknown noroot "
                         "removable fixed remote cdrom ramdisk, HOSTDIR an absolute folder)\n",
                         entry.c_str());
            return false;
        }
        mapping.letter = AsciiUpper(entry[0]);
        for (const Mapping& other : out) {
            if (other.letter == mapping.letter) {
                std::fprintf(stderr, "STMTPORT_DRIVES: drive %c is given twice\n", mapping.letter);
                return false;
            }
        }
        out.push_back(std::move(mapping));
    }
    return true;
}

bool ParseShares(const char* value, std::vector<Mapping>& out)
{
    for (const std::string& entry : SplitOn(value, ';')) {
        if (entry.empty()) {
            continue;
        }
        Mapping mapping;
        size_t equals = entry.find('=');
        std::string name = entry.substr(0, equals);
        size_t backslash = name.find('\\');
        bool good = equals != std::string::npos && backslash != std::string::npos && backslash > 0 &&
                    backslash + 1 < name.size() && name.find('\\', backslash + 1) == std::string::npos &&
                    ParseHostDir(std::string_view(entry).substr(equals + 1), mapping);
        if (!good) {
            std::fprintf(stderr,
                         "STMTPORT_SHARES: \"%s\" is not SERVER\\SHARE=HOSTDIR (HOSTDIR an absolute folder)\n",
                         entry.c_str());
            return false;
        }
        mapping.share = Utf8ToCp932(name);
        mapping.shareKey = LowerAscii(name);
        for (const Mapping& other : out) {
            if (other.letter == 0 && other.shareKey == mapping.shareKey) {
                std::fprintf(stderr, "STMTPORT_SHARES: share %s is given twice\n", name.c_str());
                return false;
            }
        }
        mapping.type = 4;
        out.push_back(std::move(mapping));
    }
    return true;
}

// A Windows path taken apart: its root (a drive letter or a share) and its components.
struct WindowsPath {
    char letter = 0;
    std::string share;   // CP932 "server\share" when letter is 0
    std::vector<std::string> parts;
};

bool IsSeparator(char ch) { return ch == '\\' || ch == '/'; }

// Splits at backslashes and slashes that start a character, never at a trail byte.
std::vector<std::string> SplitWindows(std::string_view text)
{
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < text.size();) {
        size_t length = Cp932CharLength(text, i);
        if (length == 1 && IsSeparator(text[i])) {
            parts.emplace_back();
        } else {
            parts.back().append(text.substr(i, length));
        }
        i += length;
    }
    return parts;
}

void AppendParts(WindowsPath& path, const std::vector<std::string>& parts)
{
    for (const std::string& part : parts) {
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            if (!path.parts.empty()) {
                path.parts.pop_back();
            }
            continue;
        }
        path.parts.push_back(part);
    }
}

std::optional<WindowsPath> ParseWindows(std::string_view text);

std::optional<WindowsPath> CurrentWindowsDirectory()
{
    std::optional<std::string> current = ToWindowsPath(CurrentHostDirectory());
    if (!current) {
        return std::nullopt;
    }
    return ParseWindows(*current);
}

std::optional<WindowsPath> ParseWindows(std::string_view text)
{
    WindowsPath path;
    if (text.empty()) {
        return std::nullopt;
    }
    if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) {
        std::vector<std::string> parts = SplitWindows(text.substr(2));
        if (parts.size() < 2 || parts[0].empty() || parts[1].empty()) {
            return std::nullopt;
        }
        path.share = parts[0] + '\\' + parts[1];
        parts.erase(parts.begin(), parts.begin() + 2);
        AppendParts(path, parts);
        return path;
    }
    if (text.size() >= 2 && IsAsciiLetter(text[0]) && text[1] == ':') {
        path.letter = AsciiUpper(text[0]);
        std::string_view rest = text.substr(2);
        if (rest.empty() || !IsSeparator(rest[0])) {
            // "C:name" is relative to the current directory when that lies on C.
            std::optional<WindowsPath> current = CurrentWindowsDirectory();
            if (current && current->letter == path.letter) {
                path = *current;
            }
        }
        AppendParts(path, SplitWindows(rest));
        return path;
    }
    std::optional<WindowsPath> current = CurrentWindowsDirectory();
    if (!current) {
        return std::nullopt;
    }
    path = *current;
    if (IsSeparator(text[0])) {
        path.parts.clear();
    }
    AppendParts(path, SplitWindows(text));
    return path;
}

std::string FormatWindows(const WindowsPath& path)
{
    std::string out = path.letter != 0 ? std::string(1, path.letter) + ':' : "\\\\" + path.share;
    out += '\\';
    for (size_t i = 0; i < path.parts.size(); ++i) {
        if (i > 0) {
            out += '\\';
        }
        out += path.parts[i];
    }
    return out;
}

const Mapping* FindMapping(const WindowsPath& path)
{
    std::string key = path.letter == 0 ? LowerAscii(Cp932ToUtf8(path.share)) : std::string();
    for (const Mapping& mapping : Mappings()) {
        if (path.letter != 0 ? mapping.letter == path.letter : mapping.letter == 0 && mapping.shareKey == key) {
            return &mapping;
        }
    }
    return nullptr;
}

// Length of `dir` when it holds `path` ("/" holds every path), else 0.
size_t PrefixLength(const std::string& dir, const std::string& path)
{
    if (dir.empty()) {
        return 0;
    }
    if (dir == "/") {
        return 1;
    }
    bool holds = path.compare(0, dir.size(), dir) == 0 && (path.size() == dir.size() || path[dir.size()] == '/');
    return holds ? dir.size() : 0;
}

}  // namespace

bool LoadDriveMap()
{
    const char* drives = std::getenv("STMTPORT_DRIVES");
    const char* shares = std::getenv("STMTPORT_SHARES");
    std::vector<Mapping> mappings;
    if (!ParseDrives(drives != nullptr && *drives != '\0' ? drives : "C=fixed:/", mappings) ||
        !ParseShares(shares != nullptr ? shares : "", mappings)) {
        return false;
    }
    Map().mappings = std::move(mappings);
    Map().loaded = true;
    return true;
}

std::optional<std::string> FullWindowsPath(std::string_view windowsPath)
{
    std::optional<WindowsPath> path = ParseWindows(windowsPath);
    if (!path) {
        return std::nullopt;
    }
    return FormatWindows(*path);
}

std::optional<std::string> ToHostPath(std::string_view windowsPath)
{
    std::optional<WindowsPath> path = ParseWindows(windowsPath);
    if (!path) {
        return std::nullopt;
    }
    const Mapping* mapping = FindMapping(*path);
    if (mapping == nullptr) {
        return std::nullopt;
    }
    std::string out = mapping->dir;
    for (const std::string& part : path->parts) {
        if (out.back() != '/') {
            out += '/';
        }
        out += Cp932ToUtf8(part);
    }
    return out;
}

std::optional<std::string> ToWindowsPath(std::string_view hostPath)
{
    if (hostPath.empty()) {
        return std::nullopt;
    }
    std::string absolute = hostPath[0] == '/' ? std::string(hostPath) : CurrentHostDirectory() + '/' + std::string(hostPath);
    absolute = NormaliseHostPath(absolute);
    const Mapping* best = nullptr;
    size_t bestLength = 0;
    for (const Mapping& mapping : Mappings()) {
        for (const std::string* dir : {&mapping.dir, &mapping.realDir}) {
            size_t length = PrefixLength(*dir, absolute);
            if (length > bestLength) {
                best = &mapping;
                bestLength = length;
            }
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    WindowsPath path;
    path.letter = best->letter;
    path.share = best->share;
    std::string_view rest = std::string_view(absolute).substr(bestLength == 1 ? 0 : bestLength);
    for (const std::string& part : SplitOn(rest, '/')) {
        if (!part.empty()) {
            path.parts.push_back(Utf8ToCp932(part));
        }
    }
    return FormatWindows(path);
}

unsigned DriveType(char letter)
{
    char upper = AsciiUpper(letter);
    for (const Mapping& mapping : Mappings()) {
        if (mapping.letter != 0 && mapping.letter == upper) {
            return mapping.type;
        }
    }
    return kDriveNoRootDir;
}

bool ShareListed(std::string_view uncRoot)
{
    if (uncRoot.size() < 2 || !IsSeparator(uncRoot[0]) || !IsSeparator(uncRoot[1])) {
        return false;
    }
    std::vector<std::string> parts = SplitWindows(uncRoot.substr(2));
    if (parts.size() > 3 || (parts.size() == 3 && !parts[2].empty()) || parts.size() < 2 || parts[1].empty()) {
        return false;
    }
    WindowsPath path;
    path.share = parts[0] + '\\' + parts[1];
    return !parts[0].empty() && FindMapping(path) != nullptr;
}

std::string ProgramHostPath()
{
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

bool ProgramFolderIsMapped()
{
    std::string program = ProgramHostPath();
    size_t slash = program.rfind('/');
    return slash != std::string::npos && ToWindowsPath(program.substr(0, slash + 1)).has_value();
}

}  // namespace host
