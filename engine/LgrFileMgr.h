// LgrFileMgr: the engine's folders.
#pragma once

#include <afxstr.h>

class ClFileMgr {
public:
    static ClFileMgr* Inst();

    // 0 the default output folder, 1 the settings folder (ends with a backslash).
    CString GetAppFolderPath(int folderType);

private:
    ClFileMgr() = default;
};
