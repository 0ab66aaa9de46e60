// One run of a built program in a test's own folder: books, script, transcript and desktop there.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "Json.h"
#include "Process.h"
#include "TempFolder.h"

namespace e2e {

// A UTF-8 literal as the plain bytes the transcript and scripts hold.
inline std::string Utf8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}

std::string BuildPath(std::string_view name);

struct RunSetup {
    std::string books;                         // host path of the books (LGR_BOOKS)
    std::string program = BuildPath("StmtPortA");
    std::vector<std::string> arguments;        // the program's own arguments (a bare launch line)
    // Through tools/launcher with these options before the program; otherwise the program alone.
    std::optional<std::vector<std::string>> launcher;
    std::string script;                        // UTF-8, one action a line
    std::string scriptPath;                    // a script the test feeds itself (a FIFO); replaces `script`
    std::string drives;                        // STMTPORT_DRIVES; empty for the default C=fixed:/
    long long fileSizeLimit = -1;
    bool transcript = true;
};

struct RunOutcome {
    ProcessResult process;
    std::vector<Json> events;
    std::vector<std::string> datagrams;   // what the launcher printed, one datagram a line

    std::vector<const Json*> Events(std::string_view name) const;
    // The engine connection calls in order ("Initiate", "ExpSysLink", "LogOut" ...).
    std::vector<std::string> EngineCalls() const;
    // The first dialog event of template `id` in `state` ("open" or "end"), or nullptr.
    const Json* Dialog(int id, std::string_view state) const;
    std::vector<const Json*> MessageBoxes() const;
    std::vector<const Json*> ForeignCalls() const;
};

// The control `id` of a dialog event, or nullptr.
const Json* ControlOf(const Json* dialog, int id);

class ProgramTest : public ::testing::Test {
protected:
    RunOutcome Run(const RunSetup& setup);
    // A copy of the built program in a folder of its own, with this VoransaDef.ini (none when
    // nullopt) and no SUPPORT.INF beside it.
    std::string CopyProgram(std::string_view name, const std::optional<std::string>& definition);
    // The statements file as UTF-8 (it is CP932 on disk), or "" when it does not exist.
    std::string ReadStatements(std::string_view relative) const;

    TempFolder folder;
};

// Accepts the proposed months and names `destination` (a Windows path).
std::string ExportScript(const std::string& destination);

// The element text <name>...</name> of a UTF-8 document, or nullopt when it is missing.
std::optional<std::string> ElementText(const std::string& document, std::string_view name);

}  // namespace e2e
