// Host file errors turned into Win32 error codes where they enter the Win32 layer.
#pragma once

#include <optional>
#include <string>

#include "win32/windows.h"

namespace host {

// ERROR_* for an errno of an operation on `hostPath`: ENOENT is ERROR_FILE_NOT_FOUND when the
// folder exists and ERROR_PATH_NOT_FOUND when it does not.
DWORD ErrorFromErrno(int error, const std::string& hostPath = std::string());
// The host path of a Windows path; on failure SetLastError(ERROR_PATH_NOT_FOUND) (or
// ERROR_INVALID_PARAMETER for a null path) and empty.
std::optional<std::string> HostPathOrError(LPCSTR windowsPath);
// Copies `text` with its NUL into `buffer` of `size` bytes: the length without the NUL, or the
// size needed with the NUL when it does not fit (as GetCurrentDirectoryA and GetTempPathA do).
DWORD CopyOut(const std::string& text, LPSTR buffer, DWORD size);

}  // namespace host
