// The conditions dialog under scripted input: start-up, keyboard, Execute's checks, Browse, Cancel.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ConditionDialog.h"
#include "DialogHarness.h"
#include "UiTestHost.h"

namespace {

using uitest::Json;
using uitest::ScriptRun;
using uitest::Utf8;

const std::string caption = Utf8(u8"決算書");
const std::string cancelText = Utf8(u8"｢決算書｣の集計を中止します。");
const std::string monthsText = Utf8(u8"集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。");
const std::string introText = Utf8(u8"集計期間には、導入開始月より前は指定できません。");
const std::string noDestinationText = Utf8(u8"データ出力先が指定されていません。\n\n出力先を指定してください。");
const std::string badCharactersText = Utf8(u8"データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。");
const std::string badDriveText = Utf8(u8"ドライブ名が有効でありません。\n\n有効なドライブを指定してください。");
const std::string noFileNameText = Utf8(u8"ファイル名が指定されていません。");
const std::string createQuestion = Utf8(u8"指定されたフォルダは存在しません。\n\n作成してもよろしいですか？");
const std::string createFailedText = Utf8(u8"フォルダの作成に失敗しました。\n\n出力先を再入力してください。");
const std::string overwriteQuestion = Utf8(u8"同名のファイルが存在します。\n\n上書きしてもよろしいですか？");

struct Options {
    int periodStart = 20240401;
    int periodEnd = 20250331;
    short introMonth = 0;
    std::string launcherDestination;   // CP932
};

// Shows a dialog of the April to March year (or as `options` say) under `script`.
ScriptRun ShowDialog(const std::string& script, const Options& options = Options(), ConditionDialog* keep = nullptr)
{
    ConditionDialog local;
    ConditionDialog& dialog = keep != nullptr ? *keep : local;
    uitest::FillAprilToMarch(dialog);
    dialog.periodStart = options.periodStart;
    dialog.periodEnd = options.periodEnd;
    dialog.introMonth = options.introMonth;
    dialog.launcherDestination = options.launcherDestination.c_str();
    return uitest::RunScript(script, [&] { return static_cast<long long>(dialog.DoModal()); });
}

class ConditionDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        uitest::UiBooks::Shared().SetFolder(0, "C:\\out\\");
        uitest::UiBooks::Shared().SetFolder(1, "C:\\settings\\");
        std::filesystem::create_directories(uitest::HostPath("c/out"));
        std::filesystem::remove_all(uitest::HostPath("c/settings"));
    }
};

void ExpectFocus(const Json& wait, int id, long long start, long long end)
{
    EXPECT_EQ(wait["focus"].number, id);
    EXPECT_EQ(wait["selection"][0].number, start);
    EXPECT_EQ(wait["selection"][1].number, end);
}

TEST_F(ConditionDialogTest, ProposesTheFiscalYearAndTheEngineFolder)
{
    ScriptRun run = ShowDialog("");
    SCOPED_TRACE(run.Dump());
    int open = run.Find("dialog");
    ASSERT_GE(open, 0);
    const Json& shown = run.events[static_cast<size_t>(open)];
    EXPECT_EQ(shown["id"].number, 130);
    EXPECT_EQ(shown["caption"].text, Utf8(u8"決算書 - 集計条件"));
    EXPECT_EQ(uitest::ControlOf(shown, 1016)["text"].text, "4");
    EXPECT_EQ(uitest::ControlOf(shown, 1000)["text"].text, "3");
    EXPECT_EQ(uitest::ControlOf(shown, 1015)["text"].text, "C:\\out\\*.xml");
    EXPECT_EQ(uitest::ControlOf(shown, 1006)["text"].text, " UI Test Co.");
    EXPECT_EQ(uitest::ControlOf(shown, 1008)["text"].text, Utf8(u8" 2024/04/01～2025/03/31"));
    EXPECT_TRUE(uitest::ControlOf(shown, 1019)["checked"].boolean);
    EXPECT_FALSE(uitest::ControlOf(shown, 1020)["checked"].boolean);
    EXPECT_TRUE(uitest::ControlOf(shown, 1015)["enabled"].boolean);
    EXPECT_EQ(uitest::ControlOf(shown, 1014)["text"].text, Utf8(u8"出力先(&O)"));
    // The first tab stop has the focus; the script ran out, so ESC cancelled.
    int focus = run.Find("focus", open);
    ASSERT_GE(focus, 0);
    EXPECT_EQ(run.events[static_cast<size_t>(focus)]["id"].number, 1016);
    EXPECT_EQ(run.code, 1003);
}

TEST_F(ConditionDialogTest, WithoutEngineFolderProposesTheTemporaryFolder)
{
    uitest::UiBooks::Shared().SetFolder(0, "");
    ScriptRun run = ShowDialog("");
    SCOPED_TRACE(run.Dump());
    int open = run.Find("dialog");
    ASSERT_GE(open, 0);
    EXPECT_EQ(uitest::ControlOf(run.events[static_cast<size_t>(open)], 1015)["text"].text, "C:\\tmp\\*.xml");
}

TEST_F(ConditionDialogTest, LauncherDestinationIsFixed)
{
    ConditionDialog dialog;
    Options options;
    options.launcherDestination = "C:\\out\\fixed.xml";
    ScriptRun run = ShowDialog("", options, &dialog);
    SCOPED_TRACE(run.Dump());
    int open = run.Find("dialog");
    ASSERT_GE(open, 0);
    const Json& shown = run.events[static_cast<size_t>(open)];
    EXPECT_EQ(uitest::ControlOf(shown, 1015)["text"].text, "C:\\out\\fixed.xml");
    EXPECT_FALSE(uitest::ControlOf(shown, 1015)["enabled"].boolean);
    EXPECT_FALSE(uitest::ControlOf(shown, 1001)["enabled"].boolean);
    EXPECT_EQ(uitest::ControlOf(shown, 1014)["text"].text, Utf8(u8"出力先"));
    EXPECT_EQ(dialog.destinationFixed, 1);
}

TEST_F(ConditionDialogTest, RefusesUnusableDataAtStart)
{
    struct Case {
        const char* name;
        BOOL pastData;
        short companyLaw;
        std::string text;
    } cases[] = {
        {"past results in company-law format", 1, 1,
         Utf8(u8"過去実績データは、連携の対象として使用できません。\n\nアプリケーションを終了します。")},
        {"not company law", 0, 0,
         Utf8(u8"選択された会計データは会社法(H18.5施行)に対応していないため、\n連携の対象として使用できません。\n"
              u8"(Zentalloを起動し、[事業所・消費税情報設定]にて会社法対応データへ   \n変換することで、連携ができます。)\n\n"
              u8"アプリケーションを終了します。")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConditionDialog dialog;
        uitest::FillAprilToMarch(dialog);
        dialog.isPastData = c.pastData;
        dialog.companyLawReady = c.companyLaw;
        ScriptRun run = uitest::RunScript("key F12\n", [&] { return static_cast<long long>(dialog.DoModal()); });
        SCOPED_TRACE(run.Dump());
        EXPECT_EQ(run.code, 1003);
        EXPECT_EQ(run.Count("msgbox"), 1);
        const Json& box = run.MessageBox();
        EXPECT_EQ(box["text"].text, c.text);
        EXPECT_EQ(box["caption"].text, caption);
        EXPECT_EQ(box["icon"].text, "exclamation");
        EXPECT_EQ(box["buttons"].text, "ok");
        EXPECT_EQ(run.DialogEnd()["code"].number, 1003);
    }
}

TEST_F(ConditionDialogTest, CancelButtonEscapeAndCloseBoxCancel)
{
    for (const char* script : {"click 1003\n", "key ESC\n", ""}) {
        SCOPED_TRACE(script);
        ScriptRun run = ShowDialog(script);
        SCOPED_TRACE(run.Dump());
        EXPECT_EQ(run.code, 1003);
        ASSERT_EQ(run.Count("msgbox"), 1);
        EXPECT_EQ(run.MessageBox()["text"].text, cancelText);
        EXPECT_EQ(run.MessageBox()["icon"].text, "information");
        EXPECT_EQ(run.MessageBox()["buttons"].text, "ok");
        EXPECT_EQ(run.MessageBox()["owner"].number, 130);
    }
}

// What the user sees after each key: the wait event before the closing ESC.
TEST_F(ConditionDialogTest, EnterMovesThroughTheInputs)
{
    struct Case {
        const char* name;
        std::string script;
        bool fixed;
        int focus;
        long long selectionEnd;   // -1: not an edit
    } cases[] = {
        {"start month", "focus 1016\nkey ENTER\n", false, 1000, 1},
        {"end month", "focus 1000\nkey ENTER\n", false, 1015, 12},
        {"end month, destination fixed", "focus 1000\nkey ENTER\n", true, 1002, -1},
        {"destination", "focus 1015\nkey ENTER\n", false, 1001, -1},
        {"two Enters from the start month", "focus 1016\nkey ENTER\nkey ENTER\n", false, 1015, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Options options;
        if (c.fixed)
            options.launcherDestination = "C:\\out\\fixed.xml";
        ScriptRun run = ShowDialog(c.script + "key ESC\n", options);
        SCOPED_TRACE(run.Dump());
        EXPECT_EQ(run.Count("msgbox"), 1);   // only the cancel notice
        int cancel = run.Find("msgbox");
        int lastWait = -1;
        for (int i = run.Find("wait"); i >= 0 && i < cancel; i = run.Find("wait", i + 1))
            lastWait = i;
        ASSERT_GE(lastWait, 0);
        const Json& wait = run.events[static_cast<size_t>(lastWait)];
        EXPECT_EQ(wait["focus"].number, c.focus);
        if (c.selectionEnd >= 0)
            ExpectFocus(wait, c.focus, 0, c.selectionEnd);
        EXPECT_EQ(run.code, 1003);
    }
}

TEST_F(ConditionDialogTest, EnterOnButtonsRunsThem)
{
    ScriptRun browse = ShowDialog("focus 1001\nkey ENTER\nsave-cancel\nkey ESC\n");
    SCOPED_TRACE(browse.Dump());
    int saveFile = browse.Find("savefile");
    ASSERT_GE(saveFile, 0);
    EXPECT_EQ(browse.WaitAfter(saveFile)["focus"].number, 1002);

    ScriptRun execute = ShowDialog("focus 1002\nkey ENTER\nkey ESC\n");
    SCOPED_TRACE(execute.Dump());
    EXPECT_EQ(execute.MessageBox()["text"].text, badCharactersText);
}

TEST_F(ConditionDialogTest, F12RunsExecuteOnlyWithoutModifiers)
{
    for (const char* focus : {"1016", "1000", "1015", "1019", "1001", "1003"}) {
        SCOPED_TRACE(focus);
        ScriptRun run = ShowDialog(std::string("focus ") + focus + "\nkey F12\nkey ESC\n");
        SCOPED_TRACE(run.Dump());
        EXPECT_EQ(run.MessageBox()["text"].text, badCharactersText);
        EXPECT_EQ(run.MessageBox(1)["text"].text, cancelText);
    }
    for (const char* key : {"CTRL+F12", "SHIFT+F12", "ALT+F12"}) {
        SCOPED_TRACE(key);
        ScriptRun run = ShowDialog(std::string("key ") + key + "\nkey ESC\n");
        SCOPED_TRACE(run.Dump());
        ASSERT_EQ(run.Count("msgbox"), 1);
        EXPECT_EQ(run.MessageBox()["text"].text, cancelText);
        EXPECT_EQ(run.code, 1003);
    }
}

TEST_F(ConditionDialogTest, EnterOnARadioButtonNeverAccepts)
{
    // Everything would pass Execute's checks here, so only OnExecute must end the dialog.
    for (const char* radio : {"1019", "1020"}) {
        SCOPED_TRACE(radio);
        ScriptRun run = ShowDialog(std::string("set 1015 C:\\out\\radio.xml\nclick ") + radio + "\nfocus " + radio + "\nkey ENTER\nkey ENTER\nkey ESC\n");
        SCOPED_TRACE(run.Dump());
        EXPECT_EQ(run.code, 1003);
        ASSERT_EQ(run.Count("msgbox"), 1);
        EXPECT_EQ(run.MessageBox()["text"].text, cancelText);
    }
}

struct Refusal {
    const char* name;
    Options options;
    std::string script;   // before F12
    std::string text;
    int focus;
};

void ExpectRefusal(const Refusal& c)
{
    SCOPED_TRACE(c.name);
    ScriptRun run = ShowDialog(c.script + "key F12\nkey ESC\n", c.options);
    SCOPED_TRACE(run.Dump());
    const Json& box = run.MessageBox();
    EXPECT_EQ(box["text"].text, c.text);
    EXPECT_EQ(box["caption"].text, caption);
    EXPECT_EQ(box["icon"].text, "exclamation");
    EXPECT_EQ(box["buttons"].text, "ok");
    EXPECT_EQ(box["owner"].number, 130);
    const Json& wait = run.WaitAfter(run.Find("msgbox"));
    EXPECT_EQ(wait["focus"].number, c.focus);
    // All of the edit's text is selected.
    int end = run.Find("dialog", run.Find("msgbox"));
    ASSERT_GE(end, 0);
    const Json& edit = uitest::ControlOf(run.events[static_cast<size_t>(end)], c.focus);
    ExpectFocus(wait, c.focus, 0, static_cast<long long>(edit["text"].text.size()));
    EXPECT_EQ(run.code, 1003);
}

Options Year(int first, int last, short introMonth = 0)
{
    Options options;
    options.periodStart = first;
    options.periodEnd = last;
    options.introMonth = introMonth;
    return options;
}

std::string Months(int start, int end)
{
    return "set 1016 " + std::to_string(start) + "\nset 1000 " + std::to_string(end) + "\n";
}

TEST_F(ConditionDialogTest, MonthChecks)
{
    const Options aprilMarch = Year(20240401, 20250331);
    const Options januaryDecember = Year(20240101, 20241231);
    const Options octoberMarch = Year(20241001, 20250331);
    const Options aprilDecember = Year(20240401, 20241231);
    const Options januarySeptember = Year(20240101, 20240930);
    const Refusal cases[] = {
        {"row 1: start 0, before the end month is looked at", aprilMarch, "set 1016 0\nset 1000 0\n", monthsText, 1016},
        {"row 1: start 13", aprilMarch, Months(13, 3), monthsText, 1016},
        {"row 2: end 0", aprilMarch, Months(4, 0), monthsText, 1000},
        {"row 2: end 13", aprilMarch, Months(4, 13), monthsText, 1000},
        {"row 3: start before the fiscal start", aprilDecember, Months(2, 12), monthsText, 1016},
        {"row 4: end after the fiscal end", januarySeptember, Months(1, 11), monthsText, 1016},
        {"row 5: start after end", januaryDecember, Months(5, 4), monthsText, 1016},
        {"row 6: start 6 end 5", aprilMarch, Months(6, 5), monthsText, 1000},
        {"row 7: start 2 end 5", aprilMarch, Months(2, 5), monthsText, 1000},
        {"row 7: start 2 end 1", aprilMarch, Months(2, 1), monthsText, 1000},
        {"row 8: start between the years", octoberMarch, Months(5, 3), monthsText, 1016},
        {"row 9: end between the years", octoberMarch, Months(10, 6), monthsText, 1016},
        {"passes: start 11 end 2", aprilMarch, Months(11, 2), badCharactersText, 1015},
        {"passes: whole year", januaryDecember, Months(1, 12), badCharactersText, 1015},
        {"passes: October to March", octoberMarch, Months(10, 3), badCharactersText, 1015},
        {"introduction June, end May", Year(20240401, 20250331, 3), Months(4, 5), introText, 1000},
        {"introduction June, start and end May", Year(20240401, 20250331, 3), Months(5, 5), introText, 1000},
        {"introduction June, end June", Year(20240401, 20250331, 3), Months(4, 6), badCharactersText, 1015},
        {"no introduction month", Year(20240401, 20250331, 0), Months(4, 4), badCharactersText, 1015},
    };
    for (const Refusal& c : cases)
        ExpectRefusal(c);
}

TEST_F(ConditionDialogTest, DestinationRefusals)
{
    std::filesystem::create_directories(uitest::HostPath("c/exists"));
    const Options year;
    const Refusal cases[] = {
        {"the proposed default", year, "", badCharactersText, 1015},
        {"doubled backslash", year, "set 1015 C:\\out\\\\a.xml\n", badCharactersText, 1015},
        {"forbidden character after the colon", year, "set 1015 C:*a.xml\n", badCharactersText, 1015},
        {"CD-ROM drive", year, "set 1015 D:\\a.xml\n", badDriveText, 1015},
        {"share not usable", year, "set 1015 \\\\srv\\gone\\a.xml\n", badDriveText, 1015},
        {"no file name", year, "set 1015 C:\\out\\\n", noFileNameText, 1015},
        {"an existing folder", year, "set 1015 C:\\exists\n", noFileNameText, 1015},
    };
    for (const Refusal& c : cases)
        ExpectRefusal(c);
}

TEST_F(ConditionDialogTest, NoDestinationOpensTheSaveFileDialog)
{
    ScriptRun run = ShowDialog("set 1015\nkey F12\nsave-cancel\nkey ESC\n");
    SCOPED_TRACE(run.Dump());
    EXPECT_EQ(run.MessageBox()["text"].text, noDestinationText);
    EXPECT_EQ(run.MessageBox()["icon"].text, "exclamation");
    int saveFile = run.Find("savefile", run.Find("msgbox"));
    ASSERT_GE(saveFile, 0);
    EXPECT_EQ(run.WaitAfter(saveFile)["focus"].number, 1002);
}

TEST_F(ConditionDialogTest, AcceptedDestinations)
{
    uitest::WriteHostFile(uitest::HostPath("c/out/old.xml"), "old");
    struct Case {
        const char* name;
        std::string script;   // lines up to F12 and the answers
        std::vector<std::string> questions;
        std::string destination;
    } cases[] = {
        {"new file in an existing folder", "set 1015 C:\\out\\new.xml\nkey F12\n", {}, "C:\\out\\new.xml"},
        {"writable share", "set 1015 \\\\srv\\share\\a.xml\nkey F12\n", {}, "\\\\srv\\share\\a.xml"},
        {"drive and name without a folder", "set 1015 C:a.xml\nkey F12\n", {}, "C:a.xml"},
        {"missing folder created", "set 1015 C:\\made\\deep\\a.xml\nkey F12\nanswer YES\n", {createQuestion},
         "C:\\made\\deep\\a.xml"},
        {"existing file overwritten", "set 1015 C:\\out\\old.xml\nkey F12\nanswer YES\n", {overwriteQuestion},
         "C:\\out\\old.xml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConditionDialog dialog;
        ScriptRun run = ShowDialog(c.script, Options(), &dialog);
        SCOPED_TRACE(run.Dump());
        EXPECT_EQ(run.code, 1002);
        ASSERT_EQ(run.Count("msgbox"), static_cast<int>(c.questions.size()));
        for (size_t i = 0; i < c.questions.size(); ++i) {
            EXPECT_EQ(run.MessageBox(static_cast<int>(i))["text"].text, c.questions[i]);
            EXPECT_EQ(run.MessageBox(static_cast<int>(i))["icon"].text, "question");
            EXPECT_EQ(run.MessageBox(static_cast<int>(i))["buttons"].text, "yesno");
            EXPECT_EQ(run.MessageBox(static_cast<int>(i))["answer"].text, "yes");
        }
        EXPECT_EQ(std::string(dialog.destination), c.destination);
        EXPECT_EQ(dialog.equityKind, 1);
    }
    EXPECT_TRUE(std::filesystem::is_directory(uitest::HostPath("c/made/deep")));
}

TEST_F(ConditionDialogTest, AnsweringNoKeepsTheDialogOpen)
{
    uitest::WriteHostFile(uitest::HostPath("c/out/old.xml"), "old");
    struct Case {
        const char* name;
        std::string destination;
        std::string question;
    } cases[] = {
        {"overwrite declined", "C:\\out\\old.xml", overwriteQuestion},
        {"folder creation declined", "C:\\nothere\\a.xml", createQuestion},
        {"drive that does not exist", "Z:\\a.xml", createQuestion},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptRun run = ShowDialog("set 1015 " + c.destination + "\nkey F12\nanswer NO\nkey ESC\n");
        SCOPED_TRACE(run.Dump());
        EXPECT_EQ(run.MessageBox()["text"].text, c.question);
        EXPECT_EQ(run.MessageBox()["answer"].text, "no");
        ExpectFocus(run.WaitAfter(run.Find("msgbox")), 1015, 0, static_cast<long long>(c.destination.size()));
        EXPECT_EQ(run.code, 1003);
    }
    EXPECT_FALSE(std::filesystem::exists(uitest::HostPath("c/nothere")));
    EXPECT_EQ(uitest::ReadHostFile(uitest::HostPath("c/out/old.xml")), "old");
}

TEST_F(ConditionDialogTest, FailedFolderCreationRemovesTheNewFolders)
{
    // The third level is a name of 270 UTF-8 bytes, more than the host allows.
    std::string tooLong;
    for (int i = 0; i < 90; ++i)
        tooLong += Utf8(u8"あ");
    std::string destination = "C:\\out\\one\\two\\" + tooLong + "\\a.xml";
    ScriptRun run = ShowDialog("set 1015 " + destination + "\nkey F12\nanswer YES\nkey ESC\n");
    SCOPED_TRACE(run.Dump());
    EXPECT_EQ(run.MessageBox()["text"].text, createQuestion);
    EXPECT_EQ(run.MessageBox(1)["text"].text, createFailedText);
    EXPECT_EQ(run.MessageBox(1)["icon"].text, "exclamation");
    EXPECT_EQ(run.WaitAfter(run.Find("msgbox", run.Find("msgbox") + 1))["focus"].number, 1015);
    EXPECT_FALSE(std::filesystem::exists(uitest::HostPath("c/out/one")));
    EXPECT_TRUE(std::filesystem::is_directory(uitest::HostPath("c/out")));
    EXPECT_EQ(run.code, 1003);
}

TEST_F(ConditionDialogTest, LauncherDestinationIsOverwrittenWithoutAsking)
{
    uitest::WriteHostFile(uitest::HostPath("c/out/fixed.xml"), "old");
    Options options;
    options.launcherDestination = "C:\\out\\fixed.xml";
    ConditionDialog dialog;
    ScriptRun run = ShowDialog("key F12\n", options, &dialog);
    SCOPED_TRACE(run.Dump());
    EXPECT_EQ(run.code, 1002);
    EXPECT_EQ(run.Count("msgbox"), 0);
    EXPECT_EQ(std::string(dialog.destination), "C:\\out\\fixed.xml");
}

TEST_F(ConditionDialogTest, ExecuteReadsTheEquityKindFromTheButtons)
{
    ConditionDialog dialog;
    ScriptRun run = ShowDialog("set 1015 C:\\out\\kind.xml\nclick 1020\nkey F12\n", Options(), &dialog);
    SCOPED_TRACE(run.Dump());
    EXPECT_EQ(run.code, 1002);
    EXPECT_EQ(dialog.equityKind, 2);
    EXPECT_EQ(std::string(dialog.startMonthText), "4");
    EXPECT_EQ(std::string(dialog.endMonthText), "3");
}

TEST_F(ConditionDialogTest, BrowseOpensTheSaveFileDialog)
{
    struct Case {
        const char* name;
        std::string destination;
        std::string dir, fileName;
    } cases[] = {
        {"folder and name", "C:\\out\\b.xml", "C:\\out\\", "b.xml"},
        {"drive and name", "C:b.xml", "C:", "b.xml"},
        {"name only", "b.xml", "", "b.xml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConditionDialog dialog;
        ScriptRun run = ShowDialog("set 1015 " + c.destination + "\nclick 1001\nsave C:\\out\\chosen.xml\nkey ESC\n", Options(),
                             &dialog);
        SCOPED_TRACE(run.Dump());
        int index = run.Find("savefile");
        ASSERT_GE(index, 0);
        const Json& saveFile = run.events[static_cast<size_t>(index)];
        EXPECT_EQ(saveFile["title"].text, Utf8(u8"保存ファイルを指定"));
        EXPECT_EQ(saveFile["filter"].text, "Xml Files (*.xml)|*.xml||");
        EXPECT_EQ(saveFile["defext"].text, "XML");
        EXPECT_EQ(saveFile["dir"].text, c.dir);
        EXPECT_EQ(saveFile["name"].text, c.fileName);
        EXPECT_EQ(saveFile["flags"].number, 0x180C);
        EXPECT_EQ(saveFile["result"].text, "C:\\out\\chosen.xml");
        EXPECT_EQ(run.WaitAfter(index)["focus"].number, 1002);
        EXPECT_EQ(uitest::ControlOf(run.DialogEnd(), 1015)["text"].text, "C:\\out\\chosen.xml");
        EXPECT_EQ(std::string(dialog.destination), "C:\\out\\chosen.xml");
    }
}

}  // namespace
