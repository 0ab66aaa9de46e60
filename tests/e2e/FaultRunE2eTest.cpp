// Whole runs under faults of the books, the output folder and the disk: a clear message, the right
// result for the launcher, nothing stored damaged, and an orderly exit.
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "E2eBooks.h"
#include "ProgramRun.h"

namespace e2e {
namespace {

const int CONDITION_DIALOG = 130;
const int PROGRESS_DIALOG = 131;
const std::string FAILED = Utf8(u8"XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。");
const std::string WRITTEN = Utf8(u8"決算書情報の出力が終了しました。\n\nアプリケーションを終了します。");
const std::string CANNOT_OPEN = Utf8(u8"会計データを開けません。");
const uint32_t BALANCE_SHEET_ACCOUNT = 0x80000000u;
const std::string NOTHING_POSTED = "";
// Polls every 5 ms for up to 20 s.
const int POLL_MICROSECONDS = 5000;
const int POLLS = 4000;

// A script written by the test while the program runs: the program reads a line only when it
// needs the next action, so the test decides the moment of every step.
class FedScript {
public:
    explicit FedScript(std::string path) : path_(std::move(path))
    {
        if (mkfifo(path_.c_str(), 0600) != 0)
            ADD_FAILURE() << "mkfifo " << path_ << ": " << std::strerror(errno);
    }
    ~FedScript() { Close(); }

    const std::string& Path() const { return path_; }

    // Waits until the program opened the script; false when it never did.
    bool Connect()
    {
        for (int poll = 0; fd_ < 0 && poll < POLLS; ++poll) {
            fd_ = open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd_ < 0)
                usleep(POLL_MICROSECONDS);
        }
        return fd_ >= 0;
    }
    void Write(const std::string& lines) const
    {
        ASSERT_GE(fd_, 0);
        ASSERT_EQ(write(fd_, lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
    }
    void Close()
    {
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
    }

private:
    std::string path_;
    int fd_ = -1;
};

// Whether a transcript line of this event has been written; polls until a deadline.
bool AwaitEvent(const std::string& transcript, const std::function<bool(const Json&)>& matches)
{
    for (int poll = 0; poll < POLLS; ++poll) {
        if (std::filesystem::exists(transcript)) {
            for (const Json& event : ReadJsonLines(transcript)) {
                if (matches(event))
                    return true;
            }
        }
        usleep(POLL_MICROSECONDS);
    }
    return false;
}

// Another program writing the books: holds the given lock until it is destroyed.
class BooksWriter {
public:
    BooksWriter(const std::string& path, const char* begin)
    {
        EXPECT_EQ(sqlite3_open(path.c_str(), &db_), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db_, begin, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db_);
    }
    ~BooksWriter()
    {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
    }
    BooksWriter(const BooksWriter&) = delete;
    BooksWriter& operator=(const BooksWriter&) = delete;

private:
    sqlite3* db_ = nullptr;
};

class FaultRun : public ProgramTest {
protected:
    // Runs the program on its own thread while the test feeds the script.
    class Background {
    public:
        Background(FaultRun& test, const RunSetup& setup) : thread_([&test, setup, this] { outcome_ = test.Run(setup); }) {}
        ~Background() { if (thread_.joinable()) thread_.join(); }
        RunOutcome Get() { thread_.join(); return outcome_; }

    private:
        RunOutcome outcome_;
        std::thread thread_;
    };

    static void AddAccounts(E2eBooks& books)
    {
        for (int i = 1; i <= 3; ++i) {
            const int64_t key = 1000 * 10000 + i * 10000;
            books.AddAccount(key, "account" + std::to_string(i), BALANCE_SHEET_ACCOUNT);
            books.AddPosting(key, 1, 1000000, 0);
        }
    }

    RunSetup Launched(const std::string& booksPath, const std::string& script)
    {
        RunSetup setup;
        setup.books = booksPath;
        setup.launcher = std::vector<std::string> {};
        setup.script = script;
        return setup;
    }

    // The RunResult the launcher received, or "" when nothing was posted.
    static std::string Posted(const RunOutcome& run)
    {
        for (const std::string& datagram : run.datagrams) {
            if (datagram.starts_with("post "))
                return datagram.substr(datagram.rfind(' ') + 1);
        }
        return NOTHING_POSTED;
    }

    static void ExpectOrderlyExit(const RunOutcome& run, int launcherCode)
    {
        EXPECT_EQ(run.process.signal, 0);
        EXPECT_EQ(run.process.exitCode, launcherCode) << run.process.err;
        EXPECT_EQ(run.process.err.find("Sanitizer"), std::string::npos) << run.process.err;
        EXPECT_EQ(run.process.err.find("runtime error"), std::string::npos) << run.process.err;
        EXPECT_TRUE(run.Events("script-error").empty());
    }

    // A remembered entry of another user that every run must leave as it is.
    void RememberOthers() const
    {
        folder.Write("StmtPortA.env", "OTHERUSER:E2E01=4/3/1/C:\\earlier\\other.xml\n");
    }

    std::string FedTranscript() const { return folder.File("transcript.jsonl"); }
};

TEST_F(FaultRun, BooksThatCannotBeOpened)
{
    const std::string missing = Utf8(u8"\n\n会計データのファイルが見つかりません。");
    const std::string unreadable = Utf8(u8"\n\n会計データのファイルを読み込めないか、会計データの形式ではありません。");
    struct Case {
        const char* name;
        std::function<std::string(const std::string& realBooks)> make;   // the books path to run on
        std::string reason;
    };
    const Case cases[] = {
        {"missing", [&](const std::string&) { return folder.File("nowhere/books.db"); }, missing},
        {"garbage bytes",
         [&](const std::string&) {
             std::string bytes;
             for (int i = 0; i < 8192; ++i)
                 bytes += static_cast<char>((i * 131 + 7) & 0xFF);
             folder.Write("garbage.db", bytes);
             return folder.File("garbage.db");
         },
         unreadable},
        {"real books cut in half",
         [&](const std::string& realBooks) {
             const std::string bytes = ReadHostFile(realBooks);
             folder.Write("cut.db", bytes.substr(0, bytes.size() / 2));
             return folder.File("cut.db");
         },
         unreadable},
        {"empty file", [&](const std::string&) { folder.Write("empty.db", ""); return folder.File("empty.db"); },
         unreadable},
    };
    E2eBooks real(folder.Path());
    AddAccounts(real);
    for (int i = 0; i < 200; ++i)
        real.AddAccount(2000 * 10000 + i, "filler" + std::to_string(i), BALANCE_SHEET_ACCOUNT);
    RememberOthers();
    const std::string remembered = folder.Read("StmtPortA.env");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string books = c.make(real.Path());
        const bool existed = std::filesystem::exists(books);
        const std::string before = existed ? ReadHostFile(books) : std::string();
        const RunOutcome run = Run(Launched(books, ExportScript(folder.WindowsPath("out.xml"))));

        ASSERT_EQ(run.MessageBoxes().size(), 1u);
        const std::string text = run.MessageBoxes()[0]->Text("text");
        EXPECT_TRUE(text.starts_with(CANNOT_OPEN)) << text;
        EXPECT_TRUE(text.ends_with(c.reason)) << text;
        EXPECT_EQ(run.MessageBoxes()[0]->Text("icon"), "exclamation");
        EXPECT_EQ(run.Dialog(CONDITION_DIALOG, "open"), nullptr);
        EXPECT_EQ(Posted(run), NOTHING_POSTED) << "the launch line is not read before the books open";
        ExpectOrderlyExit(run, 3);
        EXPECT_EQ(std::filesystem::exists(books), existed) << "nothing is created in place of the books";
        if (existed) {
            EXPECT_EQ(ReadHostFile(books), before);
        }
        EXPECT_FALSE(folder.Exists("out.xml"));
        EXPECT_EQ(folder.Read("StmtPortA.env"), remembered);
    }
}

TEST_F(FaultRun, BooksLockedByAnotherWriterForTheWholeRun)
{
    E2eBooks books(folder.Path());
    AddAccounts(books);
    RememberOthers();
    const std::string remembered = folder.Read("StmtPortA.env");
    const std::string before = ReadHostFile(books.Path());
    RunOutcome run;
    {
        BooksWriter writer(books.Path(), "BEGIN EXCLUSIVE");
        run = Run(Launched(books.Path(), ExportScript(folder.WindowsPath("out.xml"))));
    }
    ASSERT_EQ(run.MessageBoxes().size(), 1u);
    const std::string text = run.MessageBoxes()[0]->Text("text");
    EXPECT_TRUE(text.starts_with(CANNOT_OPEN)) << text;
    EXPECT_NE(text.find(Utf8(u8"使用中")), std::string::npos) << "a locked file is not a broken one: " << text;
    EXPECT_EQ(Posted(run), NOTHING_POSTED);
    ExpectOrderlyExit(run, 3);
    EXPECT_EQ(ReadHostFile(books.Path()), before);
    EXPECT_FALSE(folder.Exists("out.xml"));
    EXPECT_EQ(folder.Read("StmtPortA.env"), remembered);
}

// The other writer locks the books while the user fills in the conditions: the totals cannot be
// read, and the run ends as a failed one instead of writing statements of nothing.
TEST_F(FaultRun, BooksLockedWhileTheConditionsAreEntered)
{
    E2eBooks books(folder.Path());
    AddAccounts(books);
    RememberOthers();
    const std::string remembered = folder.Read("StmtPortA.env");
    const std::string before = ReadHostFile(books.Path());
    FedScript script(folder.File("script.fifo"));
    RunSetup setup = Launched(books.Path(), "");
    setup.scriptPath = script.Path();
    Background running(*this, setup);
    ASSERT_TRUE(script.Connect());
    ASSERT_TRUE(AwaitEvent(FedTranscript(), [](const Json& e) {
        return e.Text("event") == "dialog" && e.Int("id") == CONDITION_DIALOG && e.Text("state") == "open";
    }));
    RunOutcome run;
    {
        BooksWriter writer(books.Path(), "BEGIN EXCLUSIVE");
        script.Write(ExportScript(folder.WindowsPath("out.xml")));
        script.Close();
        run = running.Get();
    }
    ASSERT_FALSE(run.MessageBoxes().empty());
    EXPECT_EQ(run.MessageBoxes().back()->Text("text"), FAILED);
    EXPECT_EQ(run.MessageBoxes().back()->Int("owner"), PROGRESS_DIALOG);
    EXPECT_EQ(Posted(run), "2");
    ExpectOrderlyExit(run, 2);
    EXPECT_EQ(ReadHostFile(books.Path()), before);
    EXPECT_FALSE(folder.Exists("out.xml"));
    EXPECT_EQ(folder.Read("StmtPortA.env"), remembered);
}

// The folder passes the dialog's checks and is gone when the file is created: the run holds at the
// notes warning, which comes between the two.
TEST_F(FaultRun, OutputFolderRemovedAfterTheChecks)
{
    E2eBooks books(folder.Path());
    AddAccounts(books);
    books.SetText(100, NotesSettingsText({33}));
    books.SetText(0, "[Kessan]\r\nNote=1\r\n");
    books.SetText(1000, "<Line>note</Line>\r\n");
    RememberOthers();
    const std::string remembered = folder.Read("StmtPortA.env");
    const std::string before = ReadHostFile(books.Path());
    std::filesystem::create_directories(folder.File("out"));

    FedScript script(folder.File("script.fifo"));
    RunSetup setup = Launched(books.Path(), "");
    setup.scriptPath = script.Path();
    Background running(*this, setup);
    ASSERT_TRUE(script.Connect());
    script.Write(ExportScript(folder.WindowsPath("out/a.xml")));
    ASSERT_TRUE(AwaitEvent(FedTranscript(), [](const Json& e) {
        return e.Text("event") == "dialog" && e.Int("id") == CONDITION_DIALOG && e.Text("state") == "end";
    }));
    std::filesystem::remove_all(folder.File("out"));
    script.Write("answer OK\n");
    script.Close();
    const RunOutcome run = running.Get();

    ASSERT_GE(run.MessageBoxes().size(), 2u);
    EXPECT_EQ(run.MessageBoxes().front()->Text("text").find(Utf8(u8"以下の注記は連動に対応していません。")), 0u);
    EXPECT_EQ(run.MessageBoxes().back()->Text("text"), FAILED);
    EXPECT_EQ(Posted(run), "2");
    ExpectOrderlyExit(run, 2);
    EXPECT_FALSE(folder.Exists("out"));
    EXPECT_EQ(ReadHostFile(books.Path()), before);
    EXPECT_EQ(folder.Read("StmtPortA.env"), remembered);
}

// The statements file fits on the disk, the rewritten remembered-destinations file does not: the
// export stands and the remembered entries stay as they were.
TEST_F(FaultRun, DiskFullWhenTheDestinationIsRemembered)
{
    E2eBooks books(folder.Path());
    AddAccounts(books);
    RunSetup setup = Launched(books.Path(), ExportScript(folder.WindowsPath("first.xml")));
    setup.transcript = false;
    ASSERT_EQ(Run(setup).process.exitCode, 0);
    const auto fileSize = static_cast<long long>(std::filesystem::file_size(folder.File("first.xml")));

    std::string entries;
    for (int user = 0; entries.size() < static_cast<size_t>(fileSize) * 3; ++user)
        entries += "USER" + std::to_string(user) + ":E2E01=4/3/1/C:\\earlier\\u" + std::to_string(user) + ".xml\n";
    folder.Write("StmtPortA.env", entries);
    const std::string before = ReadHostFile(books.Path());

    setup.script = ExportScript(folder.WindowsPath("second.xml"));
    setup.fileSizeLimit = fileSize * 2;
    const RunOutcome run = Run(setup);
    EXPECT_EQ(Posted(run), "0");
    ExpectOrderlyExit(run, 0);
    EXPECT_EQ(folder.Read("second.xml"), folder.Read("first.xml"));
    EXPECT_EQ(folder.Read("StmtPortA.env"), entries);
    EXPECT_FALSE(folder.Exists("StmtPortA.env.new")) << "no half-written file is left behind";
    EXPECT_EQ(ReadHostFile(books.Path()), before);
}

// The disk fills up while the statements file is written: a failed run that remembers nothing.
TEST_F(FaultRun, DiskFullDuringTheStatementsFile)
{
    E2eBooks books(folder.Path());
    AddAccounts(books);
    RememberOthers();
    const std::string remembered = folder.Read("StmtPortA.env");
    const std::string before = ReadHostFile(books.Path());
    RunSetup setup = Launched(books.Path(), "set 1015 D:\\full\nkey F12\nanswer YES\n");
    setup.drives = "C=fixed:/;D=fixed:/dev";
    const RunOutcome run = Run(setup);
    ASSERT_FALSE(run.MessageBoxes().empty());
    EXPECT_EQ(run.MessageBoxes().back()->Text("text"), FAILED);
    EXPECT_EQ(Posted(run), "2");
    ExpectOrderlyExit(run, 2);
    EXPECT_EQ(folder.Read("StmtPortA.env"), remembered);
    EXPECT_EQ(ReadHostFile(books.Path()), before);
}

// The settings folder lies below a regular file, so it can never be made (even by root, for whom
// permissions are no obstacle): the export succeeds, the save fails silently, the file stays.
TEST_F(FaultRun, SettingsFolderThatCannotBeMade)
{
    E2eBooks books(folder.Path());
    AddAccounts(books);
    folder.Write("blocker", "a regular file");
    books.Exec("UPDATE folders SET path = '" + WindowsPathOf(folder.File("blocker")) + "\\settings\\' WHERE folder_type = 1");
    const std::string before = ReadHostFile(books.Path());
    const RunOutcome run = Run(Launched(books.Path(), ExportScript(folder.WindowsPath("out.xml"))));
    ASSERT_FALSE(run.MessageBoxes().empty());
    EXPECT_EQ(run.MessageBoxes().back()->Text("text"), WRITTEN);
    EXPECT_EQ(Posted(run), "0");
    ExpectOrderlyExit(run, 0);
    EXPECT_FALSE(ReadStatements("out.xml").empty());
    EXPECT_EQ(folder.Read("blocker"), "a regular file");
    EXPECT_EQ(ReadHostFile(books.Path()), before);
}

}  // namespace
}  // namespace e2e
