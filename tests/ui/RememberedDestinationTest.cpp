// The remembered-destinations file over several saves and reads, and the proposals read from it.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "ConditionDialog.h"
#include "DialogHarness.h"
#include "UiTestHost.h"

namespace {

class RememberedDestinationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        uitest::UiBooks::Shared().SetFolder(0, "C:\\out\\");
        uitest::UiBooks::Shared().SetFolder(1, "C:\\settings\\deep\\");
        std::filesystem::remove_all(uitest::HostPath("c/settings"));
        std::filesystem::create_directories(uitest::HostPath("c/out"));
    }

    static std::string FilePath() { return uitest::HostPath("c/settings/deep/StmtPortA.env"); }
    static std::string FileText() { return uitest::ReadHostFile(FilePath()); }

    // A dialog object of user `user` and data set `dataNo`, as the run sequence fills it.
    static void Prepare(ConditionDialog& dialog, const char* user = "tester", int dataNo = 7)
    {
        uitest::FillAprilToMarch(dialog);
        strcpy(dialog.userId, user);
        dialog.selectedNo2 = dataNo;
    }
};

TEST_F(RememberedDestinationTest, SavesMoveTheirLineToTheEnd)
{
    ConditionDialog seven;
    Prepare(seven);
    ConditionDialog eight;
    Prepare(eight, "tester", 8);

    ASSERT_TRUE(seven.SaveRememberedDestination(4, 3, 1, "C:\\out\\a.xml"));
    EXPECT_EQ(FileText(), "tester/0/7:4/3/1/C:\\out\\a.xml\n");

    ASSERT_TRUE(eight.SaveRememberedDestination(1, 12, 2, "C:\\out\\b.xml"));
    EXPECT_EQ(FileText(), "tester/0/7:4/3/1/C:\\out\\a.xml\ntester/0/8:1/12/2/C:\\out\\b.xml\n");

    ASSERT_TRUE(seven.SaveRememberedDestination(5, 9, 2, "C:\\out\\c.xml"));
    EXPECT_EQ(FileText(), "tester/0/8:1/12/2/C:\\out\\b.xml\ntester/0/7:5/9/2/C:\\out\\c.xml\n");
    EXPECT_FALSE(std::filesystem::exists(FilePath() + ".new"));

    short start = 0, end = 0, kind = 0;
    char path[261] = {};
    ASSERT_TRUE(seven.ReadRememberedDestination(&start, &end, &kind, path));
    EXPECT_EQ(start, 5);
    EXPECT_EQ(end, 9);
    EXPECT_EQ(kind, 2);
    EXPECT_STREQ(path, "C:\\out\\c.xml");
}

TEST_F(RememberedDestinationTest, WithoutDestinationTheRememberedOneIsWrittenBack)
{
    uitest::WriteHostFile(FilePath(), "tester/0/7:4/3/1/C:\\kept\\a.xml\n");
    ConditionDialog dialog;
    Prepare(dialog);
    strcpy(dialog.rememberedDestination, "C:\\kept\\a.xml");
    ASSERT_TRUE(dialog.SaveRememberedDestination(6, 8, 2));
    EXPECT_EQ(FileText(), "tester/0/7:6/8/2/C:\\kept\\a.xml\n");
}

TEST_F(RememberedDestinationTest, ReadingFindsNoEntry)
{
    ConditionDialog dialog;
    Prepare(dialog);
    short start = 0, end = 0, kind = 0;
    char path[261] = {};
    EXPECT_FALSE(dialog.ReadRememberedDestination(&start, &end, &kind, path));   // no file

    struct Case {
        const char* name;
        std::string file;
    } cases[] = {
        {"another data set", "tester/0/8:4/3/1/C:\\a.xml\n"},
        {"a user whose ID ends with ours", "xtester/0/7:4/3/1/C:\\a.xml\n"},
        {"the key in the middle of a line", "note tester/0/7:4/3/1/C:\\a.xml\n"},
        {"fewer than three slashes", "tester/0/7:4/3/C:\\a.xml\n"},
        {"empty file", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        uitest::WriteHostFile(FilePath(), c.file);
        EXPECT_FALSE(dialog.ReadRememberedDestination(&start, &end, &kind, path));
    }
}

TEST_F(RememberedDestinationTest, ReadingTakesTheValueApart)
{
    struct Case {
        const char* name;
        std::string file;
        short start, end, kind;
        std::string path;
    } cases[] = {
        {"plain", "tester/0/7:4/3/1/C:\\out\\a.xml\n", 4, 3, 1, "C:\\out\\a.xml"},
        {"second line, no line feed at the end", "other/0/7:1/1/1/C:\\o.xml\ntester/0/7:10/9/2/C:\\t.xml", 10, 9, 2,
         "C:\\t.xml"},
        {"hand-edited CR LF", "tester/0/7:5/4/2/C:\\x.xml\r\n", 5, 4, 2, "C:\\x.xml\r"},
        {"empty destination", "tester/0/7:4/3/2/\n", 4, 3, 2, ""},
        {"no digits read as 0", "tester/0/7:/x/2/C:\\a.xml\n", 0, 0, 2, "C:\\a.xml"},
        {"suffix user first", "xtester/0/7:1/2/1/C:\\x.xml\ntester/0/7:6/5/1/C:\\t.xml\n", 6, 5, 1, "C:\\t.xml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        uitest::WriteHostFile(FilePath(), c.file);
        ConditionDialog dialog;
        Prepare(dialog);
        short start = -1, end = -1, kind = -1;
        char path[261] = {};
        ASSERT_TRUE(dialog.ReadRememberedDestination(&start, &end, &kind, path));
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(end, c.end);
        EXPECT_EQ(kind, c.kind);
        EXPECT_EQ(std::string(path), c.path);
    }
}

TEST_F(RememberedDestinationTest, RewritingNeverTouchesAnotherUsersEntry)
{
    const std::string other = "xtester/0/7:1/2/1/C:\\other.xml\n";
    uitest::WriteHostFile(FilePath(), other);
    ConditionDialog dialog;
    Prepare(dialog);
    ASSERT_TRUE(dialog.SaveRememberedDestination(4, 3, 1, "C:\\mine.xml"));
    EXPECT_EQ(FileText(), other + "tester/0/7:4/3/1/C:\\mine.xml\n");
    ASSERT_TRUE(dialog.SaveRememberedDestination(5, 3, 1, "C:\\mine2.xml"));
    EXPECT_EQ(FileText(), other + "tester/0/7:5/3/1/C:\\mine2.xml\n");
}

TEST_F(RememberedDestinationTest, ALastLineWithoutLineFeedStaysALine)
{
    uitest::WriteHostFile(FilePath(), "other/0/1:1/2/1/C:\\o.xml");
    ConditionDialog dialog;
    Prepare(dialog);
    ASSERT_TRUE(dialog.SaveRememberedDestination(4, 3, 1, "C:\\t.xml"));
    EXPECT_EQ(FileText(), "other/0/1:1/2/1/C:\\o.xml\ntester/0/7:4/3/1/C:\\t.xml\n");
}

TEST_F(RememberedDestinationTest, AFailedSaveLeavesTheOldFileIntact)
{
    const std::string old = "tester/0/7:4/3/1/C:\\old.xml\n";
    ConditionDialog dialog;
    Prepare(dialog);

    // The temporary file cannot be made beside the file.
    uitest::WriteHostFile(FilePath(), old);
    std::filesystem::create_directories(FilePath() + ".new");
    EXPECT_FALSE(dialog.SaveRememberedDestination(5, 3, 1, "C:\\new.xml"));
    EXPECT_EQ(FileText(), old);
    std::filesystem::remove_all(FilePath() + ".new");

    // The file's place is taken by a folder.
    std::filesystem::remove(FilePath());
    std::filesystem::create_directories(FilePath());
    EXPECT_FALSE(dialog.SaveRememberedDestination(5, 3, 1, "C:\\new.xml"));
    EXPECT_TRUE(std::filesystem::is_directory(FilePath()));
    EXPECT_TRUE(std::filesystem::is_empty(FilePath()));

    // The settings folder is a file.
    std::filesystem::remove_all(uitest::HostPath("c/settings"));
    uitest::WriteHostFile(uitest::HostPath("c/settings/deep"), "a file");
    EXPECT_FALSE(dialog.SaveRememberedDestination(5, 3, 1, "C:\\new.xml"));
    EXPECT_EQ(uitest::ReadHostFile(uitest::HostPath("c/settings/deep")), "a file");
}

TEST_F(RememberedDestinationTest, TheDialogProposesWhatWasRemembered)
{
    struct Case {
        const char* name;
        std::string file;
        std::string startText, endText, destination;
        bool members;
    } cases[] = {
        {"full entry", "tester/0/7:6/9/2/C:\\out\\r.xml\n", "6", "9", "C:\\out\\r.xml", true},
        {"empty destination proposes the default", "tester/0/7:5/8/2/\n", "5", "8", "C:\\out\\*.xml", true},
        {"start month 0 gets the fiscal start", "tester/0/7:0/9/1/C:\\out\\r.xml\n", "4", "9", "C:\\out\\r.xml", false},
        {"equity kind 3 checks the shareholders' button", "tester/0/7:4/3/3/C:\\out\\r.xml\n", "4", "3",
         "C:\\out\\r.xml", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        uitest::WriteHostFile(FilePath(), c.file);
        ConditionDialog dialog;
        Prepare(dialog);
        uitest::ScriptRun run = uitest::RunScript("", [&] { return static_cast<long long>(dialog.DoModal()); });
        SCOPED_TRACE(run.Dump());
        int open = run.Find("dialog");
        ASSERT_GE(open, 0);
        const uitest::Json& shown = run.events[static_cast<size_t>(open)];
        EXPECT_EQ(uitest::ControlOf(shown, 1016)["text"].text, c.startText);
        EXPECT_EQ(uitest::ControlOf(shown, 1000)["text"].text, c.endText);
        EXPECT_EQ(uitest::ControlOf(shown, 1015)["text"].text, c.destination);
        EXPECT_EQ(uitest::ControlOf(shown, 1020)["checked"].boolean, c.members);
        EXPECT_EQ(uitest::ControlOf(shown, 1019)["checked"].boolean, !c.members);
    }
}

TEST_F(RememberedDestinationTest, ALauncherRunKeepsTheRememberedDestination)
{
    uitest::WriteHostFile(FilePath(), "tester/0/7:6/9/2/C:\\out\\r.xml\n");
    ConditionDialog dialog;
    Prepare(dialog);
    dialog.launcherDestination = "C:\\out\\launcher.xml";
    uitest::ScriptRun run = uitest::RunScript("key F12\n", [&] { return static_cast<long long>(dialog.DoModal()); });
    SCOPED_TRACE(run.Dump());
    ASSERT_EQ(run.code, 1002);
    EXPECT_STREQ(dialog.rememberedDestination, "C:\\out\\r.xml");
    ASSERT_TRUE(dialog.SaveRememberedDestination(6, 9, 2));
    EXPECT_EQ(FileText(), "tester/0/7:6/9/2/C:\\out\\r.xml\n");
}

}  // namespace
