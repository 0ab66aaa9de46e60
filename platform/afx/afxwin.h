// The framework's window, dialog, control and application classes.
#pragma once

#include "../win32/windows.h"
#include "afxfile.h"
#include "afxstr.h"

class CCmdTarget;
class CDataExchange;

// Command map: button ids to handlers, as the framework's message map declares them.
typedef void (CCmdTarget::*AFX_PMSG)();
struct AFX_COMMAND_ENTRY {
    UINT id;
    AFX_PMSG handler;
};

#define DECLARE_MESSAGE_MAP() \
protected:                    \
    const AFX_COMMAND_ENTRY* GetCommandMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                     \
    const AFX_COMMAND_ENTRY* theClass::GetCommandMap() const        \
    {                                                               \
        using ThisClass = theClass;                                 \
        static const AFX_COMMAND_ENTRY entries[] = {
#define ON_BN_CLICKED(id, memberFxn) {static_cast<UINT>(id), static_cast<AFX_PMSG>(&ThisClass::memberFxn)},
#define END_MESSAGE_MAP() \
    {0, nullptr}          \
    }                     \
    ;                     \
    return entries;       \
    }

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

protected:
    // The derived class's entries, ended by an entry with id 0; none by default.
    virtual const AFX_COMMAND_ENTRY* GetCommandMap() const { return nullptr; }
    // Runs the handler mapped to `id`; FALSE when none is.
    BOOL DispatchCommand(UINT id);
};

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object attached to `window`, or a wrapper kept for the process when none is.
    static CWnd* FromHandle(HWND window);
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    BOOL Attach(HWND window);
    HWND Detach();
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    CWnd* GetDlgItem(int id) const;
    CWnd* GetParent() const;
    int GetDlgCtrlID() const;
    void SetWindowText(LPCSTR text);
    int GetWindowText(LPSTR buffer, int size) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    BOOL ShowWindow(int command);
    void UpdateWindow();
    BOOL RedrawWindow(const RECT* update = nullptr, void* region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    CWnd* SetParent(CWnd* newParent);
    BOOL SetForegroundWindow();
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);
    void CheckRadioButton(int firstId, int lastId, int checkId);
    int GetCheckedRadioButton(int firstId, int lastId);
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    virtual BOOL DestroyWindow();

    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    static const CWnd wndTop;

    HWND m_hWnd = nullptr;
};

// Dialog data exchange between controls and members.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    [[noreturn]] void Fail();   // ends the exchange; UpdateData then returns FALSE

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_lastControl = nullptr;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* control);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    virtual void DoDataExchange(CDataExchange* dx);

    UINT m_nIDHelp = 0;
    UINT m_templateId = 0;
    CWnd* m_pParentWnd = nullptr;

private:
    static INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL RunModalLoop();

    bool m_modalEnded = false;
    int m_modalResult = -1;
};

class CEdit : public CWnd {
public:
    void SetLimitText(UINT maxBytes);
    void LimitText(int maxBytes = 0) { SetLimitText(static_cast<UINT>(maxBytes)); }
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    void ReplaceSel(LPCSTR text);
};

class CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int check);
};

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    LPCSTR m_pszAppName = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    HINSTANCE m_hInstance = nullptr;

private:
    int m_waitCursorCount = 0;
};

CWinApp* AfxGetApp();
BOOL AfxEnableControlContainer();
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
HINSTANCE AfxGetResourceHandle();
