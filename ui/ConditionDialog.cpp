// The conditions dialog: start-up refusals and proposals, keyboard handling, Execute's checks, Browse.
#include "ConditionDialog.h"

#include <LgrFileMgr.h>
#include <afxdlgs.h>
#include <crtext.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "PathOps.h"
#include "resource.h"

namespace {

const char caption[] = "決算書";
const int pathCapacity = 261;

const char pastDataRefusal[] = "過去実績データは、連携の対象として使用できません。\n\nアプリケーションを終了します。";
const char companyLawRefusal[] =
    "選択された会計データは会社法(H18.5施行)に対応していないため、\n連携の対象として使用できません。\n"
    "(Zentalloを起動し、[事業所・消費税情報設定]にて会社法対応データへ   \n変換することで、連携ができます。)\n\n"
    "アプリケーションを終了します。";
const char cancelNotice[] = "｢決算書｣の集計を中止します。";
const char monthsRefusal[] = "集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。";
const char introMonthRefusal[] = "集計期間には、導入開始月より前は指定できません。";
const char noDestination[] = "データ出力先が指定されていません。\n\n出力先を指定してください。";
const char badCharacters[] = "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。";
const char badDrive[] = "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。";
const char noFileName[] = "ファイル名が指定されていません。";
const char createFolderQuestion[] = "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？";
const char createFolderFailed[] = "フォルダの作成に失敗しました。\n\n出力先を再入力してください。";
const char overwriteQuestion[] = "同名のファイルが存在します。\n\n上書きしてもよろしいですか？";

BOOL IsKeyHeld(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(ConditionDialog, CDialog)
ON_BN_CLICKED(IDC_EXECUTE, OnExecute)
ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
ON_BN_CLICKED(IDC_CANCEL_BUTTON, OnCancel)
END_MESSAGE_MAP()

ConditionDialog::ConditionDialog(CWnd* owner)
    : CDialog(IDD, owner), introMonth(0), companyLawReady(0), destinationFixed(FALSE), rememberedDestination{}
{
}

void ConditionDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_OUTPUT_GROUP, outputGroup);
    DDX_Control(dx, IDC_END_MONTH, endMonthEdit);
    DDX_Control(dx, IDC_START_MONTH, startMonthEdit);
    DDX_Control(dx, IDC_DESTINATION, destinationEdit);
    DDX_Control(dx, IDC_BROWSE, browseButton);
    DDX_Control(dx, IDC_EXECUTE, executeButton);
    DDX_Text(dx, IDC_PERIOD, periodText);
    DDX_Text(dx, IDC_COMPANY_NAME, companyNameText);
    DDX_Text(dx, IDC_DESTINATION, destination);
    DDX_Text(dx, IDC_END_MONTH, endMonthText);
    DDV_MaxChars(dx, endMonthText, 2);
    DDX_Text(dx, IDC_START_MONTH, startMonthText);
    DDV_MaxChars(dx, startMonthText, 2);
}

BOOL ConditionDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (isPastData == 1) {
        MessageBox(pastDataRefusal, caption, MB_ICONEXCLAMATION | MB_OK);
        EndDialog(IDC_CANCEL_BUTTON);
        return FALSE;
    }
    if (companyLawReady != 1) {
        MessageBox(companyLawRefusal, caption, MB_ICONEXCLAMATION | MB_OK);
        EndDialog(IDC_CANCEL_BUTTON);
        return FALSE;
    }
    destinationEdit.LimitText(255);

    short startMonth = 0;
    short endMonth = 0;
    short kind = 1;
    char path[pathCapacity] = {};
    memset(rememberedDestination, 0, sizeof(rememberedDestination));
    if (ReadRememberedDestination(&startMonth, &endMonth, &kind, path)) {
        memcpy(rememberedDestination, path, sizeof(rememberedDestination));
    } else {
        GetFiscalMonths(periodStart, periodEnd, &startMonth, &endMonth);
        endMonth = static_cast<short>(endMonth % 100);
    }

    CString proposal = path;
    if (proposal.IsEmpty()) {
        proposal = ClFileMgr::Inst()->GetAppFolderPath(0);
        if (proposal.IsEmpty()) {
            char temporary[pathCapacity] = {};
            DWORD length = GetTempPathA(pathCapacity, temporary);
            if (length >= static_cast<DWORD>(pathCapacity))
                temporary[0] = '\0';
            if (temporary[0] != '\0') {
                size_t bytes = strlen(temporary);
                if (IsDoubleByteAt(temporary, static_cast<int>(bytes) - 1)
                    || (temporary[bytes - 1] != '\\' && bytes < static_cast<size_t>(pathCapacity - 1)))
                    proposal = CString(temporary) + '\\';
                else
                    proposal = temporary;
            }
        }
        proposal += "*.xml";
    }

    if (!launcherDestination.IsEmpty()) {
        destination = launcherDestination;
        browseButton.EnableWindow(FALSE);
        destinationEdit.EnableWindow(FALSE);
        outputGroup.SetWindowText("出力先");
        destinationFixed = TRUE;
    } else {
        destination = proposal;
        destinationFixed = FALSE;
    }

    if (startMonth == 0)
        GetFiscalMonths(periodStart, periodEnd, &startMonth);
    startMonthText.Format("%d", startMonth);
    endMonthText.Format("%d", endMonth);

    CheckRadioButton(IDC_SHAREHOLDERS, IDC_MEMBERS, kind == 2 ? IDC_MEMBERS : IDC_SHAREHOLDERS);
    equityKind = kind;

    UpdateData(FALSE);
    return TRUE;
}

BOOL ConditionDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN || IsKeyHeld(VK_SHIFT) || IsKeyHeld(VK_CONTROL) || IsKeyHeld(VK_MENU))
        return CDialog::PreTranslateMessage(msg);

    if (msg->wParam == VK_F12) {
        OnExecute();
        return TRUE;
    }
    if (msg->wParam != VK_RETURN)
        return CDialog::PreTranslateMessage(msg);

    HWND focus = ::GetFocus();
    if (focus == startMonthEdit.GetSafeHwnd()) {
        FocusEdit(endMonthEdit);
    } else if (focus == endMonthEdit.GetSafeHwnd()) {
        if (browseButton.IsWindowEnabled())
            FocusEdit(destinationEdit);
        else
            executeButton.SetFocus();
    } else if (focus == destinationEdit.GetSafeHwnd()) {
        if (browseButton.IsWindowEnabled())
            browseButton.SetFocus();
        else
            executeButton.SetFocus();
    } else if (focus == browseButton.GetSafeHwnd()) {
        OnBrowse();
    } else if (focus == executeButton.GetSafeHwnd()) {
        OnExecute();
    } else {
        return CDialog::PreTranslateMessage(msg);
    }
    return TRUE;
}

void ConditionDialog::OnCancel()
{
    MessageBox(cancelNotice, caption, MB_ICONINFORMATION | MB_OK);
    EndDialog(IDC_CANCEL_BUTTON);
}

void ConditionDialog::OnOK()
{
}

void ConditionDialog::FocusEdit(CEdit& edit)
{
    edit.SetFocus();
    edit.SetSel(0, -1);
    edit.SendMessage(EM_SCROLLCARET);
}

void ConditionDialog::Refuse(LPCSTR text, CEdit& edit)
{
    MessageBox(text, caption, MB_ICONEXCLAMATION | MB_OK);
    FocusEdit(edit);
}

int ConditionDialog::Ask(LPCSTR text)
{
    return MessageBox(text, caption, MB_ICONQUESTION | MB_YESNO);
}

BOOL ConditionDialog::CheckMonths(short startMonth, short endMonth)
{
    short fiscalStart = 0;
    short fiscalEnd = 0;
    GetFiscalMonths(periodStart, periodEnd, &fiscalStart, &fiscalEnd);
    const int s = startMonth;
    const int e = endMonth;
    const int fs = fiscalStart;
    const int f = fiscalEnd % 100;
    const bool wraps = fiscalEnd / 100 != 0;

    struct Row {
        bool refused;
        CEdit* focus;
    };
    const Row rows[] = {
        {s < 1 || s > 12, &startMonthEdit},
        {e < 1 || e > 12, &endMonthEdit},
        {!wraps && s < fs, &startMonthEdit},
        {!wraps && e > f, &startMonthEdit},
        {!wraps && fs >= 1 && f <= 12 && s > e, &startMonthEdit},
        {wraps && fs < s && s <= 12 && fs <= e && e < s, &endMonthEdit},
        {wraps && 1 <= s && s <= f && (e < s || e > f), &endMonthEdit},
        {wraps && f < s && s < fs, &startMonthEdit},
        {wraps && f < e && e < fs, &startMonthEdit},
    };
    for (const Row& row : rows) {
        if (row.refused) {
            Refuse(monthsRefusal, *row.focus);
            return FALSE;
        }
    }

    short startPosition = 0;
    short endPosition = 0;
    GetFiscalMonths(periodStart, periodEnd, &fiscalStart, &fiscalEnd);
    GetMonthPositions(fiscalStart, fiscalEnd, startMonth, endMonth, &startPosition, &endPosition);
    if (endPosition < introMonth) {
        Refuse(introMonthRefusal, endMonthEdit);
        return FALSE;
    }
    return TRUE;
}

// The destination checks up to the folder; TRUE when the destination may be written.
BOOL ConditionDialog::CheckDestination()
{
    if (!IsValidDestinationText(destination)) {
        Refuse(badCharacters, destinationEdit);
        return FALSE;
    }
    if (!IsUsableDrive(destination)) {
        Refuse(badDrive, destinationEdit);
        return FALSE;
    }
    if (FileNamePartOf(destination).IsEmpty()) {
        Refuse(noFileName, destinationEdit);
        return FALSE;
    }
    CString folder = FolderPartOf(destination);
    if (!folder.IsEmpty() && _access(folder, 0) != 0) {
        if (Ask(createFolderQuestion) != IDYES) {
            FocusEdit(destinationEdit);
            return FALSE;
        }
        if (!CreateFolderPath(folder)) {
            Refuse(createFolderFailed, destinationEdit);
            return FALSE;
        }
    }
    return TRUE;
}

void ConditionDialog::OnExecute()
{
    if (!UpdateData(TRUE))
        return;
    equityKind = static_cast<short>(IsDlgButtonChecked(IDC_MEMBERS) == BST_CHECKED ? 2 : 1);

    const short startMonth = static_cast<short>(atoi(startMonthText));
    const short endMonth = static_cast<short>(atoi(endMonthText));
    if (!CheckMonths(startMonth, endMonth))
        return;

    if (destination.IsEmpty()) {
        MessageBox(noDestination, caption, MB_ICONEXCLAMATION | MB_OK);
        OnBrowse();
        return;
    }
    if (!CheckDestination())
        return;
    if (destinationFixed == 1) {
        EndDialog(IDC_EXECUTE);
        return;
    }

    struct _stat status;
    if (_stat(destination, &status) != 0) {
        EndDialog(IDC_EXECUTE);
        return;
    }
    if ((status.st_mode & _S_IFMT) == _S_IFDIR) {
        Refuse(noFileName, destinationEdit);
        return;
    }
    if (Ask(overwriteQuestion) != IDYES) {
        FocusEdit(destinationEdit);
        return;
    }
    EndDialog(IDC_EXECUTE);
}

void ConditionDialog::OnBrowse()
{
    if (!UpdateData(TRUE))
        return;
    CString folder = FolderPartOf(destination);
    CString name;
    if (!folder.IsEmpty()) {
        name = FileNamePartOf(destination);
    } else {
        // "C:a.xml" -> folder "C:", name "a.xml"
        int colon = -1;
        for (int i = 0; i < destination.GetLength(); i += IsDoubleByteAt(destination, i) ? 2 : 1) {
            if (destination[i] == ':')
                colon = i;
        }
        folder = destination.Left(colon + 1);
        name = destination.Mid(colon + 1);
    }

    CFileDialog dialog(FALSE, "XML", name, OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                       "Xml Files (*.xml)|*.xml||", this);
    dialog.m_ofn.lpstrTitle = "保存ファイルを指定";
    dialog.m_ofn.lpstrInitialDir = folder;
    if (dialog.DoModal() == IDOK) {
        destination = dialog.GetPathName();
        UpdateData(FALSE);
    }
    executeButton.SetFocus();
}
