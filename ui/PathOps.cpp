// Path operations on CP932 Windows paths.
#include "PathOps.h"

#include <crtext.h>
#include <shlwapi.h>
#include <windows.h>

#include <cstring>

namespace {

const int pathCapacity = 261;

// Length in bytes of the character starting at text[i]: 2 for a lead byte with its trail byte.
int CharLength(LPCSTR text, int i)
{
    return (_ismbblead(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0') ? 2 : 1;
}

BOOL LastCharIsDoubleByte(LPCSTR text)
{
    int length = static_cast<int>(strlen(text));
    return length > 0 && IsDoubleByteAt(text, length - 1);
}

// Index of the last single-byte `ch`, or -1.
int LastSingleByte(LPCSTR text, char ch)
{
    int found = -1;
    for (int i = 0; text[i] != '\0'; i += CharLength(text, i)) {
        if (text[i] == ch)
            found = i;
    }
    return found;
}

// Index of the first single-byte `ch` at `from` or later, or -1.
int FirstSingleByte(LPCSTR text, char ch, int from)
{
    for (int i = 0; text[i] != '\0'; i += CharLength(text, i)) {
        if (i >= from && text[i] == ch)
            return i;
    }
    return -1;
}

// True when a pair of backslashes begins at index `from` or later.
BOOL HasDoubledBackslash(LPCSTR text, int from)
{
    for (int i = 0; text[i] != '\0'; i += CharLength(text, i)) {
        if (i >= from && text[i] == '\\' && text[i + 1] == '\\')
            return TRUE;
    }
    return FALSE;
}

char FoldAscii(char ch)
{
    return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

// The first `count` bytes of both texts are equal, ASCII letters compared without case; a text
// shorter than `count` equals only a text of the same length.
BOOL SameNoCase(LPCSTR a, LPCSTR b, int count)
{
    int i = 0;
    while (i < count) {
        if (a[i] == '\0' || b[i] == '\0')
            return a[i] == b[i];
        int length = CharLength(a, i);
        if (length == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return FALSE;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return FALSE;
        }
        i += length;
    }
    return TRUE;
}

// Copies `text` into a 261-byte buffer; FALSE when it does not fit.
BOOL CopyPath(char* buffer, LPCSTR text)
{
    size_t length = strlen(text);
    if (length >= static_cast<size_t>(pathCapacity))
        return FALSE;
    memcpy(buffer, text, length + 1);
    return TRUE;
}

// `path` normalised to its folder and ended with a backslash: the form both folder walks compare.
BOOL PrepareFolder(char* buffer, LPCSTR path)
{
    return path[0] != '\0' && CopyPath(buffer, path) && NormaliseFolder(buffer)
        && AddTrailingBackslash(buffer, pathCapacity);
}

// The root of a prepared folder ("C:\", "\\server\share\"), ended with a backslash.
BOOL RootOf(char* root, LPCSTR folder)
{
    return CopyPath(root, folder) && PathStripToRootA(root) && AddTrailingBackslash(root, pathCapacity);
}

}  // namespace

BOOL IsDoubleByteAt(LPCSTR text, int index)
{
    if (index < 0)
        return FALSE;
    for (int i = 0; text[i] != '\0' && i <= index; i += CharLength(text, i)) {
        if (CharLength(text, i) == 2 && (index == i || index == i + 1))
            return TRUE;
    }
    return FALSE;
}

BOOL AddTrailingBackslash(LPSTR path, int capacity)
{
    int length = static_cast<int>(strlen(path));
    if (length == 0)
        return FALSE;
    // A trail byte 0x5C is not a backslash, so a path ending in a double-byte character gets one.
    if (!LastCharIsDoubleByte(path) && path[length - 1] == '\\')
        return TRUE;
    if (length >= capacity - 1)
        return FALSE;
    path[length] = '\\';
    path[length + 1] = '\0';
    return TRUE;
}

BOOL NormaliseFolder(LPSTR path)
{
    char drive[_MAX_DRIVE + 1] = {};
    char dir[_MAX_DIR + 1] = {};
    _splitpath(path, drive, dir, nullptr, nullptr);
    char result[pathCapacity + 2] = {};
    size_t driveLength = strlen(drive);
    size_t dirLength = strlen(dir);
    if (driveLength + dirLength == 0 || driveLength + dirLength >= sizeof(result))
        return FALSE;
    memcpy(result, drive, driveLength);
    memcpy(result + driveLength, dir, dirLength + 1);
    // A backslash is added only where the input had bytes to spare ("C:a.xml" -> "C:\"), so the
    // result always fits the caller's buffer; "C:" stays as it is.
    int inputLength = static_cast<int>(strlen(path));
    AddTrailingBackslash(result, inputLength + 1);
    memcpy(path, result, strlen(result) + 1);
    return TRUE;
}

BOOL IsExistingFolder(LPCSTR path)
{
    char folder[pathCapacity];
    if (!CopyPath(folder, path) || !NormaliseFolder(folder))
        return FALSE;
    return PathIsDirectoryA(folder);
}

CString FolderPartOf(LPCSTR destination)
{
    int last = LastSingleByte(destination, '\\');
    return last < 0 ? CString() : CString(destination, last + 1);
}

CString FileNamePartOf(LPCSTR destination)
{
    int last = LastSingleByte(destination, '\\');
    return CString(destination + last + 1);
}

BOOL IsValidDestinationText(LPCSTR destination)
{
    LPCSTR tested = destination;
    if (destination[0] == '\\' && destination[1] == '\\') {
        if (HasDoubledBackslash(destination, 3))
            return FALSE;
        tested = destination + 2;
    } else {
        if (HasDoubledBackslash(destination, 1))
            return FALSE;
        int colon = FirstSingleByte(destination, ':', 0);
        if (colon >= 0)
            tested = destination + colon + 1;
    }
    static const char forbidden[] = "/:,;*?\"><|";
    for (int i = 0; tested[i] != '\0'; i += CharLength(tested, i)) {
        if (CharLength(tested, i) == 1 && strchr(forbidden, tested[i]) != nullptr)
            return FALSE;
    }
    return TRUE;
}

BOOL IsUsableDrive(LPCSTR destination)
{
    if (destination[0] == '\\' && destination[1] == '\\') {
        // "\\server\share\a.xml" -> share root "\\server\share"
        int serverEnd = FirstSingleByte(destination, '\\', 3);
        int shareEnd = serverEnd < 0 ? -1 : FirstSingleByte(destination, '\\', serverEnd + 1);
        CString shareRoot = shareEnd < 0 ? CString() : CString(destination, shareEnd);
        return !shareRoot.IsEmpty() && _access(shareRoot, 6) == 0;
    }
    if (HasDoubledBackslash(destination, 1))
        return FALSE;
    return IsUsableDriveLetter(destination[0], 6);
}

BOOL IsUsableDriveLetter(char letter, int mode)
{
    char upper;
    if (letter >= 'A' && letter <= 'Z')
        upper = letter;
    else if (letter >= 'a' && letter <= 'z')
        upper = static_cast<char>(letter - 'a' + 'A');
    else
        return FALSE;
    char root[4] = {upper, ':', '\\', '\0'};
    switch (GetDriveTypeA(root)) {
    case DRIVE_UNKNOWN:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK:
        return FALSE;
    case DRIVE_REMOVABLE:
    case DRIVE_FIXED:
    case DRIVE_REMOTE:
        return _access(root, mode) == 0;
    default:
        return TRUE;
    }
}

BOOL CreateFolderPath(LPCSTR folder)
{
    char working[pathCapacity];
    if (!PrepareFolder(working, folder))
        return FALSE;
    LPCSTR rest = PathSkipRootA(working);
    if (rest == nullptr)
        return FALSE;
    char root[pathCapacity];
    if (!RootOf(root, working))
        return FALSE;
    size_t rootLength = strlen(root);

    char deepestExisting[pathCapacity];
    memcpy(deepestExisting, root, rootLength + 1);
    for (int i = 0; rest[i] != '\0'; i += CharLength(rest, i)) {
        if (rest[i] != '\\')
            continue;
        char prefix[pathCapacity];
        if (rootLength + static_cast<size_t>(i) >= sizeof(prefix))
            return FALSE;
        memcpy(prefix, root, rootLength);
        memcpy(prefix + rootLength, rest, static_cast<size_t>(i));
        prefix[rootLength + static_cast<size_t>(i)] = '\0';
        if (!AddTrailingBackslash(prefix, pathCapacity))
            return FALSE;
        if (IsExistingFolder(prefix)) {
            memcpy(deepestExisting, prefix, strlen(prefix) + 1);
        } else if (!CreateDirectoryA(prefix, nullptr)) {
            RemoveCreatedFolders(prefix, deepestExisting);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL RemoveCreatedFolders(LPCSTR target, LPCSTR keep)
{
    char targetFolder[pathCapacity];
    char keepFolder[pathCapacity];
    if (!PrepareFolder(targetFolder, target) || !PrepareFolder(keepFolder, keep))
        return FALSE;
    LPCSTR targetRest = PathSkipRootA(targetFolder);
    LPCSTR keepRest = PathSkipRootA(keepFolder);
    if (targetRest == nullptr || keepRest == nullptr)
        return FALSE;
    char targetRoot[pathCapacity];
    char keepRoot[pathCapacity];
    if (!RootOf(targetRoot, targetFolder) || !RootOf(keepRoot, keepFolder))
        return FALSE;
    int keepRestLength = static_cast<int>(strlen(keepRest));
    if (strlen(targetRoot) != strlen(keepRoot) || !SameNoCase(targetRoot, keepRoot, static_cast<int>(strlen(keepRoot)))
        || !SameNoCase(targetRest, keepRest, keepRestLength))
        return FALSE;

    // Character starts of the target's rest, walked backwards so that trail bytes are never seen.
    int starts[pathCapacity];
    int count = 0;
    for (int i = 0; targetRest[i] != '\0'; i += CharLength(targetRest, i))
        starts[count++] = i;
    size_t rootLength = strlen(targetRoot);
    for (int n = count - 1; n >= 0 && starts[n] >= 1; --n) {
        int k = starts[n];
        if (targetRest[k] != '\\')
            continue;
        if (SameNoCase(keepRest, targetRest, k))
            return TRUE;
        char folder[pathCapacity];
        if (rootLength + static_cast<size_t>(k) + 1 >= sizeof(folder))
            return FALSE;
        memcpy(folder, targetRoot, rootLength);
        memcpy(folder + rootLength, targetRest, static_cast<size_t>(k));
        folder[rootLength + static_cast<size_t>(k)] = '\\';
        folder[rootLength + static_cast<size_t>(k) + 1] = '\0';
        if (IsExistingFolder(folder) && !RemoveDirectoryA(folder))
            return FALSE;
    }
    return TRUE;
}
