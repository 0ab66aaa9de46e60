// The open books: one read-only SQLite connection shared by every engine class.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FaultTable.h"

namespace lgr {

// LGR_BOOKS when set and not empty, otherwise books.db in the running program's folder.
std::string BooksHostPath();

class Books {
public:
    static Books& Instance();

    // Opens hostPath read-only and checks that it holds the books' tables and columns.
    // 0, kBooksMissing or kBooksUnreadable; a failed open leaves the books closed.
    // Every open reloads the faults table, so its counters start again per connection.
    long Open(const std::string& hostPath);
    void Close();

    bool IsOpen() const { return db_ != nullptr; }
    sqlite3* Handle() const { return db_; }
    const std::string& HostPath() const { return hostPath_; }   // of the last Open, also a failed one
    // Changes with every Open and Close, so a cursor can tell that its connection went away.
    unsigned Generation() const { return generation_; }
    FaultTable& Faults() { return faults_; }

    // An integer setting (INTEGER, or TEXT holding only a decimal number); empty when absent or not a number.
    std::optional<int64_t> IntegerSetting(std::string_view key);

private:
    Books() = default;
    ~Books();
    Books(const Books&) = delete;
    Books& operator=(const Books&) = delete;

    sqlite3* db_ = nullptr;
    std::string hostPath_;
    unsigned generation_ = 0;
    FaultTable faults_;
};

// A prepared statement that finalizes itself. Ok() is false when the SQL was refused.
class Statement {
public:
    Statement(sqlite3* db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Ok() const { return stmt_ != nullptr; }
    Statement& Bind(int index, int64_t value);
    Statement& Bind(int index, std::string_view text);
    int Step();   // SQLITE_ROW, SQLITE_DONE or an error code

    int Type(int column) const;   // SQLITE_INTEGER, SQLITE_TEXT, SQLITE_BLOB, SQLITE_NULL ...
    int64_t Int(int column) const;
    // A TEXT value converted from UTF-8 to CP932; a BLOB byte for byte; other values as SQLite prints them.
    std::string Text(int column) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace lgr
