// The conditions dialog: company and period shown, months, equity-statement kind and destination chosen.
#pragma once

#include <afxwin.h>

class ConditionDialog : public CDialog {
public:
    enum { IDD = 130 };

    explicit ConditionDialog(CWnd* owner = nullptr);

    // Months of the fiscal year of [firstDay, lastDay] (yyyymmdd): the calendar start month and the
    // calendar end month, plus 100 when the year wraps into the next calendar year. Each output is
    // written only when given.
    static void GetFiscalMonths(int firstDay, int lastDay, short* fiscalStart, short* fiscalEnd = nullptr);
    // Positions (1 = first month of the fiscal year) of the chosen calendar months; both outputs required.
    static void GetMonthPositions(short fiscalStart, short fiscalEnd, short startMonth, short endMonth,
                                  short* startPosition, short* endPosition);

    // The entry of userId/selectedNo1/selectedNo2 in the remembered-destinations file; `path` holds 261 bytes.
    BOOL ReadRememberedDestination(short* startMonth, short* endMonth, short* equityKind, char* path);
    // Rewrites that entry; without a destination, rememberedDestination is written back.
    BOOL SaveRememberedDestination(short startMonth, short endMonth, short equityKind,
                                   const char* destination = nullptr);

    CButton outputGroup;
    CEdit endMonthEdit;
    CEdit startMonthEdit;
    CEdit destinationEdit;
    CButton browseButton;
    CButton executeButton;
    CString periodText;
    CString companyNameText;
    CString destination;
    CString endMonthText;
    CString startMonthText;
    short introMonth;
    int selectedNo1 = 0;
    int selectedNo2 = 0;
    int periodStart = 0;
    int periodEnd = 0;
    BOOL isPastData = FALSE;
    short companyLawReady;
    CString launcherDestination;
    char userId[65] = {};
    short equityKind = 1;
    BOOL destinationFixed;
    char rememberedDestination[261];

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    // Enter on a control without a key of its own (a radio button) makes the dialog manager issue
    // IDOK; acceptance comes only through OnExecute, so that command does nothing here.
    void OnOK() override;

    void OnExecute();
    void OnBrowse();

    DECLARE_MESSAGE_MAP()

private:
    // Gives the edit the focus with all its text selected and the caret in view.
    void FocusEdit(CEdit& edit);
    void Refuse(LPCSTR text, CEdit& edit);
    int Ask(LPCSTR text);
    BOOL CheckMonths(short startMonth, short endMonth);
    BOOL CheckDestination();
    CString RememberedKey() const;
};
