// The module's resources: the conditions and progress dialog templates, the version string and block.
#include <dlgtemplate.h>
#include <windows.h>

#include "resource.h"

namespace {

const DWORD child = WS_CHILD | WS_VISIBLE;
const DWORD label = child | SS_LEFT | SS_CENTERIMAGE;
const DWORD groupLabel = label | WS_GROUP;
const DWORD colon = child | SS_RIGHT;
const DWORD monthEdit = child | ES_NUMBER | ES_RIGHT | WS_BORDER | WS_TABSTOP;
const DWORD radio = child | BS_AUTORADIOBUTTON;
const DWORD groupButton = child | BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP;

// Template order is the tab order.
const DialogItemTemplate conditionItems[] = {
    {IDC_OFFICE_LABEL, ControlClass::Static, "事業所名", 7, 7, 35, 12, groupLabel},
    {IDC_STATIC, ControlClass::Static, "：", 58, 7, 9, 12, colon},
    {IDC_COMPANY_NAME, ControlClass::Static, " 会社名", 73, 7, 165, 12, label},
    {IDC_PERIOD_LABEL, ControlClass::Static, "会計期間", 7, 28, 35, 12, groupLabel},
    {IDC_STATIC, ControlClass::Static, "：", 58, 28, 9, 12, colon},
    {IDC_PERIOD, ControlClass::Static, " 2002/01/11～2002/12/31", 73, 28, 165, 12, label},
    {IDC_RANGE_LABEL, ControlClass::Static, "集計期間", 7, 49, 35, 12, groupLabel},
    {IDC_STATIC, ControlClass::Static, "：", 58, 49, 9, 12, colon},
    {IDC_START_MONTH_LABEL, ControlClass::Static, "月度(&S)", 96, 49, 25, 12, child | SS_LEFT},
    {IDC_START_MONTH, ControlClass::Edit, "", 73, 49, 18, 12, monthEdit},
    {IDC_RANGE_TILDE, ControlClass::Static, "～", 122, 50, 8, 12, colon},
    {IDC_END_MONTH_LABEL, ControlClass::Static, "月度(&E)", 159, 49, 25, 12, child | SS_LEFT},
    {IDC_END_MONTH, ControlClass::Edit, "", 137, 49, 18, 12, monthEdit},
    {IDC_EQUITY_LABEL1, ControlClass::Static, "株主／社員資本", 7, 70, 50, 12, groupLabel},
    {IDC_EQUITY_LABEL2, ControlClass::Static, "等変動計算書の", 7, 80, 50, 12, groupLabel},
    {IDC_EQUITY_LABEL3, ControlClass::Static, "選択", 7, 90, 50, 12, groupLabel},
    {IDC_STATIC, ControlClass::Static, "：", 58, 70, 9, 12, colon},
    {IDC_SHAREHOLDERS, ControlClass::Button, "株主資本等変動計算書の情報を出力する(&K)", 74, 71, 178, 11, radio},
    {IDC_MEMBERS, ControlClass::Button, "社員資本等変動計算書の情報を出力する(&M)", 74, 84, 178, 11, radio},
    {IDC_OUTPUT_GROUP, ControlClass::Button, "出力先(&O)", 7, 107, 267, 35, child | BS_GROUPBOX},
    {IDC_DESTINATION, ControlClass::Edit, "", 12, 121, 195, 12, child | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
    {IDC_BROWSE, ControlClass::Button, "参照(&D)...", 211, 120, 57, 14, child | BS_PUSHBUTTON | WS_TABSTOP},
    {IDC_EXECUTE, ControlClass::Button, "実行(F12)", 156, 147, 57, 14, groupButton},
    {IDC_CANCEL_BUTTON, ControlClass::Button, "キャンセル(Esc)", 217, 147, 57, 14, groupButton},
};

const DialogItemTemplate progressItems[] = {
    {IDC_MAIN_BAR, ControlClass::Progress, "Progress1", 5, 6, 211, 22, child | WS_BORDER | PBS_SMOOTH},
    {IDC_ACTIVITY_BAR, ControlClass::Progress, "Progress2", 5, 29, 211, 10, child | WS_BORDER},
};

const char fontName[] = "ＭＳ Ｐゴシック";

const DialogTemplate dialogs[] = {
    {IDD_CONDITION, "決算書 - 集計条件", 281, 167, fontName, 9,
     DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, conditionItems,
     static_cast<int>(sizeof(conditionItems) / sizeof(conditionItems[0]))},
    {IDD_PROGRESS, "集計中", 221, 45, fontName, 9, DS_SETFONT | DS_MODALFRAME | DS_SYSMODAL | WS_POPUP | WS_CAPTION,
     progressItems, static_cast<int>(sizeof(progressItems) / sizeof(progressItems[0]))},
};

const StringResource strings[] = {
    {IDS_PROGRAM_VERSION, "21.00.03"},
};

const VersionInfo version = {
    "21.00.03", "21.00.03", "", "決算書 連動", "StmtPort", "StmtPort.exe",
};

const ResourceTable resources = {
    dialogs, static_cast<int>(sizeof(dialogs) / sizeof(dialogs[0])),
    strings, static_cast<int>(sizeof(strings) / sizeof(strings[0])),
    &version,
};

// The object library is linked whole into each program, so this runs before the first dialog.
[[maybe_unused]] const bool registered = (RegisterModuleResources(&resources), true);

}  // namespace
