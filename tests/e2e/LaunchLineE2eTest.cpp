// The launch line through tools/launcher and given bare: what is disabled, posted and written.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "E2eBooks.h"
#include "ProgramRun.h"

namespace e2e {
namespace {

const int CONDITION_DIALOG = 130;
const int DESTINATION_EDIT = 1015;

class LaunchLine : public ProgramTest {
protected:
    E2eBooks books {folder.Path()};
};

std::vector<std::string> ExitDatagrams(const std::string& wParam, const std::string& result)
{
    return {"foreground", "enable 1", "post 1025 " + wParam + " " + result, "enable 1"};
}

TEST_F(LaunchLine, NoLaunchLineDisablesAndPostsNothing)
{
    RunSetup setup;
    setup.books = books.Path();
    setup.script = ExportScript(folder.WindowsPath("out.xml"));
    const RunOutcome run = Run(setup);

    EXPECT_TRUE(run.ForeignCalls().empty());
    const Json* dialog = run.Dialog(CONDITION_DIALOG, "open");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(ControlOf(dialog, DESTINATION_EDIT)->Find("enabled")->boolean);
    EXPECT_EQ(ElementText(ReadStatements("out.xml"), "FUNCTIONID"), "3");
    // Without a launcher the chosen destination is remembered.
    EXPECT_EQ(folder.Read("StmtPortA.env"), "E2EUSER/0/1:4/3/1/" + folder.WindowsPath("out.xml") + "\n");
}

TEST_F(LaunchLine, BareLines)
{
    struct Case {
        const char* name;
        std::string line;
        bool launched;
        const char* functionId;
    };
    const Case cases[] = {
        {"complete line with an empty destination", "123,1025,7,", true, "7"},
        {"handle and message only", "123,1025", false, "3"},
        {"three fields without the third comma", "123,1025,7", false, "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(folder.File("out.xml"));
        std::filesystem::remove(folder.File("StmtPortA.env"));
        RunSetup setup;
        setup.books = books.Path();
        setup.arguments = {c.line};
        setup.script = ExportScript(folder.WindowsPath("out.xml"));
        const RunOutcome run = Run(setup);

        EXPECT_EQ(ElementText(ReadStatements("out.xml"), "FUNCTIONID"), c.functionId);
        std::vector<const Json*> foreign = run.ForeignCalls();
        if (!c.launched) {
            EXPECT_TRUE(foreign.empty());
            continue;
        }
        for (const Json* call : foreign)
            EXPECT_EQ(call->Int("hwnd"), 123);
        // The progress window is given to the launching window while it is disabled.
        ASSERT_GE(foreign.size(), 2u);
        EXPECT_EQ(foreign[1]->Text("call"), "setparent");
        foreign.erase(foreign.begin() + 1);
        ASSERT_EQ(foreign.size(), 5u);
        EXPECT_EQ(foreign[0]->Text("call"), "enable");
        EXPECT_FALSE(foreign[0]->Find("enable")->boolean);
        EXPECT_EQ(foreign[1]->Text("call"), "foreground");
        EXPECT_EQ(foreign[2]->Text("call"), "enable");
        EXPECT_TRUE(foreign[2]->Find("enable")->boolean);
        EXPECT_EQ(foreign[3]->Text("call"), "post");
        EXPECT_EQ(foreign[3]->Int("msg"), 1025);
        EXPECT_EQ(foreign[3]->Int("wparam"), 7);
        EXPECT_EQ(foreign[3]->Int("lparam"), 0);
        EXPECT_EQ(foreign[4]->Text("call"), "enable");
        EXPECT_TRUE(foreign[4]->Find("enable")->boolean);
        // The launching window is disabled before any dialog shows.
        EXPECT_LT(foreign[0] - run.events.data(), run.Dialog(CONDITION_DIALOG, "open") - run.events.data());
        // A launched run remembers the months but not the destination it wrote.
        EXPECT_EQ(folder.Read("StmtPortA.env"), "E2EUSER/0/1:4/3/1/\n");
    }
}

TEST_F(LaunchLine, ThroughTheLauncher)
{
    RunSetup setup;
    setup.books = books.Path();
    setup.launcher = std::vector<std::string> {"--handle", "4242", "--function", "7"};
    setup.script = ExportScript(folder.WindowsPath("out.xml"));
    const RunOutcome run = Run(setup);

    EXPECT_EQ(run.process.exitCode, 0);
    std::vector<std::string> expected = {"enable 0"};
    for (const std::string& datagram : ExitDatagrams("7", "0"))
        expected.push_back(datagram);
    EXPECT_EQ(run.datagrams, expected);
    EXPECT_EQ(ElementText(ReadStatements("out.xml"), "FUNCTIONID"), "7");
    const Json* destination = ControlOf(run.Dialog(CONDITION_DIALOG, "open"), DESTINATION_EDIT);
    ASSERT_NE(destination, nullptr);
    EXPECT_TRUE(destination->Find("enabled")->boolean) << "no destination was fixed";
}

TEST_F(LaunchLine, LauncherDestinationsAreKeptWhole)
{
    struct Case {
        const char* name;
        std::string destination;
    };
    const Case cases[] = {
        {"a destination holding a comma", folder.WindowsPath("a,b.xml")},
        {"a line longer than 259 bytes", folder.WindowsPath(std::string(240, 'd') + ".xml")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunSetup setup;
        setup.books = books.Path();
        setup.launcher = std::vector<std::string> {"--function", "7", "--dest", c.destination};
        setup.script = "key F12\n";
        const RunOutcome run = Run(setup);

        const Json* destination = ControlOf(run.Dialog(CONDITION_DIALOG, "open"), DESTINATION_EDIT);
        ASSERT_NE(destination, nullptr);
        EXPECT_EQ(destination->Text("text"), c.destination);
        EXPECT_FALSE(destination->Find("enabled")->boolean);
        ASSERT_FALSE(run.datagrams.empty());
        EXPECT_EQ(run.datagrams.front(), "enable 0");
        // Whatever the checks make of it, nothing is written anywhere but at the whole path.
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            const std::string name = entry.path().filename().string();
            if (name.ends_with(".xml")) {
                EXPECT_EQ(folder.WindowsPath(name), c.destination);
            }
        }
        const std::string result = std::to_string(run.process.exitCode);
        ASSERT_GE(run.datagrams.size(), 5u);
        EXPECT_EQ(std::vector<std::string>(run.datagrams.end() - 4, run.datagrams.end()), ExitDatagrams("7", result));
        if (run.process.exitCode == 0) {
            EXPECT_TRUE(std::filesystem::exists(folder.File(c.destination.substr(folder.WindowsPath("").size()))));
        }
    }
}

TEST_F(LaunchLine, FunctionIdsAreSixteenBits)
{
    struct Case {
        const char* function;
        const char* written;
    };
    const Case cases[] = {{"65537", "1"}, {"65535", "-1"}, {"-32768", "-32768"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        std::filesystem::remove(folder.File("out.xml"));
        RunSetup setup;
        setup.books = books.Path();
        setup.launcher = std::vector<std::string> {"--function", c.function};
        setup.script = ExportScript(folder.WindowsPath("out.xml"));
        const RunOutcome run = Run(setup);
        EXPECT_EQ(run.process.exitCode, 0);
        EXPECT_EQ(ElementText(ReadStatements("out.xml"), "FUNCTIONID"), c.written);
        ASSERT_FALSE(run.datagrams.empty());
        EXPECT_EQ(run.datagrams[run.datagrams.size() - 2], "post 1025 " + std::string(c.written) + " 0");
    }
}

}  // namespace
}  // namespace e2e
