// The application object: one export run from start-up to the result posted to a launching window.
#pragma once

#include <afxwin.h>

#include <AccountTotal.h>
#include <NoteDisplayFlags.h>
#include <OtherNotesLines.h>

#include <LgrCmn.h>
#include <LgrRecords.h>

// The outcome posted to the launching window.
enum RunResult : int32_t {
    RUN_RESULT_WRITTEN = 0,
    RUN_RESULT_CANCELLED = 1,
    RUN_RESULT_FAILED = 2,
};

// Notes the statements file cannot carry, with their warning lines; ended by number 0xFFFF.
struct UnsupportedNote {
    WORD noteNumber;
    LPCSTR line;
};
extern const UnsupportedNote UnsupportedNoteTable[];

class ConditionDialog;
class ProgressDialog;

class ExportApp : public CWinApp {
public:
    ExportApp();
    ~ExportApp() override;
    ExportApp(const ExportApp&) = delete;
    ExportApp& operator=(const ExportApp&) = delete;

    // The whole run; nonzero only when the statements file was written.
    BOOL InitInstance() override;
    // Frees the totals, closes the engine connection and reports to the launching window.
    int ExitInstance() override;

    // "HANDLE,MESSAGE,FUNCTION,DESTINATION": 1 for a complete launch line (three commas), else 0.
    // Fields are stored as they are read; the destination is the rest of the line, commas included.
    int ParseLaunchCommandLine(const char* commandLine);
    // 1 when VoransaDef.ini in the current directory states level 3; a refusal shows its message
    // when `showMessage` is nonzero.
    int CheckInstallCompatibility(int showMessage);
    // 1 with the selected data set copied into `out`; 0 with `out` zero-filled.
    int FindSelectedDataInfo(StDATAINFO& out);
    // 1 with the consumption-tax settings of `data`'s data set; 0 with `out` unchanged.
    int ReadConsumptionTaxInfo(StSHOHIZEIINFO& out, const StDATAINFO& data);
    // Fills the four condition entries for the calendar months startMonth..endMonth.
    void BuildFindConditions(StFINDINFO* entries, const StDATAINFO* data, int startMonth, int endMonth);
    void SplitOtherNotesLines(CString text);

    // The texts the conditions dialog shows: " %s" of the company name cut to 50 bytes on a
    // character boundary, and " yyyy/mm/dd～yyyy/mm/dd" of the fiscal year.
    static CString CompanyNameText(const StDATAINFO& data);
    static CString PeriodText(const StDATAINFO& data);

    int launchedByParent = 0;
    HWND parentWindow = nullptr;
    UINT notifyMessage = 0;
    short functionId = 3;
    CString launcherDestination;
    CWnd* parentWindowObject = nullptr;
    RunResult runResult = RUN_RESULT_WRITTEN;
    AccountTotalList accountTotalList;
    ClSetData* companyDataSet = nullptr;
    OtherNotesLines otherNotesLines;
    NoteDisplayFlags noteDisplayFlags = {};

private:
    // The run after the engine connection is open; its result is InitInstance's.
    BOOL RunExport();
    // Totals, notes and the statements file, with the progress window shown; reports the outcome.
    BOOL WriteStatements(ProgressDialog& progress, ConditionDialog& conditions, const StDATAINFO& data,
                         const StSHOHIZEIINFO& taxInfo, int startMonth, int endMonth, const CString& path,
                         short equityKind);
    void MakeProgramFolderCurrent();
    // The warning about flagged notes that the statements file cannot carry.
    void WarnUnsupportedNotes(CWnd& owner);
    void FreeAccountTotals();
};
