// Shared pieces of the engine tests: books made per test, the connection around them, the transcript.
#include "EngineFixture.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>

namespace lgrtest {

namespace {

std::string TranscriptPath() {
    static const std::string path = [] {
        const char* tmp = getenv("TMPDIR");
        const std::string folder = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
        return folder + "/lgr-tests-" + std::to_string(getpid()) + ".jsonl";
    }();
    return path;
}

// Before any test: a transcript of this process, no user interface and the default drive map.
const bool kEnvironmentReady = [] {
    setenv("STMTPORT_UI_LOG", TranscriptPath().c_str(), 1);
    unsetenv("STMTPORT_UI");
    unsetenv("STMTPORT_DRIVES");
    unsetenv("LGR_BOOKS");
    return true;
}();

struct RemoveTranscript {
    ~RemoveTranscript() { unlink(TranscriptPath().c_str()); }
} removeTranscript;

}  // namespace

std::vector<std::string> NewTranscriptLines() {
    static std::streamoff seen = 0;
    std::ifstream in(TranscriptPath(), std::ios::binary);
    std::vector<std::string> lines;
    if (!in) return lines;
    in.seekg(seen);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    in.clear();
    in.seekg(0, std::ios::end);
    seen = in.tellg();
    return lines;
}

std::vector<std::string> LinesWith(const std::vector<std::string>& lines, const std::vector<std::string>& pieces) {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        bool all = true;
        for (const std::string& piece : pieces) all = all && line.find(piece) != std::string::npos;
        if (all) found.push_back(line);
    }
    return found;
}

Connected::Connected(std::string_view sql) : books_(sql) {
    books_.Activate();
    initiateStatus = ClLgrConnect::Inst()->Initiate();
}

Connected::~Connected() {
    ClLgrConnect::Inst()->LogOut();
    ClLgrConnect::Inst()->Terminate();
    ClLgrConnect::Inst()->Release();
    unsetenv("LGR_BOOKS");
}

std::vector<StFINDINFO> Conditions(int first, int last, bool interim, bool yearEnd) {
    std::vector<StFINDINFO> entries(4);
    std::memset(entries.data(), 0, entries.size() * sizeof(StFINDINFO));
    auto fill = [](StFINDINFO& entry, int compare, int value) {
        entry.fieldCode = 17;
        entry.compare = static_cast<int16_t>(compare);
        entry.valueKind = 2;
        entry.value = static_cast<int16_t>(value);
    };
    fill(entries[0], 4, first);
    entries[0].link = 1;
    fill(entries[1], 6, last);
    size_t lastBuilt = 1;
    for (auto [wanted, period] : {std::pair{interim, 15}, std::pair{yearEnd, 18}}) {
        if (!wanted) continue;
        entries[lastBuilt].link = 2;
        fill(entries[++lastBuilt], 1, period);
    }
    return entries;
}

}  // namespace lgrtest
