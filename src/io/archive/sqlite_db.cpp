#include "io/archive/sqlite_db.h"

#include <sqlite3.h>

namespace kav::io {

SqliteDb::SqliteDb(const std::string& path, int busyTimeoutMs, bool readOnly) {
    const int access = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.c_str(), &db_,
                                   access | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI, nullptr);
    if (rc != SQLITE_OK) {
        const std::string what = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqliteError(rc & 0xFF, what);
    }
    sqlite3_extended_result_codes(db_, 0);
    sqlite3_busy_timeout(db_, busyTimeoutMs);
}

SqliteDb::~SqliteDb() {
    sqlite3_close(db_);
}

void SqliteDb::fail(int code) const {
    throw SqliteError(code & 0xFF, sqlite3_errmsg(db_));
}

void SqliteDb::exec(const std::string& sql) {
    const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
}

std::int64_t SqliteDb::queryInt(const std::string& sql) {
    SqliteStatement st(*this, sql);
    return st.step() ? st.columnInt(0) : 0;
}

bool SqliteDb::readOnly() const {
    return sqlite3_db_readonly(db_, "main") == 1;
}

std::int64_t SqliteDb::lastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

int SqliteDb::changes() const {
    return sqlite3_changes(db_);
}

SqliteStatement::SqliteStatement(SqliteDb& db, std::string_view sql) : db_(db) {
    const int rc =
        sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK)
        db.fail(rc);
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(stmt_);
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value) {
    const int rc = sqlite3_bind_int64(stmt_, index, value);
    if (rc != SQLITE_OK)
        db_.fail(rc);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::string_view text) {
    const int rc =
        sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    if (rc != SQLITE_OK)
        db_.fail(rc);
    return *this;
}

SqliteStatement& SqliteStatement::bindOptional(int index, const std::optional<std::string>& text) {
    if (text)
        return bind(index, std::string_view(*text));
    const int rc = sqlite3_bind_null(stmt_, index);
    if (rc != SQLITE_OK)
        db_.fail(rc);
    return *this;
}

bool SqliteStatement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    db_.fail(rc);
}

std::int64_t SqliteStatement::columnInt(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

std::string SqliteStatement::columnText(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    if (!text)
        return {};
    return std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
}

std::optional<std::string> SqliteStatement::columnOptionalText(int column) const {
    if (sqlite3_column_type(stmt_, column) == SQLITE_NULL)
        return std::nullopt;
    return columnText(column);
}

SqliteTransaction::SqliteTransaction(SqliteDb& db) : db_(db) {
    db_.exec("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction() {
    if (!done_)
        sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteTransaction::commit() {
    db_.exec("COMMIT");
    done_ = true;
}

} // namespace kav::io
