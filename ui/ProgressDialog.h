// The modeless progress window of one export: a main bar in tenths of a percent and an activity bar.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

class ProgressDialog : public CDialog {
public:
    enum { IDD = 131 };

    ProgressDialog();

    void ResetProgress();
    // Steps the main bar once for every value from first to last; the caption shows whole percent.
    void AdvanceProgress(short first, short last);
    void PulseActivity();
    void Close();

    CProgressCtrl activityBar;
    CProgressCtrl mainBar;

protected:
    void DoDataExchange(CDataExchange* dx) override;
};
