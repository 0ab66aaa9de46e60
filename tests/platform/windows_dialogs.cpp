// Modal dialogs under the scripted user: key routing, tab order, ending, disabled controls, edits.
#include <afxcmn.h>

#include "windows_fixture.h"

BEGIN_MESSAGE_MAP(RecordingDialog, CDialog)
    ON_BN_CLICKED(IDC_RUN, OnRun)
    ON_BN_CLICKED(IDC_FIRST, OnFirst)
    ON_BN_CLICKED(IDC_GO, OnGo)
END_MESSAGE_MAP()

namespace {

using DialogRun = ScriptedUi;

TEST_F(DialogRun, EveryKeyReachesPreTranslateMessageBeforeTheDialogManager)
{
    Script("key TAB\nkey SHIFT+TAB\nkey CTRL+F12\nkey ALT+F4\ntype 7\nkey ESC\n");
    RecordingDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    // The focus each key saw is the one before the dialog manager moved it.
    struct Expected {
        UINT message;
        WPARAM wParam;
        int focusId;
        bool shift, ctrl, alt;
    } expected[] = {
        {WM_KEYDOWN, VK_TAB, IDC_NAME, false, false, false},
        {WM_KEYDOWN, VK_TAB, IDC_NUMBER, true, false, false},
        {WM_KEYDOWN, VK_F12, IDC_NAME, false, true, false},
        {WM_SYSKEYDOWN, VK_F4, IDC_NAME, false, false, true},
        {WM_CHAR, '7', IDC_NAME, false, false, false},
        {WM_KEYDOWN, VK_ESCAPE, IDC_NAME, false, false, false},
    };
    ASSERT_EQ(dialog.seen.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(dialog.seen[i].message, expected[i].message);
        EXPECT_EQ(dialog.seen[i].wParam, expected[i].wParam);
        EXPECT_EQ(dialog.seen[i].focusId, expected[i].focusId);
        EXPECT_EQ(dialog.seen[i].shift, expected[i].shift);
        EXPECT_EQ(dialog.seen[i].ctrl, expected[i].ctrl);
        EXPECT_EQ(dialog.seen[i].alt, expected[i].alt);
    }
    EXPECT_EQ(dialog.name, "");   // Esc ends without exchanging the texts back
}

TEST_F(DialogRun, AKeyTakenByPreTranslateMessageSkipsTheDefaultProcessing)
{
    Script("key TAB\nkey ESC\n");
    RecordingDialog dialog;
    dialog.swallowKey = VK_TAB;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    std::vector<std::string> focus = Events("focus");
    ASSERT_EQ(focus.size(), 1u);   // only the first control at the start
    EXPECT_EQ(focus[0], R"({"event":"focus","id":11,"selection":[0,0]})");
}

TEST_F(DialogRun, TabWalksTheTabStopsInTemplateOrderSkippingDisabledOnes)
{
    Script("key TAB\nkey TAB\nkey TAB\nkey TAB\nkey SHIFT+TAB\nkey SHIFT+TAB\nkey ESC\n");
    RecordingDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    std::vector<int> ids;
    for (const std::string& line : Events("focus")) {
        ids.push_back(std::stoi(line.substr(line.find("\"id\":") + 5)));
    }
    EXPECT_EQ(ids, (std::vector<int>{IDC_NAME, IDC_NUMBER, IDC_RUN, IDCANCEL, IDC_NAME, IDCANCEL, IDC_RUN}));
}

TEST_F(DialogRun, AnEditReachedByTabHasAllItsTextSelectedAndOneClickedIntoKeepsTheCaretAtTheEnd)
{
    Script(U8(u8"set 11 名前\nkey TAB\nkey SHIFT+TAB\nfocus 12\nfocus 11\nkey ESC\n"));
    RecordingDialog dialog;
    dialog.DoModal();
    std::vector<std::string> focus = Events("focus");
    ASSERT_EQ(focus.size(), 5u);
    EXPECT_EQ(focus[2], R"({"event":"focus","id":11,"selection":[0,4]})");   // Shift+Tab back: all selected
    EXPECT_EQ(focus[4], R"({"event":"focus","id":11,"selection":[4,4]})");   // clicked into: caret at the end
}

TEST_F(DialogRun, EscEndsDoModalWithCancelAndEndDialogReturnsItsCode)
{
    struct Case {
        const char* script;
        int endOnRun;
        INT_PTR code;
    } cases[] = {
        {"key ESC\n", 0, IDCANCEL},
        {"click 2\n", 0, IDCANCEL},
        {"click 16\n", 42, 42},
        {"focus 16\nkey SPACE\n", 7, 7},
        {"focus 16\nkey ENTER\n", 1234, 1234},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        Script(c.script);
        RecordingDialog dialog;
        dialog.endOnRun = c.endOnRun;
        EXPECT_EQ(dialog.DoModal(), c.code);
        EXPECT_FALSE(::IsWindow(dialog.GetSafeHwnd()));
    }
    std::vector<std::string> ends = Events("dialog");
    ASSERT_EQ(ends.size(), 10u);   // open and end of each
    EXPECT_NE(ends[5].find(R"("state":"end","code":42,)"), std::string::npos) << ends[5];
}

TEST_F(DialogRun, TheCloseBoxIsTheStandardCancel)
{
    // The close box arrives as a posted system command while the dialog waits.
    class ClosingDialog : public RecordingDialog {
    public:
        void OnCancel() override
        {
            ++cancels;
            RecordingDialog::OnCancel();
        }
        BOOL OnInitDialog() override
        {
            ::PostMessageA(m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            return RecordingDialog::OnInitDialog();
        }
        int cancels = 0;
    } dialog;
    Script("click 16\n");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.cancels, 1);
    EXPECT_TRUE(dialog.clicks.empty());   // the script's click was never needed
}

TEST_F(DialogRun, EnterGivesTheDefaultButtonOrOk)
{
    Script("key ENTER\n");
    RecordingDialog withDefault(IDD_DEFAULT);
    EXPECT_EQ(withDefault.DoModal(), IDC_GO);

    // Without a default button Enter is IDOK, whose OnOK exchanges the texts and ends with 1.
    Script("set 11 abc\nset 12 12\nkey ENTER\n");
    RecordingDialog plain;
    EXPECT_EQ(plain.DoModal(), IDOK);
    EXPECT_EQ(plain.name, "abc");
    EXPECT_EQ(plain.number, "12");
}

TEST_F(DialogRun, ADisabledControlTakesNoClickAndNoFocus)
{
    Script("click 15\nfocus 15\nkey ESC\n");
    RecordingDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.clicks.empty());
    for (const std::string& line : Events("focus")) {
        EXPECT_EQ(line.find("\"id\":15"), std::string::npos) << line;
    }
    for (const std::string& line : Events("wait")) {
        EXPECT_NE(line.find("\"focus\":11"), std::string::npos) << line;
    }
}

// A dialog that disables its focused name edit on F5 and then tries to focus it again.
class DisablingDialog : public RecordingDialog {
public:
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_F5) {
            HWND name = ::GetDlgItem(m_hWnd, IDC_NAME);
            ::EnableWindow(name, FALSE);
            focusAfterDisable = ::GetDlgCtrlID(::GetFocus());
            ::SetFocus(name);
            focusAfterSetFocus = ::GetDlgCtrlID(::GetFocus());
            return TRUE;
        }
        return RecordingDialog::PreTranslateMessage(msg);
    }
    int focusAfterDisable = 0;
    int focusAfterSetFocus = 0;
};

TEST_F(DialogRun, DisablingTheFocusedControlMovesTheFocusOn)
{
    Script("key F5\ntype 5\nkey ESC\n");
    DisablingDialog dialog;
    dialog.DoModal();
    EXPECT_EQ(dialog.focusAfterDisable, IDC_NUMBER);
    EXPECT_EQ(dialog.focusAfterSetFocus, IDC_NUMBER);
    std::vector<std::string> ends = Events("dialog");
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_NE(ends[1].find(R"({"id":11,"text":"","enabled":false},{"id":12,"text":"5","enabled":true})"), std::string::npos)
        << ends[1];
}

TEST_F(DialogRun, RadioButtonsOfAGroupCheckOneAtATime)
{
    Script("click 14\nclick 13\nkey DOWN\nkey ESC\n");
    RecordingDialog dialog;
    dialog.DoModal();
    EXPECT_EQ(dialog.clicks, (std::vector<int>{IDC_FIRST}));
    std::vector<std::string> dialogs = Events("dialog");
    ASSERT_EQ(dialogs.size(), 2u);
    // Down from the first moved to and checked the second.
    EXPECT_NE(dialogs[1].find(U8(u8R"({"id":13,"text":"一","enabled":true,"checked":false},{"id":14,"text":"二","enabled":true,"checked":true})")),
              std::string::npos)
        << dialogs[1];
}

TEST_F(DialogRun, EditsTypeWithinTheirLimitDigitsOnlyAndWholeCharacters)
{
    struct Case {
        const char8_t* script;
        const char* nameText;     // as the program holds it
        const char* numberText;
    } cases[] = {
        {u8"type abc\n", "abc", ""},
        {u8"type 123456789\n", "12345678", ""},                  // DDV_MaxChars limited the edit to 8 bytes
        {u8"type 1234567漢\n", "1234567", ""},                    // the 2-byte character does not fit
        {u8"type 漢字\nkey BACKSPACE\n", "漢", ""},               // backspace takes a whole character
        {u8"set 12 4a5\n", "", "45"},                              // ES_NUMBER: digits only
        {u8"set 12 123\n", "", "12"},
        {u8"type abcd\nkey HOME\nkey SHIFT+RIGHT\nkey SHIFT+RIGHT\ntype X\n", "Xcd", ""},
        {u8"type abcd\nkey LEFT\nkey DELETE\nkey SHIFT+HOME\nkey DELETE\n", "", ""},
        {u8"type 漢字\nkey LEFT\ntype a\n", "漢a字", ""},
        {u8"type ab\nkey HOME\nkey SPACE\n", " ab", ""},
        {u8"set 11 abc  \n", "abc  ", ""},                         // trailing blanks are kept
        {u8"set 11 abc\nset 11\n", "", ""},                        // set without a text clears
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(U8(c.script));
        Script(std::string(U8(c.script)) + "click 16\n");
        RecordingDialog dialog;
        dialog.endOnRun = 5;
        ASSERT_EQ(dialog.DoModal(), 5);
        EXPECT_EQ(std::string(dialog.name), c.nameText);
        EXPECT_EQ(std::string(dialog.number), c.numberText);
    }
}

TEST_F(DialogRun, AMissingTemplateMakesDoModalFail)
{
    Script("");
    RecordingDialog dialog(999);
    testing::internal::CaptureStderr();
    EXPECT_EQ(dialog.DoModal(), -1);
    std::string error = testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find("dialog template 999"), std::string::npos) << error;
    EXPECT_TRUE(Events("dialog").empty());
}

// A dialog that refuses at start: it ends inside OnInitDialog and is never shown.
class RefusingDialog : public RecordingDialog {
public:
    BOOL OnInitDialog() override
    {
        RecordingDialog::OnInitDialog();
        MessageBox("refused", "caption", MB_ICONEXCLAMATION | MB_OK);
        EndDialog(1003);
        return FALSE;
    }
};

TEST_F(DialogRun, ADialogEndedDuringItsInitialisationIsNeverShown)
{
    Script("");
    RefusingDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 1003);
    std::vector<std::string> lines = Transcript();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], R"({"event":"msgbox","caption":"caption","text":"refused","icon":"exclamation","buttons":"ok","owner":900,"answer":"ok"})");
    EXPECT_EQ(lines[1].rfind(U8(u8R"({"event":"dialog","id":900,"state":"end","code":1003,"caption":"テスト","controls":[)"), 0), 0u) << lines[1];
}

// A dialog whose handlers throw: nothing crosses the dialog's border, the dialog goes on.
class ThrowingDialog : public RecordingDialog {
public:
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_F5) {
            throw std::runtime_error("F5 broke");
        }
        return RecordingDialog::PreTranslateMessage(msg);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_RUN) {
            throw new CFileException(CFileException::diskFull);
        }
        return RecordingDialog::OnCommand(wParam, lParam);
    }
};

TEST_F(DialogRun, NoExceptionCrossesTheModalLoop)
{
    Script("key F5\nclick 16\nkey ESC\n");
    ThrowingDialog dialog;
    testing::internal::CaptureStderr();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    std::string error = testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find("F5 broke"), std::string::npos) << error;
    EXPECT_NE(error.find("a framework exception"), std::string::npos) << error;
}

TEST_F(DialogRun, TheEndEventCarriesEveryControlsFinalState)
{
    // A modeless dialog with a progress bar, ended like the progress window.
    Script("");
    CDialog dialog(IDD_TEST);
    ASSERT_TRUE(dialog.Create(IDD_TEST));
    CProgressCtrl bar;
    ASSERT_TRUE(bar.SubclassDlgItem(IDC_BAR, &dialog));
    bar.SetRange(0, 1000);
    bar.SetStep(1);
    for (int i = 0; i < 300; ++i) {
        bar.StepIt();
    }
    ::SetWindowTextA(::GetDlgItem(dialog.GetSafeHwnd(), IDC_NAME), "名");
    ::EnableWindow(::GetDlgItem(dialog.GetSafeHwnd(), IDC_RUN), FALSE);
    ::CheckRadioButton(dialog.GetSafeHwnd(), IDC_FIRST, IDC_SECOND, IDC_SECOND);
    dialog.ShowWindow(SW_SHOW);
    dialog.EndDialog(1);
    EXPECT_FALSE(::IsWindowVisible(dialog.GetSafeHwnd()));
    dialog.DestroyWindow();
    EXPECT_EQ(bar.GetSafeHwnd(), nullptr);

    std::vector<std::string> lines = Events("dialog");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1],
              std::string(U8(u8R"({"event":"dialog","id":900,"state":"end","code":1,"caption":"テスト","controls":[)"
              u8R"({"id":10,"text":"名前","enabled":true},{"id":11,"text":"名","enabled":true},)"
              u8R"({"id":12,"text":"","enabled":true},{"id":13,"text":"一","enabled":true,"checked":false},)"
              u8R"({"id":14,"text":"二","enabled":true,"checked":true},{"id":15,"text":"Off","enabled":false},)"
              u8R"({"id":16,"text":"Run","enabled":false},{"id":17,"text":"","enabled":true,"pos":300,"range":[0,1000]},)"
              u8R"({"id":2,"text":"Cancel","enabled":true},{"id":-1,"text":"：","enabled":true}]})")));
}

TEST_F(DialogRun, CaptionEventsComeOnlyWhenTheShownCaptionChanges)
{
    Script("");
    CDialog dialog(IDD_TEST);
    ASSERT_TRUE(dialog.Create(IDD_TEST));
    dialog.SetWindowText("hidden");       // not shown yet: no event
    dialog.ShowWindow(SW_SHOW);
    for (int value = 0; value <= 25; ++value) {
        CString text;
        text.Format("集計中 %d％", value / 10);
        dialog.SetWindowText(text);
        dialog.RedrawWindow();
    }
    dialog.EndDialog(1);
    std::vector<std::string> captions = Events("caption");
    ASSERT_EQ(captions.size(), 3u);
    EXPECT_EQ(captions[0], U8(u8R"({"event":"caption","window":900,"text":"集計中 0％"})"));
    EXPECT_EQ(captions[2], U8(u8R"({"event":"caption","window":900,"text":"集計中 2％"})"));
}

TEST_F(DialogRun, ProgressStepsWrapPastTheEndAndRangesClampThePosition)
{
    Script("");
    CDialog dialog(IDD_TEST);
    ASSERT_TRUE(dialog.Create(IDD_TEST));
    CProgressCtrl bar;
    ASSERT_TRUE(bar.SubclassDlgItem(IDC_BAR, &dialog));
    bar.SetRange(0, 5);
    bar.SetStep(1);
    bar.SetPos(0);
    for (int i = 0; i < 6; ++i) {
        bar.StepIt();
    }
    EXPECT_EQ(bar.GetPos(), 1);
    int low = -1;
    int high = -1;
    bar.GetRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 5);
    EXPECT_EQ(bar.SetPos(99), 1);
    EXPECT_EQ(bar.GetPos(), 5);
    dialog.DestroyWindow();
}

TEST_F(DialogRun, AModalDialogDisablesItsOwnOwnerAndLeavesAForeignOneAlone)
{
    Script("");
    CDialog owner(IDD_DEFAULT);
    ASSERT_TRUE(owner.Create(IDD_DEFAULT));
    owner.ShowWindow(SW_SHOW);

    // Seen from inside: the owner is disabled while the modal dialog runs.
    class OwnedDialog : public RecordingDialog {
    public:
        using RecordingDialog::RecordingDialog;
        BOOL OnInitDialog() override
        {
            ownerEnabled = ::IsWindowEnabled(m_pParentWnd->GetSafeHwnd());
            return RecordingDialog::OnInitDialog();
        }
        BOOL ownerEnabled = TRUE;
    } owned(IDD_TEST, &owner);
    EXPECT_EQ(owned.DoModal(), IDCANCEL);
    EXPECT_FALSE(owned.ownerEnabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    owner.DestroyWindow();

    RecordingDialog launched(IDD_TEST, CWnd::FromHandle(reinterpret_cast<HWND>(4242)));
    EXPECT_EQ(launched.DoModal(), IDCANCEL);
    EXPECT_TRUE(Events("foreign").empty());
}

TEST_F(DialogRun, FromHandleGivesTheAttachedObjectOrAPermanentWrapper)
{
    Script("");
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST));
    EXPECT_EQ(CWnd::FromHandle(dialog.GetSafeHwnd()), &dialog);
    CWnd* wrapper = CWnd::FromHandle(::GetDlgItem(dialog.GetSafeHwnd(), IDC_RUN));
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper, dialog.GetDlgItem(IDC_RUN));
    EXPECT_EQ(wrapper->GetDlgCtrlID(), IDC_RUN);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST_F(DialogRun, HandlesStartAboveTheLaunchersSmallOnes)
{
    Script("");
    CDialog dialog(IDD_TEST);
    ASSERT_TRUE(dialog.Create(IDD_TEST));
    EXPECT_GE(reinterpret_cast<uintptr_t>(dialog.GetSafeHwnd()), 0x10000u);
    EXPECT_FALSE(::IsWindow(reinterpret_cast<HWND>(1234)));
    dialog.DestroyWindow();
}

TEST_F(DialogRun, LoadStringReadsTheRegisteredTableWithinTheBuffer)
{
    char buffer[16];
    EXPECT_EQ(LoadStringA(AfxGetResourceHandle(), 1, buffer, sizeof buffer), 8);
    EXPECT_STREQ(buffer, "21.00.03");
    EXPECT_EQ(LoadStringA(AfxGetResourceHandle(), 2, buffer, 4), 2);   // never half of "算"
    EXPECT_STREQ(buffer, "決");
    EXPECT_EQ(LoadStringA(AfxGetResourceHandle(), 77, buffer, sizeof buffer), 0);
}

}  // namespace

namespace {

TEST_F(DialogRun, AMillionRepaintsAndStepsWriteNothingButTheCaptions)
{
    // The progress window of a long run: every step repaints and comes to the front.
    Script("");
    CDialog dialog(IDD_TEST);
    ASSERT_TRUE(dialog.Create(IDD_TEST));
    CProgressCtrl bar;
    ASSERT_TRUE(bar.SubclassDlgItem(IDC_BAR, &dialog));
    dialog.ShowWindow(SW_SHOW);
    bar.SetRange(0, 1000);
    bar.SetStep(1);
    for (int step = 0; step < 200000; ++step) {
        if (step % 2000 == 0) {
            CString text;
            text.Format("%d", step / 2000);
            dialog.SetWindowText(text);
        }
        bar.StepIt();
        for (int sweep = 0; sweep < 6; ++sweep) {
            dialog.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            dialog.SetForegroundWindow();
            dialog.RedrawWindow();
        }
    }
    dialog.EndDialog(1);
    dialog.DestroyWindow();
    EXPECT_EQ(Events("caption").size(), 100u);
    EXPECT_EQ(Transcript().size(), 103u);   // open, its first focus, 100 captions, end
}

}  // namespace
