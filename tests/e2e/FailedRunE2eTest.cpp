// Runs whose totals or file cannot be made end as failed ones: message, result 2, no file.
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "E2eBooks.h"
#include "ProgramRun.h"

namespace e2e {
namespace {

const int PROGRESS_DIALOG = 131;
const std::string FAILED = Utf8(u8"XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。");
const std::string WRITTEN = Utf8(u8"決算書情報の出力が終了しました。\n\nアプリケーションを終了します。");
const uint32_t BALANCE_SHEET_ACCOUNT = 0x80000000u;

class FailedRun : public ProgramTest {
protected:
    // A few balance-sheet accounts with postings in the first month.
    static void AddAccounts(E2eBooks& books)
    {
        for (int i = 1; i <= 3; ++i) {
            const int64_t key = 1000 * 10000 + i * 10000;
            books.AddAccount(key, "account" + std::to_string(i), BALANCE_SHEET_ACCOUNT);
            books.AddPosting(key, 1, 1000000, 0);
        }
    }

    void ExpectFailed(const RunOutcome& run)
    {
        EXPECT_EQ(run.process.exitCode, 2) << run.process.err;
        ASSERT_FALSE(run.MessageBoxes().empty());
        const Json* last = run.MessageBoxes().back();
        EXPECT_EQ(last->Text("text"), FAILED);
        EXPECT_EQ(last->Text("icon"), "exclamation");
        EXPECT_EQ(last->Int("owner"), PROGRESS_DIALOG);
        for (const Json* box : run.MessageBoxes())
            EXPECT_NE(box->Text("text"), WRITTEN);
        ASSERT_GE(run.datagrams.size(), 2u);
        EXPECT_EQ(run.datagrams[run.datagrams.size() - 2], "post 1025 3 2");
    }

    RunSetup Launched(const E2eBooks& books, const std::string& script)
    {
        RunSetup setup;
        setup.books = books.Path();
        setup.launcher = std::vector<std::string> {};
        setup.script = script;
        return setup;
    }
};

TEST_F(FailedRun, TotalsThatCannotBeCollectedWriteNoFile)
{
    struct Case {
        const char* name;
        std::function<void(E2eBooks&)> prepare;
    };
    const Case cases[] = {
        {"record read fails", [](E2eBooks& books) { books.SetFault("MoveNext", 7, 1); }},
        {"count fails", [](E2eBooks& books) { books.SetFault("GetSumCount", 7); }},
        {"amount beyond the bounded range",
         [](E2eBooks& books) {
             books.AddAccount(9990000, "huge", BALANCE_SHEET_ACCOUNT);
             books.AddPosting(9990000, 0, 600000000000000000, 0);
             books.AddPosting(9990000, 1, 600000000000000000, 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        E2eBooks books(folder.Path());
        AddAccounts(books);
        c.prepare(books);
        const RunOutcome run = Run(Launched(books, ExportScript(folder.WindowsPath("out.xml"))));
        ExpectFailed(run);
        EXPECT_FALSE(folder.Exists("out.xml"));
        EXPECT_FALSE(folder.Exists("StmtPortA.env")) << "a failed run remembers nothing";
    }
}

TEST_F(FailedRun, AnOverwrittenFileStaysUntouchedWhenTheTotalsFail)
{
    E2eBooks books(folder.Path());
    AddAccounts(books);
    books.SetFault("MoveNext", 7, 2);
    folder.Write("out.xml", "earlier statements");
    const RunOutcome run = Run(Launched(books, ExportScript(folder.WindowsPath("out.xml")) + "answer YES\n"));
    ExpectFailed(run);
    EXPECT_EQ(folder.Read("out.xml"), "earlier statements");
}

TEST_F(FailedRun, WriteFailureInTheMiddle)
{
    E2eBooks books(folder.Path());
    AddAccounts(books);
    RunSetup setup = Launched(books, ExportScript(folder.WindowsPath("whole.xml")));
    setup.transcript = false;
    ASSERT_EQ(Run(setup).process.exitCode, 0);
    const auto wholeSize = static_cast<long long>(std::filesystem::file_size(folder.File("whole.xml")));
    ASSERT_GT(wholeSize, 1000);

    // The file may grow to half its size; the transcript is off, as it would be cut too.
    setup.script = ExportScript(folder.WindowsPath("half.xml"));
    setup.fileSizeLimit = wholeSize / 2;
    const RunOutcome half = Run(setup);
    EXPECT_EQ(half.process.exitCode, 2) << half.process.err;
    EXPECT_EQ(half.datagrams[half.datagrams.size() - 2], "post 1025 3 2");

    setup.transcript = true;
    setup.fileSizeLimit = -1;
    setup.drives = "C=fixed:/;D=fixed:/dev";
    setup.script = "set 1015 D:\\full\nkey F12\nanswer YES\n";
    ExpectFailed(Run(setup));
}

}  // namespace
}  // namespace e2e
