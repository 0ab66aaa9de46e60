// Windows paths over host folders: drive letters (STMTPORT_DRIVES) and shares (STMTPORT_SHARES).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace host {

// Parses the environment once; false with a message on standard error when a variable is malformed.
bool LoadDriveMap();

// "C:\a\b.xml" -> "HOSTDIR/a/b.xml"; "\\server\share\x" -> share folder + "/x"; relative paths
// against the current directory. Components are converted CP932 -> UTF-8. Empty when the path
// lies on no mapped drive or share.
std::optional<std::string> ToHostPath(std::string_view windowsPath);
// The reverse, through the drive whose folder is the longest prefix; empty when none holds it.
std::optional<std::string> ToWindowsPath(std::string_view hostPath);
// DRIVE_* of a letter; DRIVE_NO_ROOT_DIR for letters not listed.
unsigned DriveType(char letter);

}  // namespace host
