// The process entry: host set-up, the user interface chosen by STMTPORT_UI, then the application.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "afximpl.h"
#include "host/Codepage.h"
#include "host/DriveMap.h"
#include "host/UiBackend.h"

namespace {

// "/opt/x/StmtPortA" -> "StmtPortA"; "a.b.exe" -> "a.b".
std::string ProgramName(const std::string& hostPath)
{
    std::string name = hostPath.substr(hostPath.rfind('/') + 1);
    size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string programPath = host::ProgramHostPath();
    if (programPath.empty() && argc > 0) {
        programPath = argv[0];
    }
    const std::string name = ProgramName(programPath);
    if (!host::LoadDriveMap()) {
        return 2;
    }
    if (!host::ProgramFolderIsMapped()) {
        std::fprintf(stderr, "%s: the program's folder (%s) lies on no drive of STMTPORT_DRIVES\n", name.c_str(),
                     programPath.c_str());
        return 2;
    }
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        std::fprintf(stderr, "%s: the program has no application object\n", name.c_str());
        return 2;
    }

    const char* variable = std::getenv("STMTPORT_UI");
    std::string setting = variable != nullptr ? variable : "";
    if (setting.empty()) {
        if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
            std::fprintf(stderr, "%s: set STMTPORT_UI=script:PATH or run in a terminal\n", name.c_str());
            return 2;
        }
        setting = "tui";
    }
    std::string error;
    if (!host::StartUi(setting, error)) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        return 2;
    }

    // The launch line is the arguments joined by single blanks, in the system's code page.
    std::string launchLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            launchLine += ' ';
        }
        launchLine += argv[i];
    }
    static std::string commandLine = host::Utf8ToCp932(launchLine);
    static std::string appName = host::Utf8ToCp932(name);
    app->m_lpCmdLine = commandLine.data();
    if (app->m_pszAppName == nullptr) {
        app->m_pszAppName = appName.c_str();
    }
    app->m_hInstance = AfxGetResourceHandle();

    AfxGuard("the application's start-up", [app] { app->InitInstance(); });
    int exitCode = 2;
    AfxGuard("the application's exit", [app, &exitCode] { exitCode = app->ExitInstance(); });
    return exitCode;
}
