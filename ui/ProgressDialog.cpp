// The progress window: repainted by its own operations, since no message loop runs during the work.
#include "ProgressDialog.h"

#include "resource.h"

ProgressDialog::ProgressDialog() : CDialog(IDD, nullptr)
{
}

void ProgressDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_ACTIVITY_BAR, activityBar);
    DDX_Control(dx, IDC_MAIN_BAR, mainBar);
}

void ProgressDialog::ResetProgress()
{
    mainBar.SetRange(0, 1000);
    mainBar.SetStep(1);
    mainBar.SetPos(0);
}

void ProgressDialog::AdvanceProgress(short first, short last)
{
    for (int value = first; value <= last; ++value) {
        if (value % 10 == 0) {
            CString text;
            text.Format("集計中 %d％", value / 10);
            SetWindowText(text);
        }
        mainBar.StepIt();
        PulseActivity();
        RedrawWindow();
    }
}

void ProgressDialog::PulseActivity()
{
    activityBar.SetRange(0, 5);
    activityBar.SetStep(1);
    activityBar.SetPos(0);
    for (int i = 0; i < 6; ++i) {
        activityBar.StepIt();
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow();
        RedrawWindow();
    }
}

void ProgressDialog::Close()
{
    EndDialog(1);
}
