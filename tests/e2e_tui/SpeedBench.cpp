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
constexpr int kRuns = 5;

bool Exec(sqlite3* db, const std::string& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return true;
    std::fprintf(stderr, "sqlite: %s\n", message ? message : "?");
    sqlite3_free(message);
    return false;
}

int QueryInt(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* statement = nullptr;
    int value = -1;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
        value = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    return value;
}

// The demo books with the selected data set's chart doubled until it has kAccounts accounts.
bool MakeBooks(const std::string& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) return false;
    const std::string selected =
        "(SELECT data_id FROM datasets WHERE data_no = (SELECT selected_no2 FROM users WHERE is_current = 1 LIMIT 1)"
        " ORDER BY rowid LIMIT 1)";
    const std::string count = "SELECT count(*) FROM accounts WHERE data_id = " + selected;
    bool ok = Exec(db, "BEGIN");
    while (ok && QueryInt(db, count) > 0 && QueryInt(db, count) < kAccounts) {
        std::string seq = std::to_string(QueryInt(db, "SELECT max(seq) FROM accounts WHERE data_id = " + selected));
        std::string key = std::to_string(QueryInt(db, "SELECT max(account_key) FROM accounts WHERE data_id = " + selected));
        ok = Exec(db, "INSERT INTO accounts SELECT data_id, seq + " + seq + ", account_key + " + key +
                          ", formal_name, alt_name, kind, debit_normal, class_code FROM accounts WHERE data_id = " + selected);
    }
    ok = ok && Exec(db, "DELETE FROM accounts WHERE data_id = " + selected + " AND seq NOT IN (SELECT seq FROM accounts WHERE data_id = " +
                            selected + " ORDER BY seq LIMIT " + std::to_string(kAccounts) + ")");
    ok = ok && Exec(db, "COMMIT");
    int accounts = QueryInt(db, count);
    sqlite3_close(db);
    std::printf("books with %d accounts\n", accounts);
    return ok && accounts == kAccounts;
}

// Runs the program in a pane and returns its elapsed milliseconds as measured inside the pane.
// In the terminal the keys are typed ahead into the raw terminal before the clock starts, so
// that neither run waits for a person and both time the same work.
double TimedRun(const e2e::TempFolder& folder, bool terminal, int run)
{
    std::string out = "out/run" + std::to_string(run) + (terminal ? "t" : "s") + ".xml";
    std::string command =
        "stty raw -echo; sleep 1; s=$(date +%s%N); ./StmtPortA; e=$(date +%s%N); stty sane;"
        " echo \"[elapsed $(( (e - s) / 1000 ))]\"";
    folder.Write("bench.script", "set 1015 " + folder.WindowsPath(out) + "\nkey F12\n");
    std::map<std::string, std::string> environment = {
        {"LANG", "C.UTF-8"}, {"TERM", "tmux-256color"}, {"LGR_BOOKS", folder.File("books.db")},
        {"TMPDIR", folder.Path()}, {"STMTPORT_UI", terminal ? "tui" : "script:" + folder.File("bench.script")}};
    TmuxPane pane(command, environment);
    if (terminal) {
        ::usleep(400 * 1000);
        pane.Keys({"Tab", "Tab"});
        pane.Literal(folder.WindowsPath(out));
        pane.Keys({"F12", "Enter"});
    }
    std::string screen;
    if (!pane.WaitFor("[elapsed ", screen, 600000)) return -1;
    if (!folder.Exists(out)) {
        std::fprintf(stderr, "no file written by the %s run:\n%s\n", terminal ? "terminal" : "script", screen.c_str());
        return -1;
    }
    return std::atof(screen.c_str() + screen.find("[elapsed ") + 9) / 1000.0;
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
        script.push_back(TimedRun(folder, false, run));
        terminal.push_back(TimedRun(folder, true, run));
        std::printf("run %d: script %.1f ms, terminal %.1f ms\n", run + 1, script.back(), terminal.back());
        if (script.back() < 0 || terminal.back() < 0) return 2;
    }
    double bestScript = *std::min_element(script.begin(), script.end());
    double bestTerminal = *std::min_element(terminal.begin(), terminal.end());
    double ratio = bestTerminal / bestScript;
    std::printf("best of %d: script %.1f ms, terminal %.1f ms, terminal/script %.3f (limit 1.100)\n", kRuns, bestScript,
                bestTerminal, ratio);
    return ratio <= 1.10 ? 0 : 1;
}
