// Path operations on CP932 Windows paths: parts, checks, and creating and removing folder chains.
// Texts are scanned from their start, so a trail byte 0x5C is never taken for a backslash.
#pragma once

#include <afxstr.h>

// True when text[index] is the lead or the trail byte of a double-byte character.
BOOL IsDoubleByteAt(LPCSTR text, int index);
// Ends `path` with a backslash when it has room; FALSE for an empty path or one without room.
BOOL AddTrailingBackslash(LPSTR path, int capacity);
// "C:\out\a.xml" -> "C:\out\"; "C:\out\" stays; FALSE (path unchanged) when no drive or folder is left.
BOOL NormaliseFolder(LPSTR path);
BOOL IsExistingFolder(LPCSTR path);
// "C:\out\a.xml" -> "C:\out\" and "a.xml"; "a.xml" -> "" and "a.xml".
CString FolderPartOf(LPCSTR destination);
CString FileNamePartOf(LPCSTR destination);
// No doubled backslash after the start (after a share's leading pair) and none of / : , ; * ? " > < |
// after the drive colon (after the leading pair of a share).
BOOL IsValidDestinationText(LPCSTR destination);
// The destination's drive, or its share \\server\share, is usable with read and write access.
BOOL IsUsableDrive(LPCSTR destination);
// `mode` is an access mode (0 exists, 6 read and write) that the root must pass where it is tested.
BOOL IsUsableDriveLetter(char letter, int mode);
// Creates every missing folder of `folder`; on failure removes again the folders it made.
BOOL CreateFolderPath(LPCSTR folder);
// Removes the folders from `target` up to, not including, `keep`, deepest first.
BOOL RemoveCreatedFolders(LPCSTR target, LPCSTR keep);
