// The open books: one read-only SQLite connection shared by every engine class.
#include "Books.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "host/Codepage.h"
#include "LgrStatus.h"

namespace lgr {

namespace {

// Every column the engine reads; a file without one of them is not a book.
constexpr const char* kSchemaProbes[] = {
    "SELECT user_id, selected_no1, selected_no2, is_current FROM users LIMIT 0",
    "SELECT data_no, data_id, company_name, start_date, end_date, cost_schedule, interim_closing,"
    " intro_month, companies_act, tax_record FROM datasets LIMIT 0",
    "SELECT data_id, seq, account_key, formal_name, alt_name, kind, debit_normal, class_code"
    " FROM accounts LIMIT 0",
    "SELECT data_id, account_key, period, debit1, credit1, debit2, credit2 FROM postings LIMIT 0",
    "SELECT data_id, kind, text FROM statement_texts LIMIT 0",
    "SELECT folder_type, path FROM folders LIMIT 0",
    "SELECT call, status, after FROM faults LIMIT 0",
    "SELECT key, value FROM settings LIMIT 0",
};

bool HasSchema(sqlite3* db) {
    for (const char* probe : kSchemaProbes) {
        if (!Statement(db, probe).Ok()) return false;
    }
    return true;
}

std::filesystem::path ProgramFolder() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : program.parent_path();
}

}  // namespace

std::string BooksHostPath() {
    const char* configured = std::getenv("LGR_BOOKS");
    if (configured != nullptr && *configured != '\0') return configured;
    return (ProgramFolder() / "books.db").string();
}

Books& Books::Instance() {
    static Books books;
    return books;
}

Books::~Books() { Close(); }

long Books::Open(const std::string& hostPath) {
    Close();
    hostPath_ = hostPath;
    std::error_code error;
    if (!std::filesystem::exists(hostPath, error)) return error ? kBooksUnreadable : kBooksMissing;

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(hostPath.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return kBooksUnreadable;
    }
    if (!HasSchema(db) || !faults_.Load(db)) {
        // Another program writing the books holds them locked: that is no broken file.
        const bool locked = sqlite3_errcode(db) == SQLITE_BUSY || sqlite3_errcode(db) == SQLITE_LOCKED;
        faults_.Clear();
        sqlite3_close_v2(db);
        return locked ? kBooksLocked : kBooksUnreadable;
    }
    db_ = db;
    ++generation_;
    return 0;
}

void Books::Close() {
    if (db_ == nullptr) return;
    // A cursor left open by a caller keeps the connection alive until it is finalized.
    sqlite3_close_v2(db_);
    db_ = nullptr;
    faults_.Clear();
    ++generation_;
}

std::optional<int64_t> Books::IntegerSetting(std::string_view key) {
    if (db_ == nullptr) return std::nullopt;
    Statement query(db_, "SELECT value FROM settings WHERE key = ?1");
    query.Bind(1, key);
    if (query.Step() != SQLITE_ROW) return std::nullopt;
    if (query.Type(0) == SQLITE_INTEGER) return query.Int(0);
    if (query.Type(0) != SQLITE_TEXT) return std::nullopt;
    const std::string text = query.Text(0);
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || errno != 0 || *end != '\0') return std::nullopt;
    return value;
}

Statement::Statement(sqlite3* db, const char* sql) {
    if (db == nullptr || sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::Bind(int index, int64_t value) {
    if (stmt_ != nullptr) sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Statement& Statement::Bind(int index, std::string_view text) {
    if (stmt_ != nullptr) {
        const std::string utf8 = host::Cp932ToUtf8(text);
        sqlite3_bind_text(stmt_, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }
    return *this;
}

int Statement::Step() { return stmt_ == nullptr ? SQLITE_MISUSE : sqlite3_step(stmt_); }

int Statement::Type(int column) const { return sqlite3_column_type(stmt_, column); }

int64_t Statement::Int(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string Statement::Text(int column) const {
    if (Type(column) == SQLITE_BLOB) {
        const void* bytes = sqlite3_column_blob(stmt_, column);
        const int size = sqlite3_column_bytes(stmt_, column);
        return bytes == nullptr ? std::string() : std::string(static_cast<const char*>(bytes), static_cast<size_t>(size));
    }
    const unsigned char* utf8 = sqlite3_column_text(stmt_, column);
    const int size = sqlite3_column_bytes(stmt_, column);
    if (utf8 == nullptr) return std::string();
    return host::Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8), static_cast<size_t>(size)));
}

}  // namespace lgr
