// The control wrappers: each method sends one message to its control.
#include "afxcmn.h"

void CEdit::SetLimitText(UINT maxBytes) { SendMessage(EM_LIMITTEXT, maxBytes); }
void CEdit::ReplaceSel(LPCSTR text) { SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text)); }

void CEdit::SetSel(int start, int end, BOOL noScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
    if (!noScroll) {
        SendMessage(EM_SCROLLCARET);
    }
}

void CEdit::GetSel(int& start, int& end) const
{
    DWORD first = 0;
    DWORD last = 0;
    ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

int CButton::GetCheck() const { return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0)); }
void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }

void CProgressCtrl::SetRange(short lower, short upper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
void CProgressCtrl::SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
int CProgressCtrl::SetPos(int position) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(position))); }
int CProgressCtrl::GetPos() const { return static_cast<int>(::SendMessageA(m_hWnd, PBM_GETPOS, 0, 0)); }
int CProgressCtrl::OffsetPos(int delta) { return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(delta))); }
int CProgressCtrl::SetStep(int step) { return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step))); }
int CProgressCtrl::StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    lower = static_cast<int>(::SendMessageA(m_hWnd, PBM_GETRANGE, TRUE, 0));
    upper = static_cast<int>(::SendMessageA(m_hWnd, PBM_GETRANGE, FALSE, 0));
}
