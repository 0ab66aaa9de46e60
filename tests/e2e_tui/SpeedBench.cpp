// Benchmark, not a test: a run over 32,768 accounts under the terminal front end against the same
// run under scripted input. Prints both times and fails when the terminal costs more than 10 %.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "../e2e/TempFolder.h"
#include "TmuxPane.h"

namespace {

constexpr int kAccounts = 32768;
constexpr int kRuns = 3;

bool Exec(sqlite3* db, const std::string& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return true;
    std::fprintf(stderr, "sqlite: %s\n", message ? message : "?");
    sqlite3_free(message);
    return false;
}

// The demo books with the selected data set's chart copied over and over up to kAccounts accounts.
bool MakeBooks(const std::string& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) return false;
    const std::string selected =
        "(SELECT data_id FROM datasets WHERE data_no = (SELECT selected_no2 FROM users WHERE is_current = 1 LIMIT 1)"
        " ORDER BY rowid LIMIT 1)";
    bool ok = Exec(db, "BEGIN");
    for (int copy = 1; ok && copy < 64; ++copy) {
        std::string offset = std::to_string(copy * 100000);
        ok = Exec(db, "INSERT INTO accounts SELECT data_id, seq + " + offset + ", account_key + " + offset +
                          ", formal_name, alt_name, kind, debit_normal, class_code FROM accounts WHERE data_id = " +
                          selected + " AND seq < 100000");
    }
    ok = ok && Exec(db, "DELETE FROM accounts WHERE data_id = " + selected + " AND seq NOT IN (SELECT seq FROM accounts WHERE data_id = " +
                            selected + " ORDER BY seq LIMIT " + std::to_string(kAccounts) + ")");
    ok = ok && Exec(db, "COMMIT");
    sqlite3_stmt* count = nullptr;
    int accounts = 0;
    if (ok && sqlite3_prepare_v2(db, ("SELECT count(*) FROM accounts WHERE data_id = " + selected).c_str(), -1, &count, nullptr) == SQLITE_OK &&
        sqlite3_step(count) == SQLITE_ROW)
        accounts = sqlite3_column_int(count, 0);
    sqlite3_finalize(count);
    sqlite3_close(db);
    std::printf("books with %d accounts\n", accounts);
    return ok && accounts == kAccounts;
}

// Runs the program in a pane and returns its elapsed milliseconds as measured inside the pane.
double TimedRun(const e2e::TempFolder& folder, const std::string& ui, bool typeAhead, int run)
{
    std::string out = "out/run" + std::to_string(run) + (typeAhead ? "t" : "s") + ".xml";
    std::string command = "s=$(date +%s%N); ./StmtPortA; e=$(date +%s%N); echo \"[elapsed $(( (e - s) / 1000000 ))]\"";
    std::string script = "set 1015 " + folder.WindowsPath(out) + "\nkey F12\n";
    folder.Write("bench.script", script);
    std::map<std::string, std::string> environment = {
        {"LANG", "C.UTF-8"}, {"TERM", "tmux-256color"}, {"LGR_BOOKS", folder.File("books.db")},
        {"TMPDIR", folder.Path()}, {"STMTPORT_UI", ui == "tui" ? "tui" : "script:" + folder.File("bench.script")}};
    TmuxPane pane(command, environment);
    std::string screen;
    if (typeAhead) {
        // The same actions as the script, typed as soon as the dialog shows.
        if (!pane.WaitFor(reinterpret_cast<const char*>(u8"実行(F12)"), screen, 30000)) return -1;
        pane.Keys({"Tab", "Tab"});
        pane.Literal(folder.WindowsPath(out));
        pane.Keys({"F12", "Enter"});
    }
    if (!pane.WaitFor("[elapsed ", screen, 600000)) return -1;
    size_t at = screen.find("[elapsed ");
    if (!folder.Exists(out)) {
        std::fprintf(stderr, "no file written by the %s run:\n%s\n", ui.c_str(), screen.c_str());
        return -1;
    }
    return std::atof(screen.c_str() + at + 9);
}

}  // namespace

int main()
{
    e2e::TempFolder folder;
    std::string demo = std::string(STMTPORT_BUILD_DIR) + "/books.db";
    folder.Write("books.db", e2e::ReadHostFile(demo));
    folder.Write("out/.keep", "");
    if (!MakeBooks(folder.File("books.db"))) return 2;
    std::vector<double> script, terminal;
    for (int run = 0; run < kRuns; ++run) {
        script.push_back(TimedRun(folder, "script", false, run));
        terminal.push_back(TimedRun(folder, "tui", true, run));
        std::printf("run %d: script %.0f ms, terminal %.0f ms\n", run + 1, script.back(), terminal.back());
        if (script.back() < 0 || terminal.back() < 0) return 2;
    }
    double bestScript = *std::min_element(script.begin(), script.end());
    double bestTerminal = *std::min_element(terminal.begin(), terminal.end());
    double ratio = bestTerminal / bestScript;
    std::printf("best of %d: script %.0f ms, terminal %.0f ms, terminal/script %.3f (limit 1.100)\n", kRuns, bestScript,
                bestTerminal, ratio);
    return ratio <= 1.10 ? 0 : 1;
}
