// A small application over the process entry: shows its launch line and exits with 5.
#include <afxwin.h>

class EntryApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        AfxMessageBox(m_lpCmdLine, MB_ICONINFORMATION);
        return FALSE;
    }
    int ExitInstance() override { return 5; }
};

EntryApp theApp;
