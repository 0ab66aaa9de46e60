// Shell path services the system calls.
#pragma once

#include "windows.h"

// "C:\a\b" -> "a\b"; "\\server\share\a" -> "a"; null when the path has no root.
LPSTR PathSkipRootA(LPCSTR path);
// "C:\a\b" -> "C:\"; "\\server\share\a" -> "\\server\share"; TRUE when a root was left.
BOOL PathStripToRootA(LPSTR path);
BOOL PathIsDirectoryA(LPCSTR path);
BOOL PathFileExistsA(LPCSTR path);
