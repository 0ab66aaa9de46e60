// CDialog with its modal loop, and dialog data exchange.
#include <cstdio>

#include "afximpl.h"
#include "dlgtemplate.h"

namespace {

// Thrown by CDataExchange::Fail and caught by UpdateData only.
struct DataExchangeFailed {};

}  // namespace

void AfxReportFailure(const char* where, const char* what)
{
    std::fprintf(stderr, "%s: %s failed with %s; the program goes on\n", AfxAppTitle(), where, what);
}

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND control = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), id);
    if (control == nullptr) {
        std::fprintf(stderr, "%s: data exchange names control %d, which the dialog does not have\n", AfxAppTitle(), id);
        Fail();
    }
    m_lastControl = control;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    return PrepareCtrl(id);
}

void CDataExchange::Fail()
{
    // The refused control gets the focus with its text selected, ready to be corrected.
    if (m_bSaveAndValidate && m_lastControl != nullptr) {
        ::SetFocus(m_lastControl);
        ::SendMessageA(m_lastControl, EM_SETSEL, 0, -1);
    }
    throw DataExchangeFailed();
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    HWND window = dx->PrepareCtrl(id);
    if (control.GetSafeHwnd() == nullptr) {
        control.Attach(window);
    }
}

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        CWnd::FromHandle(control)->GetWindowText(value);
    } else {
        ::SetWindowTextA(control, value);
    }
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars)
{
    if (!dx->m_bSaveAndValidate) {
        if (dx->m_lastControl != nullptr) {
            ::SendMessageA(dx->m_lastControl, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
        }
        return;
    }
    if (value.GetLength() > maxChars) {
        CString text;
        text.Format("%d 文字以内で入力してください。", maxChars);
        ::MessageBoxA(dx->m_pDlgWnd->GetSafeHwnd(), text, AfxAppTitle(), MB_ICONEXCLAMATION | MB_OK);
        dx->Fail();
    }
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent)
{
}

CDialog::~CDialog()
{
    if (GetSafeHwnd() != nullptr) {
        CWnd::DestroyWindow();
    }
}

INT_PTR CDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = FALSE;
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialog*>(lParam);
        self->Attach(dialog);
        result = TRUE;
        AfxGuard("the dialog's initialisation", [&] { result = self->OnInitDialog(); });
        return result;
    }
    auto* self = dynamic_cast<CDialog*>(AfxAttachedWindow(dialog));
    if (self == nullptr) {
        return FALSE;
    }
    if (message == WM_COMMAND) {
        AfxGuard("a dialog command", [&] { result = self->OnCommand(wParam, lParam); });
        return TRUE;
    }
    return FALSE;
}

INT_PTR CDialog::DoModal()
{
    if (FindDialogTemplate(m_templateId) == nullptr) {
        std::fprintf(stderr, "%s: dialog template %u is not among the program's resources\n", AfxAppTitle(), m_templateId);
        return -1;
    }
    HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
    // A foreign owner is the launcher's to disable; the program does that itself.
    bool disableOwner = owner != nullptr && ::IsWindow(owner) && ::IsWindowEnabled(owner);
    if (disableOwner) {
        ::EnableWindow(owner, FALSE);
    }
    m_modalEnded = false;
    m_modalResult = -1;
    HWND dialog = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_templateId), owner, DialogProc,
                                       reinterpret_cast<LPARAM>(this));
    if (dialog == nullptr) {
        std::fprintf(stderr, "%s: dialog %u could not be created\n", AfxAppTitle(), m_templateId);
    } else if (!m_modalEnded) {
        ::ShowWindow(dialog, SW_SHOW);
        RunModalLoop();
    }
    if (disableOwner) {
        ::EnableWindow(owner, TRUE);
    }
    if (GetSafeHwnd() != nullptr) {
        CWnd::DestroyWindow();
    }
    return m_modalResult;
}

BOOL CDialog::RunModalLoop()
{
    while (!m_modalEnded) {
        MSG msg;
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got) {
            AfxGuard("the dialog's message loop", [&] {
                bool ours = msg.hwnd == m_hWnd || ::GetParent(msg.hwnd) == m_hWnd;
                CWnd* control = msg.hwnd != m_hWnd ? AfxAttachedWindow(msg.hwnd) : nullptr;
                bool taken = ours && ((control != nullptr && control->PreTranslateMessage(&msg)) || PreTranslateMessage(&msg));
                if (!taken) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageA(&msg);
                }
            });
        }
        // The window went away without EndDialog (the user left): the dialog counts as cancelled.
        if (!m_modalEnded && (!got || !::IsWindowVisible(m_hWnd))) {
            m_modalEnded = true;
            m_modalResult = IDCANCEL;
        }
    }
    return TRUE;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_templateId = templateId;
    m_pParentWnd = parent;
    if (FindDialogTemplate(templateId) == nullptr) {
        std::fprintf(stderr, "%s: dialog template %u is not among the program's resources\n", AfxAppTitle(), templateId);
        return FALSE;
    }
    HWND owner = parent != nullptr ? parent->GetSafeHwnd() : nullptr;
    return ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(templateId), owner, DialogProc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(int result)
{
    m_modalEnded = true;
    m_modalResult = result;
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const DataExchangeFailed&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::NextDlgCtrl() const
{
    HWND next = ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), FALSE);
    if (next != nullptr) {
        ::SetFocus(next);
        ::SendMessageA(next, EM_SETSEL, 0, -1);
    }
}

void CDialog::PrevDlgCtrl() const
{
    HWND previous = ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), TRUE);
    if (previous != nullptr) {
        ::SetFocus(previous);
        ::SendMessageA(previous, EM_SETSEL, 0, -1);
    }
}

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (control == nullptr) {
        return;
    }
    ::SetFocus(control->GetSafeHwnd());
    if (::GetFocus() == control->GetSafeHwnd()) {
        ::SendMessageA(control->GetSafeHwnd(), EM_SETSEL, 0, -1);
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    return ::IsDialogMessageA(m_hWnd, msg);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam)) {
        return TRUE;
    }
    if (HIWORD(wParam) != BN_CLICKED) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

void CDialog::DoDataExchange(CDataExchange*)
{
}
