// The scripted user and the transcript: message boxes, save-file dialogs, waits and script errors.
#include <afxdlgs.h>

#include "windows_fixture.h"

namespace {

using ScriptedInput = ScriptedUi;

TEST_F(ScriptedInput, MessageBoxesAreLoggedWithCaptionTextIconButtonsOwnerAndAnswer)
{
    struct Case {
        UINT type;
        const char* answer;     // script line, or nullptr for none
        int result;
        const char* icon;
        const char* buttons;
        const char* answerName;
    } cases[] = {
        {MB_ICONEXCLAMATION | MB_OK, nullptr, IDOK, "exclamation", "ok", "ok"},
        {MB_ICONQUESTION | MB_YESNO, "answer YES", IDYES, "question", "yesno", "yes"},
        {MB_ICONQUESTION | MB_YESNO, "answer no", IDNO, "question", "yesno", "no"},
        {MB_ICONINFORMATION | MB_OK, "answer OK", IDOK, "information", "ok", "ok"},
        {MB_ICONHAND | MB_OKCANCEL, "answer CANCEL", IDCANCEL, "warning", "okcancel", "cancel"},
        {MB_YESNOCANCEL, "answer CANCEL", IDCANCEL, "none", "yesnocancel", "cancel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.icon + std::string(" ") + c.buttons);
        FreshTranscript();
        Script(c.answer != nullptr ? std::string(c.answer) + "\n" : std::string());
        EXPECT_EQ(MessageBoxA(nullptr, "本文", "決算書", c.type), c.result);
        std::vector<std::string> lines = Transcript();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0], std::string(U8(u8R"({"event":"msgbox","caption":"決算書","text":"本文","icon":")")) + c.icon +
                                R"(","buttons":")" + c.buttons + R"(","owner":null,"answer":")" + c.answerName + "\"}");
    }
}

TEST_F(ScriptedInput, TheOwnerIsTheDialogsTemplateOrTheForeignHandle)
{
    Script("answer OK\nanswer OK\n");
    CDialog dialog(IDD_TEST);
    ASSERT_TRUE(dialog.Create(IDD_TEST));
    // A control of the dialog counts as the dialog.
    MessageBoxA(::GetDlgItem(dialog.GetSafeHwnd(), IDC_RUN), "a", "c", MB_OK);
    MessageBoxA(reinterpret_cast<HWND>(4242), "b", "c", MB_OK);
    dialog.DestroyWindow();
    std::vector<std::string> boxes = Events("msgbox");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].find(R"("owner":900,"answer":"ok")"), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[1].find(R"("owner":4242,"foreign":true,"answer":"ok")"), std::string::npos) << boxes[1];
}

TEST_F(ScriptedInput, AnOkBoxLeavesAnActionThatIsNoAnswerForLater)
{
    Script("click 16\n");
    EXPECT_EQ(MessageBoxA(nullptr, "notice", "c", MB_ICONINFORMATION), IDOK);
    RecordingDialog dialog;
    dialog.endOnRun = 9;
    EXPECT_EQ(dialog.DoModal(), 9);
    EXPECT_TRUE(Events("script-error").empty());
}

TEST_F(ScriptedInput, AQuestionWithoutAnAnswerIsAScriptErrorAnsweredNo)
{
    Script("click 16\n");
    EXPECT_EQ(MessageBoxA(nullptr, "上書きしますか？", "c", MB_ICONQUESTION | MB_YESNO), IDNO);
    std::vector<std::string> errors = Events("script-error");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(U8(u8"line 1: expected an answer to the message box \\\"上書きしますか？\\\" (yesno)")),
              std::string::npos)
        << errors[0];
    // The click was left for the dialog.
    RecordingDialog dialog;
    dialog.endOnRun = 9;
    EXPECT_EQ(dialog.DoModal(), 9);
}

TEST_F(ScriptedInput, WithTheScriptEndedABoxGetsItsSafeAnswer)
{
    struct Case {
        UINT type;
        int answer;
        size_t errors;
    } cases[] = {
        {MB_OK, IDOK, 0}, {MB_YESNO, IDNO, 1}, {MB_OKCANCEL, IDCANCEL, 1}, {MB_YESNOCANCEL, IDCANCEL, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        FreshTranscript();
        Script("");
        EXPECT_EQ(MessageBoxA(nullptr, "t", "c", c.type), c.answer);
        EXPECT_EQ(Events("script-error").size(), c.errors);
        EXPECT_EQ(Events("msgbox").size(), 1u);
    }
}

TEST_F(ScriptedInput, AnAnswerTheBoxDoesNotHaveIsConsumedAsAScriptError)
{
    Script("answer YES\n");
    EXPECT_EQ(MessageBoxA(nullptr, "t", "c", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(Events("script-error").size(), 1u);
    EXPECT_EQ(MessageBoxA(nullptr, "t", "c", MB_YESNO), IDNO);   // the script has ended
}

TEST_F(ScriptedInput, AScriptThatRunsOutPressesEsc)
{
    Script("type ab\n");
    RecordingDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_FALSE(dialog.seen.empty());
    EXPECT_EQ(dialog.seen.back().wParam, static_cast<WPARAM>(VK_ESCAPE));
    EXPECT_TRUE(Events("script-error").empty());
    EXPECT_EQ(Events("wait").size(), 1u);   // only the scripted action was waited for
}

TEST_F(ScriptedInput, ADialogThatIgnoresEscAfterTheScriptEndedIsClosedAfterAFewPresses)
{
    Script("");
    RecordingDialog dialog;
    dialog.swallowKey = VK_ESCAPE;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.seen.size(), static_cast<size_t>(host::ScriptBackend::kEscapesWhenExhausted));
    std::vector<std::string> errors = Events("script-error");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("dialog 900 still waits"), std::string::npos) << errors[0];
    std::vector<std::string> dialogs = Events("dialog");
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_NE(dialogs[1].find(R"("state":"end","code":2,)"), std::string::npos) << dialogs[1];
}

TEST_F(ScriptedInput, LinesThatFitNothingAreScriptErrorsAndSkipped)
{
    struct Case {
        const char* line;
        const char* error;
    } cases[] = {
        {"press ENTER", "line 1: no action: press ENTER"},
        {"click 4711", "line 1: dialog 900 has no control 4711"},
        {"set 99 x", "line 1: dialog 900 has no control 99"},
        {"key SHIFT+Q", "line 1: unknown key \\\"SHIFT+Q\\\""},
        {"click run", "line 1: expected a control id: \\\"run\\\""},
        {"set 16 x", "line 1: control 16 is no edit"},
        {"click 11", "line 1: control 11 is no button"},
        {"answer YES", "line 1: no message box or save-file dialog is shown, dialog 900 waits"},
        {" key ESC", "line 1: no action:  key ESC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        FreshTranscript();
        Script(std::string(c.line) + "\nclick 16\n");
        RecordingDialog dialog;
        dialog.endOnRun = 3;
        EXPECT_EQ(dialog.DoModal(), 3);
        std::vector<std::string> errors = Events("script-error");
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0], std::string(R"({"event":"script-error","text":")") + c.error + "\"}");
    }
}

TEST_F(ScriptedInput, BlankAndCommentLinesAreSkippedAndOnlyTheLineEndIsTakenOff)
{
    Script(U8(u8"# a comment\r\n\r\n   \nset 11 名 \r\n\n#key ESC\nset 12 12\r\nclick 16\r\n"));
    RecordingDialog dialog;
    dialog.endOnRun = 4;
    EXPECT_EQ(dialog.DoModal(), 4);
    EXPECT_EQ(dialog.name, "名 ");
    EXPECT_EQ(dialog.number, "12");
    EXPECT_TRUE(Events("script-error").empty());
}

TEST_F(ScriptedInput, AWaitComesBeforeEveryScriptedActionWithWhatTheUserSees)
{
    Script("set 11 abc\nkey SHIFT+LEFT\nclick 16\n");
    RecordingDialog dialog;
    dialog.endOnRun = 1;
    dialog.DoModal();
    std::vector<std::string> waits = Events("wait");
    ASSERT_EQ(waits.size(), 3u);
    EXPECT_EQ(waits[0], R"({"event":"wait","window":900,"focus":11,"selection":[0,0]})");
    EXPECT_EQ(waits[1], R"({"event":"wait","window":900,"focus":11,"selection":[3,3]})");
    EXPECT_EQ(waits[2], R"({"event":"wait","window":900,"focus":11,"selection":[2,3]})");
    // Each wait precedes the events of its action.
    std::vector<std::string> lines = Transcript();
    auto at = [&lines](const std::string& line) { return std::find(lines.begin(), lines.end(), line) - lines.begin(); };
    EXPECT_LT(at(waits[2]), at(R"({"event":"focus","id":16})"));
}

TEST_F(ScriptedInput, TheSaveFileEventCarriesWhatTheProgramPassedAndWhatItGot)
{
    Script(U8(u8"answer OK\nsave C:\\out\\決算書\nsave-cancel\n"));
    MessageBoxA(nullptr, "t", "c", MB_OK);
    for (int round = 0; round < 2; ++round) {
        CFileDialog dialog(FALSE, "xml", "*.xml", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Xml Files (*.xml)|*.xml||");
        dialog.m_ofn.lpstrInitialDir = "C:\\出力";
        dialog.m_ofn.lpstrTitle = "保存";
        INT_PTR result = dialog.DoModal();
        if (round == 0) {
            EXPECT_EQ(result, IDOK);
            EXPECT_EQ(dialog.GetPathName(), "C:\\out\\決算書.xml");
            EXPECT_EQ(dialog.m_ofn.nFileOffset, 7);
            EXPECT_EQ(dialog.m_ofn.nFileExtension, 14);
        } else {
            EXPECT_EQ(result, IDCANCEL);
        }
    }
    std::vector<std::string> saves = Events("savefile");
    ASSERT_EQ(saves.size(), 2u);
    std::string fields = U8(u8R"("title":"保存","filter":"Xml Files (*.xml)|*.xml||","defext":"xml","dir":"C:\\出力","name":"*.xml","flags":6,)");
    EXPECT_EQ(saves[0], R"({"event":"savefile",)" + fields + U8(u8R"("result":"C:\\out\\決算書.xml"})"));
    EXPECT_EQ(saves[1], R"({"event":"savefile",)" + fields + R"("result":null})");
    EXPECT_TRUE(Events("script-error").empty());
}

TEST_F(ScriptedInput, ASaveFileDialogWhoseNextActionIsNoSaveIsCancelledAsAScriptError)
{
    Script("click 16\n");
    CFileDialog dialog(FALSE, nullptr, nullptr, 0, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    std::vector<std::string> saves = Events("savefile");
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0], R"({"event":"savefile","title":null,"filter":null,"defext":null,"dir":null,"name":"","flags":0,"result":null})");
    EXPECT_EQ(Events("script-error").size(), 1u);
}

TEST_F(ScriptedInput, AFilterWhoseTrailBytesLookLikeBarsKeepsThem)
{
    // "ソ" is 0x83 0x7C in CP932: its trail byte is a '|'.
    Script("save-cancel\n");
    CFileDialog dialog(FALSE, nullptr, nullptr, 0, "ソ (*.xml)|*.xml||");
    dialog.DoModal();
    std::vector<std::string> saves = Events("savefile");
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_NE(saves[0].find(U8(u8R"("filter":"ソ (*.xml)|*.xml||")")), std::string::npos) << saves[0];
}

TEST_F(ScriptedInput, CallsOnForeignWindowsAreLogged)
{
    Script("");
    HWND launcher = reinterpret_cast<HWND>(4242);
    EnableWindow(launcher, FALSE);
    PostMessageA(launcher, 1025, 3, 0);
    SetForegroundWindow(launcher);
    CDialog dialog(IDD_TEST);
    ASSERT_TRUE(dialog.Create(IDD_TEST));
    dialog.SetParent(CWnd::FromHandle(launcher));
    dialog.DestroyWindow();
    std::vector<std::string> calls = Events("foreign");
    ASSERT_EQ(calls.size(), 4u);
    const char* names[] = {"\"call\":\"enable\"", "\"call\":\"post\"", "\"call\":\"foreground\"", "\"call\":\"setparent\""};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NE(calls[i].find("\"hwnd\":4242"), std::string::npos) << calls[i];
        EXPECT_NE(calls[i].find(names[i]), std::string::npos) << calls[i];
    }
}

TEST_F(ScriptedInput, StartUiRefusesWhatItCannotRun)
{
    struct Case {
        const char* setting;
        const char* error;
    } cases[] = {
        {"script:", "needs the path of a script"},
        {"script:/nonexistent/script.txt", "cannot read the input script /nonexistent/script.txt"},
        {"gui", "unknown STMTPORT_UI value \"gui\""},
        {"script:/tmp", "cannot read the input script /tmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        std::string error;
        EXPECT_FALSE(host::StartUi(c.setting, error));
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

}  // namespace
