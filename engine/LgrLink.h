// LgrLink: the connection to the bookkeeping engine.
#pragma once

#include <windows.h>

class ClLgrConnect {
public:
    static ClLgrConnect* Inst();

    void SetAppType(int edition);         // 0, 3 or 4 by edition
    void SetUseDataType(int dataType);
    long Initiate();                      // 0 ready
    long ExpSysLink();                    // 0 go on, 1 cancelled, other failed
    // Shows an engine message box; every ES_APRPACKAGENAME in the text reads as the tax package's name.
    int DispMsg(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);
    long LogOut();
    long Terminate();
    long Release();

    LPCSTR m_pszMsgCaption = nullptr;     // caption of engine messages
    HWND m_hOwnerWnd = nullptr;           // owner of engine messages

private:
    ClLgrConnect() = default;

    int m_appType = 0;
    int m_useDataType = 0;
};
