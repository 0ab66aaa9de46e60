// One run of a built program in a test's own folder.
#include "ProgramRun.h"

#include <filesystem>
#include <sstream>

#include "host/Codepage.h"

namespace e2e {

std::string BuildPath(std::string_view name)
{
    return std::string(STMTPORT_BUILD_DIR) + "/" + std::string(name);
}

std::vector<const Json*> RunOutcome::Events(std::string_view name) const
{
    std::vector<const Json*> found;
    for (const Json& event : events) {
        if (event.Text("event") == name)
            found.push_back(&event);
    }
    return found;
}

std::vector<std::string> RunOutcome::EngineCalls() const
{
    std::vector<std::string> calls;
    for (const Json* event : Events("engine"))
        calls.push_back(event->Text("call"));
    return calls;
}

const Json* RunOutcome::Dialog(int id, std::string_view state) const
{
    for (const Json* event : Events("dialog")) {
        if (event->Int("id") == id && event->Text("state") == state)
            return event;
    }
    return nullptr;
}

std::vector<const Json*> RunOutcome::MessageBoxes() const
{
    return Events("msgbox");
}

std::vector<const Json*> RunOutcome::ForeignCalls() const
{
    return Events("foreign");
}

const Json* ControlOf(const Json* dialog, int id)
{
    const Json* controls = dialog != nullptr ? dialog->Find("controls") : nullptr;
    if (controls == nullptr)
        return nullptr;
    for (const Json& control : controls->items) {
        if (control.Int("id") == id)
            return &control;
    }
    return nullptr;
}

RunOutcome ProgramTest::Run(const RunSetup& setup)
{
    if (setup.scriptPath.empty())
        folder.Write("script.txt", setup.script);
    std::filesystem::create_directories(folder.File("tmp"));
    const std::string transcript = folder.File("transcript.jsonl");
    std::filesystem::remove(transcript);

    ProcessSpec spec;
    if (setup.launcher) {
        spec.argv.push_back(BuildPath("launcher"));
        spec.argv.insert(spec.argv.end(), setup.launcher->begin(), setup.launcher->end());
    }
    spec.argv.push_back(setup.program);
    spec.argv.insert(spec.argv.end(), setup.arguments.begin(), setup.arguments.end());
    spec.environment = {
        {"STMTPORT_UI", "script:" + (setup.scriptPath.empty() ? folder.File("script.txt") : setup.scriptPath)},
        {"STMTPORT_UI_LOG", setup.transcript ? transcript : ""},
        {"LGR_BOOKS", setup.books},
        {"STMTPORT_DRIVES", setup.drives},
        {"STMTPORT_DESKTOP", folder.File("desktop")},
        {"TMPDIR", folder.File("tmp")},
    };
    spec.fileSizeLimit = setup.fileSizeLimit;

    RunOutcome outcome;
    outcome.process = RunProcess(spec);
    EXPECT_FALSE(outcome.process.timedOut) << "the program did not end: " << outcome.process.err;
    if (setup.transcript)
        outcome.events = ReadJsonLines(transcript);
    if (setup.launcher) {
        std::istringstream lines(outcome.process.out);
        std::string line;
        while (std::getline(lines, line))
            outcome.datagrams.push_back(line);
    }
    return outcome;
}

std::string ProgramTest::CopyProgram(std::string_view name, const std::optional<std::string>& definition)
{
    const std::string relative = "program/" + std::string(name);
    std::filesystem::create_directories(folder.File("program"));
    std::filesystem::copy_file(BuildPath(name), folder.File(relative),
                               std::filesystem::copy_options::overwrite_existing);
    if (definition)
        folder.Write("program/VoransaDef.ini", *definition);
    else
        std::filesystem::remove(folder.File("program/VoransaDef.ini"));
    return folder.File(relative);
}

std::string ProgramTest::ReadStatements(std::string_view relative) const
{
    if (!folder.Exists(relative))
        return std::string();
    return host::Cp932ToUtf8(folder.Read(relative));
}

std::string ExportScript(const std::string& destination)
{
    return "set 1015 " + destination + "\nkey F12\n";
}

std::optional<std::string> ElementText(const std::string& document, std::string_view name)
{
    const std::string open = "<" + std::string(name) + ">";
    const std::string close = "</" + std::string(name) + ">";
    const size_t start = document.find(open);
    if (start == std::string::npos)
        return std::nullopt;
    const size_t end = document.find(close, start + open.size());
    if (end == std::string::npos)
        return std::nullopt;
    return document.substr(start + open.size(), end - start - open.size());
}

}  // namespace e2e
