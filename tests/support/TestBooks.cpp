// Books files for tests: the engine's schema plus a test's own rows, in a fresh temporary folder.
#include "TestBooks.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace testbooks {

namespace {

struct CloseDb {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Db = std::unique_ptr<sqlite3, CloseDb>;

struct FinalizeStmt {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, FinalizeStmt>;

[[noreturn]] void Fail(const std::string& what, sqlite3* db) {
    throw std::runtime_error("test books: " + what + ": " + (db != nullptr ? sqlite3_errmsg(db) : "no connection"));
}

// Test books need no protection against power loss: skipping the syncs keeps fixtures fast.
Db OpenDb(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) {
        Db owned(db);
        Fail("cannot open " + path, db);
    }
    sqlite3_exec(db, "PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
    return Db(db);
}

void ExecOn(sqlite3* db, const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message != nullptr ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error("test books: " + text + " in: " + sql.substr(0, 200));
    }
}

Stmt Prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) Fail(sql, db);
    return Stmt(stmt);
}

void StepDone(sqlite3* db, sqlite3_stmt* stmt) {
    if (sqlite3_step(stmt) != SQLITE_DONE) Fail("insert", db);
    sqlite3_reset(stmt);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("test books: cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::string SchemaPath() { return TESTBOOKS_SCHEMA_SQL; }

// Constant-initialized, so that tests may use it in their own static data; the company name is
// spelled in UTF-8 bytes because narrow literals here are compiled to CP932.
const char kStandardDataSet[] =
    "INSERT INTO users(user_id, selected_no1, selected_no2, is_current) VALUES('tester', 0, 1, 1);"
    "INSERT INTO datasets(data_no, data_id, company_name, start_date, end_date, cost_schedule,"
    " interim_closing, intro_month, companies_act, tax_record)"
    " VALUES(1, 'D1', '\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88\xE6\xA0\xAA\xE5\xBC\x8F\xE4\xBC\x9A\xE7\xA4\xBE', 20250401, 20260331, 0, 0, 0, 1, zeroblob(12));";

std::string SqlBlob(std::string_view bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string literal = "X'";
    for (unsigned char byte : bytes) {
        literal += kHex[byte >> 4];
        literal += kHex[byte & 0x0F];
    }
    return literal + "'";
}

TestBooks::TestBooks(std::string_view sql) {
    const char* tmp = getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/testbooks-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("test books: cannot make " + pattern);
    folder_ = pattern;
    path_ = folder_ + "/books.db";
    const Db db = OpenDb(path_);
    ExecOn(db.get(), "BEGIN;" + ReadFile(SchemaPath()) + std::string(sql) + ";COMMIT;");
}

TestBooks::~TestBooks() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void TestBooks::Exec(std::string_view sql) const {
    const Db db = OpenDb(path_);
    ExecOn(db.get(), std::string(sql));
}

void TestBooks::AddAccounts(const BulkAccounts& accounts) const {
    static const int kPeriods[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 18};
    const Db db = OpenDb(path_);
    ExecOn(db.get(), "BEGIN");
    const Stmt account = Prepare(db.get(),
                                 "INSERT INTO accounts(data_id, seq, account_key, formal_name, alt_name, kind,"
                                 " debit_normal, class_code) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
    const Stmt posting = Prepare(db.get(),
                                 "INSERT INTO postings(data_id, account_key, period, debit1, credit1, debit2, credit2)"
                                 " VALUES(?1, ?2, ?3, ?4, ?5, ?4, ?5)");
    sqlite3_bind_text(account.get(), 1, accounts.dataId.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(posting.get(), 1, accounts.dataId.c_str(), -1, SQLITE_TRANSIENT);
    for (int i = 0; i < accounts.count; ++i) {
        const int code = accounts.firstCode + i;
        const int64_t key = int64_t{code} * 10000;
        const std::string formal = Utf8(u8"科目") + std::to_string(code);
        const std::string alt = "K" + std::to_string(code);
        sqlite3_bind_int64(account.get(), 2, accounts.firstSeq + i);
        sqlite3_bind_int64(account.get(), 3, key);
        sqlite3_bind_text(account.get(), 4, formal.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(account.get(), 5, alt.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(account.get(), 6, accounts.kind);
        sqlite3_bind_int(account.get(), 7, accounts.debitNormal);
        sqlite3_bind_int64(account.get(), 8, accounts.classCode);
        StepDone(db.get(), account.get());
        if (!accounts.withPostings) continue;
        sqlite3_bind_int64(posting.get(), 2, key);
        sqlite3_bind_int64(posting.get(), 4, accounts.debit);
        sqlite3_bind_int64(posting.get(), 5, accounts.credit);
        for (int period : kPeriods) {
            sqlite3_bind_int(posting.get(), 3, period);
            StepDone(db.get(), posting.get());
        }
    }
    ExecOn(db.get(), "COMMIT");
}

void TestBooks::Activate() const { setenv("LGR_BOOKS", path_.c_str(), 1); }

}  // namespace testbooks
