// A thin owner of an SQLite connection and its statements: every handle is
// closed by its destructor, every failure becomes a SqliteError with SQLite's
// code, and a transaction not committed is rolled back.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kav::io {

struct SqliteError : std::runtime_error {
    SqliteError(int code, const std::string& what) : std::runtime_error(what), code(code) {}
    int code; // the primary result code (SQLITE_BUSY, SQLITE_READONLY, ...)
};

class SqliteDb {
public:
    // Opens (creating when missing) the database file for reading and writing;
    // a "file:" URI may ask for more ("file:a.sqlite?mode=ro").
    // With `readOnly` the file must exist and is never written.
    SqliteDb(const std::string& path, int busyTimeoutMs, bool readOnly = false);
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    void exec(const std::string& sql);
    // The first column of the first row of a query as an integer.
    std::int64_t queryInt(const std::string& sql);
    bool readOnly() const;
    std::int64_t lastInsertId() const;
    int changes() const;
    sqlite3* handle() const { return db_; }
    [[noreturn]] void fail(int code) const;

private:
    sqlite3* db_ = nullptr;
};

class SqliteStatement {
public:
    SqliteStatement(SqliteDb& db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Parameters count from 1, as in SQL.
    SqliteStatement& bind(int index, std::int64_t value);
    SqliteStatement& bind(int index, std::string_view text);
    SqliteStatement& bindOptional(int index, const std::optional<std::string>& text);
    // True while a row is there to read; false when done.
    bool step();
    std::int64_t columnInt(int column) const;
    std::string columnText(int column) const;
    std::optional<std::string> columnOptionalText(int column) const;

private:
    SqliteDb& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// BEGIN IMMEDIATE: the write lock is taken at once, so a busy archive is
// found before anything is changed.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteDb& db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    void commit();

private:
    SqliteDb& db_;
    bool done_ = false;
};

} // namespace kav::io
