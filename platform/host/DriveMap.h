// Windows paths over host folders: drive letters (STMTPORT_DRIVES) and shares (STMTPORT_SHARES).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace host {

// Parses the environment; false with a message on standard error when a variable is malformed,
// and the map stays as it was. Called once at start; a later call re-reads the environment
// (tests do). Without any call the first path lookup loads the map.
bool LoadDriveMap();

// The absolute Windows path with "." and ".." resolved, against the current directory when the
// path has no root: "a\..\b" in "C:\x" -> "C:\x\b", "\\srv\sh" -> "\\srv\sh\". Empty when a
// path without a root meets a current directory on no drive, or the path is malformed.
std::optional<std::string> FullWindowsPath(std::string_view windowsPath);
// "C:\a\b.xml" -> "HOSTDIR/a/b.xml"; "\\server\share\x" -> share folder + "/x"; relative paths
// against the current directory. Components are converted CP932 -> UTF-8. Empty when the path
// lies on no mapped drive or share.
std::optional<std::string> ToHostPath(std::string_view windowsPath);
// The reverse, through the drive whose folder is the longest prefix; empty when none holds it.
// A drive's or share's own folder comes back as its root: "C:\", "\\server\share\".
std::optional<std::string> ToWindowsPath(std::string_view hostPath);
// DRIVE_* of a letter; DRIVE_NO_ROOT_DIR for letters not listed.
unsigned DriveType(char letter);
// "\\server\share" (a trailing backslash allowed) is listed in STMTPORT_SHARES.
bool ShareListed(std::string_view uncRoot);

// The host path of the running program (/proc/self/exe).
std::string ProgramHostPath();
// The program's folder lies on a mapped drive or share; the program must not run otherwise.
bool ProgramFolderIsMapped();

}  // namespace host
