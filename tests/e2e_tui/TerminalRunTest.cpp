// StmtPortA in a terminal (tmux, 80 x 24) on the demo books: what the screen shows, keys typed as a person would.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sqlite3.h>
#include <string>

#include "../e2e/Json.h"
#include "../e2e/TempFolder.h"
#include "TmuxPane.h"

namespace {

std::string U(const char8_t* text) { return reinterpret_cast<const char*>(text); }

struct DemoData {
    std::string company;
    int start = 0;   // yyyymmdd
    int end = 0;
};

// The selected data set of the demo books, as the dialog should show it.
bool ReadDemoData(const std::string& books, DemoData& data)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(books.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_stmt* statement = nullptr;
    const char* query =
        "SELECT company_name, start_date, end_date FROM datasets WHERE data_no ="
        " (SELECT selected_no2 FROM users WHERE is_current = 1 LIMIT 1) ORDER BY rowid LIMIT 1";
    bool found = sqlite3_prepare_v2(db, query, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW;
    if (found) {
        data.company = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        data.start = sqlite3_column_int(statement, 1);
        data.end = sqlite3_column_int(statement, 2);
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return found;
}

std::string Date(int yyyymmdd)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100);
    return text;
}

// The pane line that holds `marker`, or "".
std::string LineWith(const std::string& screen, const std::string& marker)
{
    size_t at = screen.find(marker);
    if (at == std::string::npos) return "";
    size_t begin = screen.rfind('\n', at);
    size_t end = screen.find('\n', at);
    begin = begin == std::string::npos ? 0 : begin + 1;
    return screen.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

class TerminalRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!TmuxPane::Available()) GTEST_SKIP() << "tmux is not installed";
        std::string demo = std::string(STMTPORT_BUILD_DIR) + "/books.db";
        std::string program = std::string(STMTPORT_BUILD_DIR) + "/StmtPortA";
        ASSERT_EQ(access(program.c_str(), X_OK), 0) << program << " is not built";
        // A copy of the demo books: the remembered destinations land beside it, not in the build.
        std::string bytes = e2e::ReadHostFile(demo);
        ASSERT_FALSE(bytes.empty()) << demo << " is not built";
        folder_.Write("books.db", bytes);
        ASSERT_TRUE(ReadDemoData(folder_.File("books.db"), demo_));
    }

    std::unique_ptr<TmuxPane> Start(int width = 80, int height = 24)
    {
        std::map<std::string, std::string> environment = {
            {"LANG", "C.UTF-8"}, {"TERM", "tmux-256color"}, {"STMTPORT_UI", "tui"},
            {"LGR_BOOKS", folder_.File("books.db")}, {"STMTPORT_UI_LOG", folder_.File("transcript.jsonl")},
            {"TMPDIR", folder_.Path()}};
        return std::make_unique<TmuxPane>("./StmtPortA", environment, width, height);
    }

    // Waits for the conditions dialog and checks what it shows.
    void ExpectConditionsDialog(const TmuxPane& pane)
    {
        std::string screen;
        ASSERT_TRUE(pane.WaitFor(U(u8"集計条件"), screen)) << screen;
        ASSERT_TRUE(pane.WaitFor(U(u8"キャンセル(Esc)"), screen)) << screen;
        EXPECT_NE(screen.find(U(u8"事業所名")), std::string::npos) << screen;
        EXPECT_NE(screen.find(demo_.company), std::string::npos) << screen;
        std::string period = LineWith(screen, U(u8"会計期間"));
        EXPECT_NE(period.find(Date(demo_.start)), std::string::npos) << screen;
        EXPECT_NE(period.find(Date(demo_.end)), std::string::npos) << screen;
        // No remembered entry yet: the whole fiscal year is proposed.
        std::string months = LineWith(screen, U(u8"集計期間"));
        std::smatch match;
        std::regex monthEdits(R"(\[\s*(\d+)\s*\][^\[]*\[\s*(\d+)\s*\])");
        ASSERT_TRUE(std::regex_search(months, match, monthEdits)) << screen;
        EXPECT_EQ(std::stoi(match[1]), demo_.start / 100 % 100) << months;
        EXPECT_EQ(std::stoi(match[2]), demo_.end / 100 % 100) << months;
        EXPECT_NE(months.find(U(u8"月度(S)")), std::string::npos) << months;
        EXPECT_NE(screen.find(U(u8"(*) 株主資本等変動計算書の情報を出力する(K)")), std::string::npos) << screen;
        EXPECT_NE(screen.find(U(u8"( ) 社員資本等変動計算書の情報を出力する(M)")), std::string::npos) << screen;
        EXPECT_NE(screen.find(U(u8"出力先(O)")), std::string::npos) << screen;
        EXPECT_NE(screen.find(U(u8"参照(D)...")), std::string::npos) << screen;
        EXPECT_NE(screen.find(U(u8"実行(F12)")), std::string::npos) << screen;
        EXPECT_EQ(screen.find('&'), std::string::npos) << "mnemonic markers are not shown\n" << screen;
    }

    std::vector<e2e::Json> Events(const std::string& name)
    {
        std::vector<e2e::Json> found;
        for (e2e::Json& event : e2e::ReadJsonLines(folder_.File("transcript.jsonl")))
            if (event.Text("event") == name) found.push_back(event);
        return found;
    }

    e2e::TempFolder folder_;
    DemoData demo_;
};

TEST_F(TerminalRun, ExecuteWithF12WritesTheFile)
{
    auto pane = Start();
    ExpectConditionsDialog(*pane);
    if (HasFatalFailure()) return;
    std::string destination = folder_.WindowsPath("out/demo.xml");
    // Tab from the start month passes the end month and selects the whole proposed destination.
    pane->Keys({"Tab", "Tab"});
    pane->Literal(destination);
    std::string screen;
    ASSERT_TRUE(pane->WaitFor("demo.xml", screen)) << screen;
    pane->Keys({"F12"});
    ASSERT_TRUE(pane->WaitFor(U(u8"作成してもよろしいですか"), screen)) << screen;
    EXPECT_NE(LineWith(screen, U(u8"指定されたフォルダは存在しません")).find("[?]"), std::string::npos) << screen;
    EXPECT_NE(screen.find(U(u8"はい(Y)")), std::string::npos) << screen;
    EXPECT_NE(screen.find(U(u8"いいえ(N)")), std::string::npos) << screen;
    pane->Keys({"Enter"});
    // The demo books flag notes the file cannot carry: their warning comes first.
    ASSERT_TRUE(pane->WaitFor(U(u8"以下の注記は連動に対応していません。"), screen, 60000)) << screen;
    EXPECT_NE(LineWith(screen, U(u8"以下の注記は連動に対応していません。")).find("[!]"), std::string::npos) << screen;
    pane->Keys({"Enter"});
    ASSERT_TRUE(pane->WaitFor(U(u8"決算書情報の出力が終了しました。"), screen, 60000)) << screen;
    EXPECT_NE(LineWith(screen, U(u8"決算書情報の出力が終了しました。")).find("[i]"), std::string::npos) << screen;
    EXPECT_NE(screen.find(U(u8"アプリケーションを終了します。")), std::string::npos) << screen;
    pane->Keys({"Enter"});
    ASSERT_TRUE(pane->WaitFor("[exit 0]", screen)) << screen;
    std::string xml = folder_.Read("out/demo.xml");
    EXPECT_EQ(xml.rfind("<?xml", 0), 0u) << xml.substr(0, 200);
    EXPECT_FALSE(Events("wait").empty()) << "the transcript is written under the terminal front end";
}

TEST_F(TerminalRun, EscCancelsWithItsNotice)
{
    auto pane = Start();
    ExpectConditionsDialog(*pane);
    if (HasFatalFailure()) return;
    pane->Keys({"Escape"});
    std::string screen;
    ASSERT_TRUE(pane->WaitFor(U(u8"の集計を中止します。"), screen)) << screen;
    EXPECT_NE(LineWith(screen, U(u8"の集計を中止します。")).find("[i]"), std::string::npos) << screen;
    EXPECT_NE(screen.find("[ OK ]"), std::string::npos) << screen;
    pane->Keys({"Enter"});
    ASSERT_TRUE(pane->WaitFor("[exit ", screen)) << screen;
    EXPECT_FALSE(folder_.Exists("out"));
    std::vector<e2e::Json> dialogs = Events("dialog");
    ASSERT_FALSE(dialogs.empty());
    EXPECT_EQ(dialogs.back().Text("state"), "end");
    EXPECT_EQ(dialogs.back().Int("code"), 1003);
    std::vector<e2e::Json> boxes = Events("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text("icon"), "information");
    EXPECT_EQ(boxes[0].Text("answer"), "ok");
}

TEST_F(TerminalRun, RefusedMonthFocusesTheEditWithItsTextSelected)
{
    auto pane = Start();
    ExpectConditionsDialog(*pane);
    if (HasFatalFailure()) return;
    // The start month edit has the focus with its text selected: typing replaces it.
    pane->Literal("0");
    std::string screen;
    ASSERT_TRUE(pane->WaitFor("[  0]", screen)) << screen;
    pane->Keys({"Tab"});
    pane->Keys({"F12"});
    ASSERT_TRUE(pane->WaitFor(U(u8"集計期間に誤りがあります。"), screen)) << screen;
    EXPECT_NE(LineWith(screen, U(u8"集計期間に誤りがあります。")).find("[!]"), std::string::npos) << screen;
    EXPECT_NE(screen.find(U(u8"集計期間を設定しなおしてください。")), std::string::npos) << screen;
    pane->Keys({"Enter"});
    ASSERT_TRUE(pane->WaitGone(U(u8"集計期間に誤りがあります。"), screen)) << screen;

    // On the screen the selected "0" is in reverse video, and the caret stands in that edit.
    std::string escaped = pane->Capture(true);
    std::string monthLine = LineWith(escaped, U(u8"集計期間"));
    EXPECT_TRUE(std::regex_search(monthLine, std::regex("\x1b\\[([0-9]+;)*7(;[0-9]+)*m[^\x1b]*0"))) << monthLine;
    pane->Keys({"Escape"});
    // What the user saw when the next key came: the start month focused, all its text selected.
    ASSERT_TRUE(pane->WaitFor(U(u8"の集計を中止します。"), screen)) << screen;
    std::vector<e2e::Json> focus = Events("focus");
    ASSERT_FALSE(focus.empty());
    EXPECT_EQ(focus.back().Int("id"), 1016);
    std::vector<e2e::Json> waits = Events("wait");
    ASSERT_FALSE(waits.empty());
    EXPECT_EQ(waits.back().Int("focus"), 1016);
    const e2e::Json* selection = waits.back().Find("selection");
    ASSERT_TRUE(selection && selection->items.size() == 2);
    EXPECT_EQ(selection->items[0].number, 0);
    EXPECT_EQ(selection->items[1].number, 1);
    ASSERT_TRUE(pane->WaitFor(U(u8"の集計を中止します。"), screen)) << screen;
    pane->Keys({"Enter"});
    ASSERT_TRUE(pane->WaitFor("[exit ", screen)) << screen;
}

TEST_F(TerminalRun, TooSmallATerminalSaysWhatItNeedsUntilEnlarged)
{
    auto pane = Start(60, 20);
    std::string screen;
    ASSERT_TRUE(pane->WaitFor("Enlarge the terminal to at least 72 x 23", screen)) << screen;
    EXPECT_EQ(screen.find(U(u8"集計条件")), std::string::npos) << screen;
    pane->Resize(80, 24);
    ExpectConditionsDialog(*pane);
    if (HasFatalFailure()) return;
    pane->Keys({"Escape"});
    ASSERT_TRUE(pane->WaitFor(U(u8"の集計を中止します。"), screen)) << screen;
    pane->Keys({"Enter"});
    ASSERT_TRUE(pane->WaitFor("[exit ", screen)) << screen;
}

}  // namespace
