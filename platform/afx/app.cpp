// CWinApp, the one application object, and the framework's global functions.
#include "afximpl.h"

namespace {

CWinApp* theApplication = nullptr;

}  // namespace

CWinApp::CWinApp(LPCSTR appName) : m_pszAppName(appName)
{
    theApplication = this;
}

CWinApp::~CWinApp()
{
    if (theApplication == this) {
        theApplication = nullptr;
    }
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

// The wait cursor is counted only: no window shows a pointer.
void CWinApp::BeginWaitCursor()
{
    ++m_waitCursorCount;
}

void CWinApp::EndWaitCursor()
{
    if (m_waitCursorCount > 0) {
        --m_waitCursorCount;
    }
}

void CWinApp::RestoreWaitCursor()
{
}

CWinApp* AfxGetApp()
{
    return theApplication;
}

LPCSTR AfxAppTitle()
{
    return theApplication != nullptr && theApplication->m_pszAppName != nullptr ? theApplication->m_pszAppName : "";
}

BOOL AfxEnableControlContainer()
{
    return TRUE;
}

int AfxMessageBox(LPCSTR text, UINT type, UINT)
{
    return ::MessageBoxA(nullptr, text, AfxAppTitle(), type);
}

HINSTANCE AfxGetResourceHandle()
{
    // The module's resources are the one registered table; the handle only has to be non-null.
    static char module;
    return reinterpret_cast<HINSTANCE>(&module);
}
