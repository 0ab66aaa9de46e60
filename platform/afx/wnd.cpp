// CCmdTarget and CWnd: command dispatch, the handle map and the thin window wrappers.
#include <map>
#include <memory>

#include "afximpl.h"

namespace {

// Both maps live for the whole process, so static objects may use them while they are destroyed.
std::map<HWND, CWnd*>& Attached()
{
    static auto* attached = new std::map<HWND, CWnd*>();
    return *attached;
}

std::map<HWND, std::unique_ptr<CWnd>>& Wrappers()
{
    static auto* wrappers = new std::map<HWND, std::unique_ptr<CWnd>>();
    return *wrappers;
}

}  // namespace

const CWnd CWnd::wndTop;

BOOL CCmdTarget::DispatchCommand(UINT id)
{
    for (const AFX_COMMAND_ENTRY* entry = GetCommandMap(); entry != nullptr && entry->handler != nullptr; ++entry) {
        if (entry->id == id) {
            (this->*entry->handler)();
            return TRUE;
        }
    }
    return FALSE;
}

CWnd* AfxAttachedWindow(HWND window)
{
    auto it = Attached().find(window);
    return it != Attached().end() ? it->second : nullptr;
}

void AfxForgetDeadWindows()
{
    for (auto it = Attached().begin(); it != Attached().end();) {
        if (!::IsWindow(it->first)) {
            it->second->m_hWnd = nullptr;
            it = Attached().erase(it);
        } else {
            ++it;
        }
    }
}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr) {
        Detach();
    }
}

CWnd* CWnd::FromHandle(HWND window)
{
    if (window == nullptr) {
        return nullptr;
    }
    if (CWnd* attached = AfxAttachedWindow(window)) {
        return attached;
    }
    std::unique_ptr<CWnd>& wrapper = Wrappers()[window];
    if (!wrapper) {
        wrapper = std::make_unique<CWnd>();
        wrapper->m_hWnd = window;
    }
    return wrapper.get();
}

BOOL CWnd::Attach(HWND window)
{
    if (window == nullptr || m_hWnd != nullptr || AfxAttachedWindow(window) != nullptr) {
        return FALSE;
    }
    m_hWnd = window;
    Attached()[window] = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND window = m_hWnd;
    auto it = Attached().find(window);
    if (it != Attached().end() && it->second == this) {
        Attached().erase(it);
    }
    m_hWnd = nullptr;
    return window;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    return parent != nullptr && Attach(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
void CWnd::SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }
int CWnd::GetWindowText(LPSTR buffer, int size) const { return ::GetWindowTextA(m_hWnd, buffer, size); }
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(const RECT* update, void* region, UINT flags) { return ::RedrawWindow(m_hWnd, update, region, flags); }
CWnd* CWnd::SetParent(CWnd* newParent) { return FromHandle(::SetParent(m_hWnd, newParent != nullptr ? newParent->m_hWnd : nullptr)); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) { return ::PostMessageA(m_hWnd, message, wParam, lParam); }
void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) { ::CheckRadioButton(m_hWnd, firstId, lastId, checkId); }
void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::GetWindowText(CString& text) const
{
    int length = GetWindowTextLength();
    LPSTR buffer = text.GetBuffer(length);
    ::GetWindowTextA(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer();
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, insertAfter != nullptr ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type)
{
    return ::MessageBoxA(m_hWnd, text, caption != nullptr ? caption : AfxAppTitle(), type);
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId)
{
    for (int id = firstId; id <= lastId; ++id) {
        if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED) {
            return id;
        }
    }
    return 0;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    BOOL destroyed = ::DestroyWindow(m_hWnd);
    AfxForgetDeadWindows();
    return destroyed;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return HIWORD(wParam) == BN_CLICKED && DispatchCommand(LOWORD(wParam));
}
