// The run sequence of one export, the installation check, the launch line and the exit report.
#include "ExportApp.h"

#include <cstdlib>
#include <cstring>

#include <crtext.h>
#include <windows.h>

#include <LgrCmn.h>
#include <LgrLink.h>

#include <ConditionDialog.h>
#include <Edition.h>
#include <LedgerTotals.h>
#include <PathOps.h>
#include <ProgressDialog.h>
#include <StatementXmlBuilder.h>

namespace {

const char MESSAGE_CAPTION[] = "決算書";
const char WRITE_FAILED_MESSAGE[] = "XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。";
const char WRITTEN_MESSAGE[] = "決算書情報の出力が終了しました。\n\nアプリケーションを終了します。";
const char UNSUPPORTED_NOTES_HEADER[] =
    "以下の注記は連動に対応していません。\nこれらの注記はVoransa上で手入力してください。\n\n";
const char UNSUPPORTED_NOTES_TRAILER[] = "\nこれらの注記を除いて処理を続行します。";

const char DEFINITION_FILE_NAME[] = "VoransaDef.ini";
const long EXPECTED_PROGRAM_LEVEL = 3;

struct LevelMessage {
    int levelCode;
    LPCSTR text;
};
const LevelMessage LEVEL_MESSAGES[] = {
    {-1, "動作環境が不正です。\nES_APRPACKAGENAMEが正しくインストールされているか確認してください。"},
    {1, "ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません。\n"
        "ES_APRPACKAGENAMEの最新版を入手してインストールしてからご利用ください。"},
    {2, "ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません。\n"
        "連動コンポーネントの最新版を入手してインストールしてからご利用ください。"},
};

// Condition field, comparisons, value kind and links of the engine's find entries.
const int32_t FIELD_POSTING_MONTH = 17;
const int16_t COMPARE_EQUAL = 1;
const int16_t COMPARE_NOT_BEFORE = 4;
const int16_t COMPARE_NOT_AFTER = 6;
const int16_t VALUE_KIND_NUMBER = 2;
const int16_t LINK_LAST = 0;
const int16_t LINK_AND = 1;
const int16_t LINK_OR = 2;
const int16_t PERIOD_INTERIM = 15;
const int16_t PERIOD_YEAR_END = 18;

const int CONDITION_CANCEL = 1003;
const int PAST_RESULTS_INTRO_MONTH = 99;

void SetFindEntry(StFINDINFO& entry, int16_t compare, int16_t value, int16_t link)
{
    std::memset(&entry, 0, sizeof entry);
    entry.fieldCode = FIELD_POSTING_MONTH;
    entry.compare = compare;
    entry.valueKind = VALUE_KIND_NUMBER;
    entry.value = value;
    entry.link = link;
}

// The index just after the last backslash, walking "C:\表\x.exe" by characters; -1 when none.
int AfterLastBackslash(LPCSTR path)
{
    int after = -1;
    for (int i = 0; path[i] != '\0'; ++i) {
        if (_ismbblead(static_cast<unsigned char>(path[i])) && path[i + 1] != '\0')
            ++i;
        else if (path[i] == '\\')
            after = i + 1;
    }
    return after;
}

// Numbers of the launch line, read as the C run-time reads them but defined for any text.
long LeadingNumber(const CString& field)
{
    return std::strtol(field, nullptr, 10);
}

}  // namespace

const UnsupportedNote UnsupportedNoteTable[] = {
    {32, "・会計上の見積もりに関する注記\n"},
    {20, "・会計上の見積もりの変更に関する注記\n"},
    {21, "・誤謬の訂正に関する注記\n"},
    {16, "・金融商品に関する注記\n"},
    {17, "・賃貸等不動産に関する注記\n"},
    {33, "・収益認識に関する注記\n"},
    {0xFFFF, nullptr},
};

ExportApp::ExportApp() = default;

ExportApp::~ExportApp()
{
    FreeAccountTotals();
}

BOOL ExportApp::InitInstance()
{
    AfxEnableControlContainer();

    ClLgrConnect* connect = ClLgrConnect::Inst();
    connect->m_pszMsgCaption = MESSAGE_CAPTION;
    connect->SetAppType(theEdition.appType);
    connect->SetUseDataType(1);
    if (connect->Initiate() != 0)
        return FALSE;

    if (ParseLaunchCommandLine(m_lpCmdLine) == 1) {
        launchedByParent = 1;
        parentWindowObject = CWnd::FromHandle(parentWindow);
        ::EnableWindow(parentWindow, FALSE);
        connect->m_hOwnerWnd = parentWindow;
    }

    MakeProgramFolderCurrent();

    if (!CheckInstallCompatibility(1)) {
        runResult = RUN_RESULT_FAILED;
        return FALSE;
    }

    const long link = connect->ExpSysLink();
    if (link == 1) {
        runResult = RUN_RESULT_CANCELLED;
        return FALSE;
    }
    if (link != 0) {
        runResult = RUN_RESULT_FAILED;
        return FALSE;
    }
    return RunExport();
}

BOOL ExportApp::RunExport()
{
    StDATAINFO data;
    std::memset(&data, 0, sizeof data);
    FindSelectedDataInfo(data);
    StSHOHIZEIINFO taxInfo;
    std::memset(&taxInfo, 0, sizeof taxInfo);
    ReadConsumptionTaxInfo(taxInfo, data);

    ConditionDialog conditions(parentWindowObject);
    if (ClSysUser* user = ClDataMgr::Inst()->GetSysUserObject()) {
        user->GetCurUserID(conditions.userId);
        user->GetSelectedNo(conditions.userId, conditions.selectedNo1, conditions.selectedNo2);
    }
    conditions.isPastData = data.introMonth == PAST_RESULTS_INTRO_MONTH ? TRUE : FALSE;
    conditions.launcherDestination.Empty();
    if (launchedByParent == 1)
        conditions.launcherDestination = launcherDestination;
    conditions.periodEnd = data.endDate;
    conditions.periodStart = data.startDate;
    conditions.introMonth = data.introMonth;
    conditions.companyNameText = CompanyNameText(data);
    conditions.periodText = PeriodText(data);
    conditions.companyLawReady = data.companiesActFlag;

    if (conditions.DoModal() == CONDITION_CANCEL) {
        runResult = RUN_RESULT_CANCELLED;
        return FALSE;
    }

    const int startMonth = static_cast<int>(LeadingNumber(conditions.startMonthText));
    const int endMonth = static_cast<int>(LeadingNumber(conditions.endMonthText));
    // Held whole: a launcher's destination is not cut to a path buffer.
    const CString path = conditions.destination;
    const short equityKind = conditions.equityKind;

    ProgressDialog progress;
    progress.Create(ProgressDialog::IDD, nullptr);
    if (parentWindowObject != nullptr)
        progress.SetParent(parentWindowObject);
    progress.ShowWindow(SW_SHOW);
    BeginWaitCursor();
    progress.ResetProgress();

    const BOOL result = WriteStatements(progress, conditions, data, taxInfo, startMonth, endMonth, path, equityKind);
    EndWaitCursor();
    return result;
}

BOOL ExportApp::WriteStatements(ProgressDialog& progress, ConditionDialog& conditions, const StDATAINFO& data,
                                const StSHOHIZEIINFO& taxInfo, int startMonth, int endMonth, const CString& path,
                                short equityKind)
{
    LedgerTotals ledger;
    ledger.progress = &progress;
    ledger.totals = &accountTotalList;
    StatementXmlBuilder builder;
    builder.progress = &progress;
    builder.totals = &accountTotalList;
    builder.ownerWindow = progress.GetSafeHwnd();
    builder.equityKind = equityKind;

    StFINDINFO findConditions[4];
    std::memset(findConditions, 0, sizeof findConditions);
    BuildFindConditions(findConditions, &data, startMonth, endMonth);

    // Half-collected totals would be written as if they were the books' figures: such a run fails
    // before any file is made.
    const bool useSecondAmountSet = taxInfo.keiriHoushiki != 0;
    BOOL written = ledger.CollectAccountTotals(useSecondAmountSet, findConditions, &data) != 0;

    if (written) {
        int notesPresent = 0;
        if (ledger.IsNotesInputEnabled() && ledger.IsNotesOutputEnabled()) {
            notesPresent = 1;
            std::memset(noteDisplayFlags, 0, sizeof noteDisplayFlags);
            ledger.ReadNoteDisplayFlags(noteDisplayFlags);
            builder.noteFlags = noteDisplayFlags;
            CString otherNotes;
            ledger.ReadOtherNotesText(otherNotes);
            SplitOtherNotesLines(otherNotes);
            builder.notesLines = &otherNotesLines;
            WarnUnsupportedNotes(progress);
        }
        builder.notesPresent = notesPresent;
        builder.progressBase = 500;
        written = builder.BuildDocument(path, functionId, &data) != 0;
    }

    if (!written) {
        progress.MessageBox(WRITE_FAILED_MESSAGE, MESSAGE_CAPTION, MB_ICONEXCLAMATION | MB_OK);
        progress.Close();
        RestoreWaitCursor();
        runResult = RUN_RESULT_FAILED;
        return FALSE;
    }

    conditions.SaveRememberedDestination(static_cast<short>(startMonth), static_cast<short>(endMonth), equityKind,
                                         launchedByParent == 1 ? nullptr : static_cast<LPCSTR>(path));
    progress.Close();
    RestoreWaitCursor();
    progress.MessageBox(WRITTEN_MESSAGE, MESSAGE_CAPTION, MB_ICONINFORMATION | MB_OK);
    return CWinApp::InitInstance();
}

void ExportApp::WarnUnsupportedNotes(CWnd& owner)
{
    CString text;
    for (const UnsupportedNote* note = UnsupportedNoteTable; note->noteNumber != 0xFFFF; ++note) {
        if (note->noteNumber >= NOTE_DISPLAY_FLAG_COUNT || noteDisplayFlags[note->noteNumber] == 0)
            continue;
        if (text.IsEmpty())
            text = UNSUPPORTED_NOTES_HEADER;
        text += note->line;
    }
    if (text.IsEmpty())
        return;
    text += UNSUPPORTED_NOTES_TRAILER;
    owner.MessageBox(text, MESSAGE_CAPTION, MB_ICONEXCLAMATION | MB_OK);
}

CString ExportApp::CompanyNameText(const StDATAINFO& data)
{
    // " %s" into 51 bytes, cut before a double-byte character that would not fit whole.
    unsigned char text[51] = {' '};
    _mbsnbcpy(text + 1, reinterpret_cast<const unsigned char*>(data.companyName), sizeof text - 2);
    text[sizeof text - 1] = '\0';
    return CString(reinterpret_cast<const char*>(text));
}

CString ExportApp::PeriodText(const StDATAINFO& data)
{
    CString text;
    text.Format(" %04d/%02d/%02d～%04d/%02d/%02d", data.startDate / 10000, data.startDate % 10000 / 100,
                data.startDate % 100, data.endDate / 10000, data.endDate % 10000 / 100, data.endDate % 100);
    return text;
}

void ExportApp::MakeProgramFolderCurrent()
{
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, folder, sizeof folder);
    if (length == 0 || length >= sizeof folder)
        return;
    const int after = AfterLastBackslash(folder);
    if (after < 0)
        return;
    folder[after] = '\0';
    SetCurrentDirectoryA(folder);
}

int ExportApp::CheckInstallCompatibility(int showMessage)
{
    char current[MAX_PATH + 1] = {};
    const DWORD currentLength = GetCurrentDirectoryA(sizeof current, current);
    if (currentLength == 0 || currentLength >= sizeof current)
        current[0] = '\0';

    char path[517] = {};
    std::strcpy(path, current);
    const size_t length = std::strlen(path);
    if (length > 0) {
        const int last = static_cast<int>(length) - 1;
        if (path[last] == '\\' && IsDoubleByteAt(path, last))
            std::strcat(path, "\\");
        else if (path[last] != '\\' && length < sizeof path - 1)
            std::strcat(path, "\\");
    }
    std::strcat(path, DEFINITION_FILE_NAME);

    int levelCode;
    if (_access(path, 0) != 0) {
        levelCode = -1;
    } else {
        char value[16] = {};
        GetPrivateProfileStringA("ProgramLevel", "KT31", "1", value, sizeof value, path);
        if (value[0] == '\0') {
            levelCode = -1;
        } else {
            const long level = std::strtol(value, nullptr, 10);
            levelCode = level == EXPECTED_PROGRAM_LEVEL ? 0 : level > EXPECTED_PROGRAM_LEVEL ? 2 : 1;
        }
    }

    for (const LevelMessage& message : LEVEL_MESSAGES) {
        if (message.levelCode != levelCode)
            continue;
        if (showMessage != 0)
            ClLgrConnect::Inst()->DispMsg(parentWindow, message.text, MESSAGE_CAPTION, MB_ICONEXCLAMATION | MB_OK);
        return 0;
    }
    return 1;
}

int ExportApp::ParseLaunchCommandLine(const char* commandLine)
{
    if (commandLine == nullptr || commandLine[0] == '\0')
        return 0;
    const CString line(commandLine);

    const int first = line.Find(',');
    if (first < 0)
        return 0;
    parentWindow = reinterpret_cast<HWND>(static_cast<LONG_PTR>(LeadingNumber(line.Left(first))));

    const int second = line.Find(',', first + 1);
    if (second < 0)
        return 0;
    notifyMessage = static_cast<UINT>(LeadingNumber(line.Mid(first + 1, second - first - 1)));

    const int third = line.Find(',', second + 1);
    if (third < 0)
        return 0;
    functionId = static_cast<short>(static_cast<int>(LeadingNumber(line.Mid(second + 1, third - second - 1))));

    if (third + 1 < line.GetLength())
        launcherDestination = line.Mid(third + 1);
    return 1;
}

int ExportApp::FindSelectedDataInfo(StDATAINFO& out)
{
    ClDataMgr* dataMgr = ClDataMgr::Inst();
    if (companyDataSet == nullptr)
        companyDataSet = static_cast<ClSetData*>(dataMgr->GetSetObject(5, 1));

    char userId[65] = {};
    int first = 0;
    int second = 0;
    if (ClSysUser* user = dataMgr->GetSysUserObject()) {
        user->GetCurUserID(userId);
        user->GetSelectedNo(userId, first, second);
    }

    std::memset(&out, 0, sizeof out);
    if (companyDataSet == nullptr)
        return 0;
    ClSetData::DATCURSOR cursor = nullptr;
    if (companyDataSet->GetDatCursor(&cursor) != 0)
        return 0;
    companyDataSet->ReadyDat(cursor, 0);

    int found = 0;
    StDATAINFO record;
    std::memset(&record, 0, sizeof record);
    while (companyDataSet->WalkDat(&record, cursor) == 0) {
        if (record.dataNo == second) {
            out = record;
            found = 1;
            break;
        }
        std::memset(&record, 0, sizeof record);
    }
    companyDataSet->ReleaseDatCursor(cursor);
    return found;
}

int ExportApp::ReadConsumptionTaxInfo(StSHOHIZEIINFO& out, const StDATAINFO& data)
{
    ClDataMgr* dataMgr = ClDataMgr::Inst();
    auto* taxSettings = static_cast<ClSetShohizei*>(dataMgr->GetSetObject(4, 1));
    if (taxSettings == nullptr)
        return 0;
    taxSettings->AttachSetMgr(dataMgr->GetSetMgr());
    // The record's ID field need not end with a NUL of its own.
    char dataId[sizeof data.dataId + 1] = {};
    std::memcpy(dataId, data.dataId, sizeof data.dataId);
    taxSettings->SetCurDataID(dataId);

    StSHOHIZEIINFO info;
    std::memset(&info, 0, sizeof info);
    if (taxSettings->Get(&info) != 0)
        return 0;
    out = info;
    return 1;
}

void ExportApp::BuildFindConditions(StFINDINFO* entries, const StDATAINFO* data, int startMonth, int endMonth)
{
    if (entries == nullptr || data == nullptr)
        return;
    short fiscalStart = 0;
    short fiscalEnd = 0;
    ConditionDialog::GetFiscalMonths(data->startDate, data->endDate, &fiscalStart, &fiscalEnd);
    short startPosition = 1;
    short endPosition = 1;
    ConditionDialog::GetMonthPositions(fiscalStart, fiscalEnd, static_cast<short>(startMonth),
                                       static_cast<short>(endMonth), &startPosition, &endPosition);

    SetFindEntry(entries[0], COMPARE_NOT_BEFORE, startPosition, LINK_AND);
    SetFindEntry(entries[1], COMPARE_NOT_AFTER, endPosition, LINK_LAST);
    int last = 1;
    if (data->interimClosing == 1 && endPosition == 6) {
        entries[last].link = LINK_OR;
        SetFindEntry(entries[++last], COMPARE_EQUAL, PERIOD_INTERIM, LINK_LAST);
    }
    if (endMonth == fiscalEnd % 100) {
        entries[last].link = LINK_OR;
        SetFindEntry(entries[++last], COMPARE_EQUAL, PERIOD_YEAR_END, LINK_LAST);
    }
}

void ExportApp::SplitOtherNotesLines(CString text)
{
    ::SplitOtherNotesLines(text, otherNotesLines);
}

int ExportApp::ExitInstance()
{
    FreeAccountTotals();

    ClLgrConnect* connect = ClLgrConnect::Inst();
    connect->LogOut();
    connect->Terminate();
    connect->Release();

    if (launchedByParent == 1) {
        ::SetForegroundWindow(parentWindow);
        ::EnableWindow(parentWindow, TRUE);
        ::PostMessageA(parentWindow, notifyMessage, static_cast<WPARAM>(static_cast<LONG_PTR>(functionId)),
                       static_cast<LPARAM>(runResult));
        ::EnableWindow(parentWindow, TRUE);
    }
    return CWinApp::ExitInstance();
}

void ExportApp::FreeAccountTotals()
{
    for (AccountTotal*& record : accountTotalList) {
        delete record;
        record = nullptr;
    }
    while (!accountTotalList.empty())
        accountTotalList.pop_front();
}
