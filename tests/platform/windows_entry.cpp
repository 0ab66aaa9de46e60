// The process entry: host set-up, the choice of the user interface, the launch line and the exit code.
#include <sys/wait.h>

#include "windows_fixture.h"

namespace {

using ProcessEntry = ScriptedUi;

struct EntryRun {
    int exitCode;
    std::string error;
};

// Runs the entry application with `variables` (NAME=VALUE ...) and `arguments`, without a terminal.
EntryRun RunEntry(const std::string& root, const std::string& variables, const std::string& arguments)
{
    std::string errorPath = root + "/stderr.txt";
    std::string command = "env -u STMTPORT_UI -u STMTPORT_DRIVES -u STMTPORT_UI_LOG " + variables + " " STMTPORT_BUILD_DIR
                          "/tests/windows_entry_app " + arguments + " </dev/null >/dev/null 2>'" + errorPath + "'";
    int status = std::system(command.c_str());
    std::ifstream file(errorPath);
    std::stringstream error;
    error << file.rdbuf();
    return EntryRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, error.str()};
}

TEST_F(ProcessEntry, WithoutAUserInterfaceOrAMappedFolderTheProgramRefusesToRun)
{
    std::string script = root_ + "/script.txt";
    std::ofstream(script) << "";
    struct Case {
        std::string variables;
        const char* message;
    } cases[] = {
        {"", "windows_entry_app: set STMTPORT_UI=script:PATH or run in a terminal"},
        {"STMTPORT_UI=", "set STMTPORT_UI=script:PATH or run in a terminal"},
        {"STMTPORT_UI=gui", "unknown STMTPORT_UI value \"gui\""},
        {"STMTPORT_UI=script:" + root_ + "/missing.txt", "cannot read the input script"},
        {"STMTPORT_UI=script:" + script + " STMTPORT_DRIVES=C=fixed:" + root_, "lies on no drive of STMTPORT_DRIVES"},
        {"STMTPORT_UI=script:" + script + " STMTPORT_DRIVES=C=floppy:/", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variables);
        EntryRun run = RunEntry(root_, c.variables, "");
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_FALSE(run.error.empty());
        EXPECT_NE(run.error.find(c.message), std::string::npos) << run.error;
    }
}

TEST_F(ProcessEntry, TheLaunchLineIsTheArgumentsJoinedAndExitInstanceGivesTheExitCode)
{
    std::string script = root_ + "/script.txt";
    std::ofstream(script) << "";
    EntryRun run = RunEntry(root_, "STMTPORT_UI=script:" + script + " STMTPORT_UI_LOG=" + transcript_,
                       std::string("12,1025,3,C:\\\\out ") + U8(u8"決算書.xml"));
    EXPECT_EQ(run.exitCode, 5) << run.error;
    std::vector<std::string> boxes = Events("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], U8(u8R"({"event":"msgbox","caption":"windows_entry_app","text":"12,1025,3,C:\\out 決算書.xml","icon":"information","buttons":"ok","owner":null,"answer":"ok"})"));
}

}  // namespace
