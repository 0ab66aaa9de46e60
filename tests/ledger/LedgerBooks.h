// Books for the ledger tests: the standard data set, rewritten per test, with the engine linked to it.
#pragma once

#include <cstdint>
#include <string>

#include <TestBooks.h>

struct sqlite3;
struct sqlite3_stmt;

class LedgerBooks {
public:
    struct Account {
        int64_t key;
        std::string formalName;     // code page 932 bytes, stored as a BLOB
        std::string altName;
        int kind = 0;
        int debitNormal = 1;
        uint32_t classCode = 0x80000000u;
    };

    // The books of this process, created and linked on first use.
    static LedgerBooks& Shared();

    // Empties everything a test writes (accounts, postings, texts, faults, settings) and relinks.
    void Clear();
    void Exec(const std::string& sql);
    void Begin() { Exec("BEGIN"); }
    void Commit() { Exec("COMMIT"); }

    // Appends in delivery order.
    void AddAccount(const Account& account);
    void AddPosting(int64_t key, int period, int64_t debit1, int64_t credit1, int64_t debit2 = 0, int64_t credit2 = 0);
    void SetText(int kind, const std::string& bytes);
    // The engine reads its faults when it links, so this relinks.
    void SetFault(const std::string& call, long status, int after = 0);
    void SetSumCount(int64_t count);

    const testbooks::TestBooks& Books() const { return books; }

private:
    LedgerBooks();
    ~LedgerBooks();
    sqlite3_stmt* Prepare(const char* sql);
    void Link();

    testbooks::TestBooks books;
    sqlite3* db = nullptr;
    sqlite3_stmt* insertAccount = nullptr;
    sqlite3_stmt* insertPosting = nullptr;
    int nextSeq = 1;
};

// The data set every ledger test reads: the standard one of the test books.
inline constexpr const char* LEDGER_DATA_ID = "D1";
