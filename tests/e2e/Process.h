// Runs a built program as a child process with its own environment, and collects what it printed.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace e2e {

struct ProcessSpec {
    std::vector<std::string> argv;
    // Set in the child on top of the test's environment, from which every STMTPORT_* variable,
    // LGR_BOOKS and TMPDIR are removed first. An empty value leaves the variable unset.
    std::vector<std::pair<std::string, std::string>> environment;
    // RLIMIT_FSIZE of the child in bytes (with SIGXFSZ ignored, so a write fails instead); -1 none.
    long long fileSizeLimit = -1;
    // The child is killed after this many seconds; the programs never wait for a person.
    int timeoutSeconds = 60;
};

struct ProcessResult {
    int exitCode = -1;        // -1 when the child did not exit normally
    int signal = 0;           // the signal that ended it, or 0
    bool timedOut = false;
    std::string out;
    std::string err;
};

ProcessResult RunProcess(const ProcessSpec& spec);

}  // namespace e2e
