// Books files for tests: the engine's schema plus a test's own rows, in a fresh temporary folder.
//
//   testbooks::TestBooks books(testbooks::kStandardDataSet);       // schema + one selected data set
//   books.Exec("INSERT INTO accounts(data_id, seq, account_key, class_code) VALUES('D1', 1, 10000, 0)");
//   books.AddAccounts({.count = 32768});                          // a large chart in one transaction
//   books.Activate();                                             // LGR_BOOKS = books.Path()
//
// SQL is UTF-8, as the books store their TEXT values: sources compile their literals to CP932, so
// write Japanese SQL as u8 literals through Utf8(u8"..."). Use SqlBlob() for bytes that must reach
// the system unchanged (CP932 names, invalid sequences). Every failure throws std::runtime_error with
// SQLite's message, so a broken fixture fails the test that made it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace testbooks {

// Host path of the books' CREATE TABLE statements (lgr/schema.sql).
std::string SchemaPath();

// The signed-in user "tester" selecting data_no 1: data set "D1" of "テスト株式会社", fiscal year
// 2025-04-01 to 2026-03-31, no cost schedule, no interim closing, intro month 0, Companies Act,
// consumption-tax record of 12 zero bytes.
extern const char kStandardDataSet[];

// A u8 literal as the UTF-8 bytes SQLite expects.
inline const char* Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// X'..' literal of the bytes, for BLOB values: SqlBlob("\x82\xA0") -> "X'82A0'".
std::string SqlBlob(std::string_view bytes);

// N generated accounts with the same postings in every period.
struct BulkAccounts {
    std::string dataId = "D1";
    int count = 0;
    int firstSeq = 1;               // account i (from 0) gets seq firstSeq + i ...
    int firstCode = 1000;           // ... account key (firstCode + i) * 10000, formal name "科目<code>", alt name "K<code>"
    uint32_t classCode = 0x80880000;
    int kind = 0;
    int debitNormal = 1;
    int64_t debit = 10000;          // ten-thousandths, in debit1 and debit2 of every posting
    int64_t credit = 0;             // in credit1 and credit2
    bool withPostings = true;       // one posting in each of the periods 0..12, 15 and 18
};

class TestBooks {
public:
    // Creates <TMPDIR or /tmp>/testbooks-XXXXXX/books.db from the schema, then runs sql on it.
    explicit TestBooks(std::string_view sql = "");
    ~TestBooks();   // removes the folder with everything in it
    TestBooks(const TestBooks&) = delete;
    TestBooks& operator=(const TestBooks&) = delete;

    const std::string& Path() const { return path_; }       // host path of books.db
    const std::string& Folder() const { return folder_; }   // host folder holding it, without a trailing slash

    // Runs more SQL (several statements allowed).
    void Exec(std::string_view sql) const;
    // Inserts the accounts and their postings with prepared statements in one transaction;
    // 32,768 accounts with 15 postings each take well under a second.
    void AddAccounts(const BulkAccounts& accounts) const;
    // Sets LGR_BOOKS to Path(), for the engine in this process and for programs it starts.
    void Activate() const;

private:
    std::string folder_;
    std::string path_;
};

}  // namespace testbooks
