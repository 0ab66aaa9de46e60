// Rewrites the ledger tests' books through SQLite and links the engine to them.
#include "LedgerBooks.h"

#include <stdexcept>

#include <sqlite3.h>

#include <LgrLink.h>

namespace {

void Check(int rc, sqlite3* db, const char* what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

}

LedgerBooks& LedgerBooks::Shared()
{
    static LedgerBooks books;
    return books;
}

LedgerBooks::LedgerBooks() : books(testbooks::kStandardDataSet)
{
    Check(sqlite3_open(books.Path().c_str(), &db), db, "open books");
    // The books live only as long as the test process: no need to wait for the disk.
    Exec("PRAGMA synchronous = OFF");
    insertAccount = Prepare("INSERT INTO accounts(data_id, seq, account_key, formal_name, alt_name, kind, "
                            "debit_normal, class_code) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
    insertPosting = Prepare("INSERT INTO postings(data_id, account_key, period, debit1, credit1, debit2, credit2) "
                            "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    books.Activate();
    ClLgrConnect* connection = ClLgrConnect::Inst();
    connection->SetAppType(0);
    connection->SetUseDataType(1);
    Link();
}

void LedgerBooks::Link()
{
    ClLgrConnect* connection = ClLgrConnect::Inst();
    if (connection->Initiate() != 0 || connection->ExpSysLink() != 0)
        throw std::runtime_error("the engine does not link to " + books.Path());
}

LedgerBooks::~LedgerBooks()
{
    sqlite3_finalize(insertAccount);
    sqlite3_finalize(insertPosting);
    sqlite3_close(db);
}

sqlite3_stmt* LedgerBooks::Prepare(const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    Check(sqlite3_prepare_v2(db, sql, -1, &statement, nullptr), db, sql);
    return statement;
}

void LedgerBooks::Exec(const std::string& sql)
{
    Check(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), db, sql.c_str());
}

void LedgerBooks::Clear()
{
    Exec("DELETE FROM accounts; DELETE FROM postings; DELETE FROM statement_texts; DELETE FROM faults; "
         "DELETE FROM settings;");
    nextSeq = 1;
    Link();
}

void LedgerBooks::AddAccount(const Account& account)
{
    sqlite3_reset(insertAccount);
    sqlite3_bind_text(insertAccount, 1, LEDGER_DATA_ID, -1, SQLITE_STATIC);
    sqlite3_bind_int(insertAccount, 2, nextSeq++);
    sqlite3_bind_int64(insertAccount, 3, account.key);
    sqlite3_bind_blob(insertAccount, 4, account.formalName.data(), static_cast<int>(account.formalName.size()),
                      SQLITE_TRANSIENT);
    sqlite3_bind_blob(insertAccount, 5, account.altName.data(), static_cast<int>(account.altName.size()),
                      SQLITE_TRANSIENT);
    sqlite3_bind_int(insertAccount, 6, account.kind);
    sqlite3_bind_int(insertAccount, 7, account.debitNormal);
    sqlite3_bind_int64(insertAccount, 8, account.classCode);
    Check(sqlite3_step(insertAccount), db, "add account");
}

void LedgerBooks::AddPosting(int64_t key, int period, int64_t debit1, int64_t credit1, int64_t debit2, int64_t credit2)
{
    sqlite3_reset(insertPosting);
    sqlite3_bind_text(insertPosting, 1, LEDGER_DATA_ID, -1, SQLITE_STATIC);
    sqlite3_bind_int64(insertPosting, 2, key);
    sqlite3_bind_int(insertPosting, 3, period);
    sqlite3_bind_int64(insertPosting, 4, debit1);
    sqlite3_bind_int64(insertPosting, 5, credit1);
    sqlite3_bind_int64(insertPosting, 6, debit2);
    sqlite3_bind_int64(insertPosting, 7, credit2);
    Check(sqlite3_step(insertPosting), db, "add posting");
}

void LedgerBooks::SetText(int kind, const std::string& bytes)
{
    sqlite3_stmt* statement =
        Prepare("INSERT OR REPLACE INTO statement_texts(data_id, kind, text) VALUES (?1, ?2, ?3)");
    sqlite3_bind_text(statement, 1, LEDGER_DATA_ID, -1, SQLITE_STATIC);
    sqlite3_bind_int(statement, 2, kind);
    sqlite3_bind_blob(statement, 3, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(statement);
    sqlite3_finalize(statement);
    Check(rc, db, "set text");
}

void LedgerBooks::SetFault(const std::string& call, long status, int after)
{
    Exec("INSERT OR REPLACE INTO faults(call, status, after) VALUES ('" + call + "', " + std::to_string(status) +
         ", " + std::to_string(after) + ")");
    Link();
}

void LedgerBooks::SetSumCount(int64_t count)
{
    Exec("INSERT OR REPLACE INTO settings(key, value) VALUES ('sum_count', " + std::to_string(count) + ")");
}
