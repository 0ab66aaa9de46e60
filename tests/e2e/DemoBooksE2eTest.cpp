// StmtPortA on the demo books that the build makes: the dialog shows the company, a run writes.
#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "ProgramRun.h"
#include "XmlSchemaCheck.h"

namespace e2e {
namespace {

const int CONDITION_DIALOG = 130;
const int COMPANY_NAME = 1006;
const int PERIOD = 1008;

struct SelectedDataSet {
    std::string companyName;   // UTF-8
    int startDate = 0;
    int endDate = 0;
};

SelectedDataSet ReadSelectedDataSet(const std::string& books)
{
    SelectedDataSet selected;
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(books.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* query = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db,
                                 "SELECT d.company_name, d.start_date, d.end_date FROM datasets d, users u"
                                 " WHERE u.is_current = 1 AND d.data_no = u.selected_no2 ORDER BY d.rowid LIMIT 1",
                                 -1, &query, nullptr),
              SQLITE_OK);
    if (sqlite3_step(query) == SQLITE_ROW) {
        selected.companyName = reinterpret_cast<const char*>(sqlite3_column_text(query, 0));
        selected.startDate = sqlite3_column_int(query, 1);
        selected.endDate = sqlite3_column_int(query, 2);
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
    return selected;
}

std::string Date(int yyyymmdd)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", yyyymmdd / 10000, yyyymmdd % 10000 / 100, yyyymmdd % 100);
    return text;
}

class DemoBooks : public ProgramTest {
protected:
    void SetUp() override
    {
        // A copy, so that the remembered destinations land in the test's folder.
        std::filesystem::copy_file(BuildPath("books.db"), folder.File("books.db"));
        selected = ReadSelectedDataSet(folder.File("books.db"));
        ASSERT_FALSE(selected.companyName.empty()) << "the demo books select a data set";
    }

    SelectedDataSet selected;
};

TEST_F(DemoBooks, ConditionsDialogShowsTheCompany)
{
    RunSetup setup;
    setup.books = folder.File("books.db");
    setup.script = "key ESC\n";
    const RunOutcome run = Run(setup);
    const Json* dialog = run.Dialog(CONDITION_DIALOG, "open");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlOf(dialog, COMPANY_NAME)->Text("text"), " " + selected.companyName);
    EXPECT_EQ(ControlOf(dialog, PERIOD)->Text("text"),
              " " + Date(selected.startDate) + Utf8(u8"～") + Date(selected.endDate));
}

TEST_F(DemoBooks, ScriptedRunWritesAValidStatementsFile)
{
    RunSetup setup;
    setup.books = folder.File("books.db");
    setup.launcher = std::vector<std::string> {"--function", "3"};
    setup.script = "set 1015 " + folder.WindowsPath("new folder\\demo.xml") + "\nkey F12\nanswer YES\n";
    const RunOutcome run = Run(setup);

    EXPECT_EQ(run.process.exitCode, 0) << run.process.err;
    ASSERT_FALSE(run.MessageBoxes().empty());
    const Json* last = run.MessageBoxes().back();
    EXPECT_EQ(last->Text("text"), Utf8(u8"決算書情報の出力が終了しました。\n\nアプリケーションを終了します。"));
    EXPECT_EQ(last->Text("icon"), "information");
    const xmlcheck::SchemaResult schema = xmlcheck::ValidateStatementsFile(folder.File("new folder/demo.xml"));
    EXPECT_TRUE(schema.valid) << schema.messages;
    const std::string document = ReadStatements("new folder/demo.xml");
    EXPECT_NE(document.find("<BalanceSheet"), std::string::npos);
    EXPECT_NE(document.find("<IncomeStatement"), std::string::npos);
}

}  // namespace
}  // namespace e2e
