#include "io/archive/draw_archive.h"

#include "io/archive/sqlite_db.h"

#include <sqlite3.h>

#include <charconv>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace kav::io {

namespace {

using Table = std::array<std::array<Fixed4, kOutcomes>, kEvents>;

std::string tableText(const Table& t) {
    std::string s;
    for (const auto& event : t)
        for (Fixed4 v : event) {
            if (!s.empty())
                s += ' ';
            s += v.moneyText();
        }
    return s;
}

std::optional<Table> readTable(const std::string& text) {
    Table t{};
    std::size_t pos = 0;
    for (int i = 0; i < kEvents * kOutcomes; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != ' ')
                return std::nullopt;
            ++pos;
        }
        const std::size_t end = std::min(text.find(' ', pos), text.size());
        const auto v = Fixed4::parse(std::string_view(text).substr(pos, end - pos));
        if (!v || end == pos)
            return std::nullopt;
        t[i / kOutcomes][i % kOutcomes] = *v;
        pos = end;
    }
    if (pos != text.size())
        return std::nullopt;
    return t;
}

std::optional<std::array<std::int32_t, 3>> readCounts(const std::string& text) {
    std::array<std::int32_t, 3> counts{};
    const char* p = text.data();
    const char* end = text.data() + text.size();
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (p == end || *p != ' ')
                return std::nullopt;
            ++p;
        }
        auto [next, ec] = std::from_chars(p, end, counts[i]);
        if (ec != std::errc())
            return std::nullopt;
        p = next;
    }
    if (p != end)
        return std::nullopt;
    return counts;
}

std::string oneLine(std::string s) {
    for (char& c : s)
        if (c == '\n' || c == '\r')
            c = ' ';
    return s;
}

// Schema steps: step n brings a database of version n - 1 to version n.
const char* const kMigrations[] = {
    // 1: the draws.
    "CREATE TABLE draws ("
    " id INTEGER PRIMARY KEY,"
    " loaded_at TEXT NOT NULL,"
    " country INTEGER NOT NULL,"
    " title TEXT NOT NULL,"
    " event_titles TEXT NOT NULL,"
    " quotes TEXT NOT NULL,"
    " pool_shares TEXT NOT NULL,"
    " pool TEXT NOT NULL,"
    " jackpot TEXT NOT NULL,"
    " uniform_counts TEXT NOT NULL);",
    // 2: results, prizes and the packages played on a draw.
    "ALTER TABLE draws ADD COLUMN result TEXT;"
    "ALTER TABLE draws ADD COLUMN prizes TEXT;"
    "CREATE TABLE packages ("
    " id INTEGER PRIMARY KEY,"
    " draw_id INTEGER NOT NULL REFERENCES draws(id),"
    " saved_at TEXT NOT NULL,"
    " bet_text TEXT NOT NULL,"
    " bets INTEGER NOT NULL,"
    " stake TEXT NOT NULL,"
    " project TEXT NOT NULL);"
    "CREATE INDEX packages_by_draw ON packages(draw_id);",
};
static_assert(std::size(kMigrations) == DrawArchive::kSchemaVersion);

constexpr const char* kDrawColumns =
    "id, loaded_at, country, title, event_titles, quotes, pool_shares, pool, jackpot, "
    "uniform_counts, result, prizes";

std::optional<ArchivedDraw> readDrawRow(const SqliteStatement& st) {
    DrawRecord r;
    r.loadedAt = st.columnText(1);
    r.country = st.columnInt(2);
    r.title = st.columnText(3);
    r.eventTitles = st.columnText(4);
    r.quotes = st.columnText(5);
    r.poolShares = st.columnText(6);
    r.pool = st.columnText(7);
    r.jackpot = st.columnText(8);
    r.uniformCounts = st.columnText(9);
    r.result = st.columnOptionalText(10);
    r.prizes = st.columnOptionalText(11);
    auto draw = decodeDraw(r);
    if (draw)
        draw->id = st.columnInt(0);
    return draw;
}

constexpr const char* kPackageColumns = "id, draw_id, saved_at, bet_text, bets, stake, project";

std::optional<ArchivedPackage> readPackageRow(const SqliteStatement& st) {
    ArchivedPackage p;
    p.id = st.columnInt(0);
    p.drawId = st.columnInt(1);
    p.savedAt = st.columnText(2);
    p.betText = st.columnText(3);
    p.bets = st.columnInt(4);
    const auto stake = Fixed4::parse(st.columnText(5));
    if (!stake)
        return std::nullopt;
    p.stake = *stake;
    p.projectJson = st.columnText(6);
    return p;
}

} // namespace

DrawModel ArchivedDraw::model() const {
    DrawModel m;
    m.eventTitles = eventTitles;
    m.quotes = quotes;
    m.poolShares = poolShares;
    m.drawCountry = drawCountry;
    m.currencySuffix = currencySuffixFor(drawCountry);
    return m;
}

DrawRecord encodeDraw(const ArchivedDraw& d) {
    DrawRecord r;
    r.loadedAt = d.loadedAt;
    r.country = d.drawCountry;
    r.title = d.title;
    for (int e = 0; e < kEvents; ++e) {
        if (e > 0)
            r.eventTitles += '\n';
        r.eventTitles += oneLine(d.eventTitles[e]);
    }
    r.quotes = tableText(d.quotes);
    r.poolShares = tableText(d.poolShares);
    r.pool = d.totals.poolText;
    r.jackpot = d.totals.jackpotText;
    r.uniformCounts = std::to_string(d.totals.uniformCounts[0]) + ' ' +
                      std::to_string(d.totals.uniformCounts[1]) + ' ' +
                      std::to_string(d.totals.uniformCounts[2]);
    if (d.result)
        r.result = drawResultText(*d.result);
    if (d.prizes.any())
        r.prizes = typedPrizesText(d.prizes);
    return r;
}

std::optional<ArchivedDraw> decodeDraw(const DrawRecord& r) {
    ArchivedDraw d;
    if (r.country != kRussia && r.country != kUkraine)
        return std::nullopt;
    d.drawCountry = static_cast<std::uint8_t>(r.country);
    d.loadedAt = r.loadedAt;
    d.title = r.title;
    std::size_t pos = 0;
    for (int e = 0; e < kEvents; ++e) {
        const std::size_t end = r.eventTitles.find('\n', pos);
        if ((end == std::string::npos) != (e == kEvents - 1))
            return std::nullopt;
        d.eventTitles[e] = r.eventTitles.substr(pos, end == std::string::npos ? end : end - pos);
        pos = end + 1;
    }
    const auto quotes = readTable(r.quotes);
    const auto shares = readTable(r.poolShares);
    const auto counts = readCounts(r.uniformCounts);
    if (!quotes || !shares || !counts)
        return std::nullopt;
    d.quotes = *quotes;
    d.poolShares = *shares;
    d.totals.poolText = r.pool;
    d.totals.jackpotText = r.jackpot;
    d.totals.uniformCounts = *counts;
    const auto mean = uniformCountMeanOf(*counts);
    if (!mean)
        return std::nullopt;
    d.totals.uniformCountMean = *mean;
    if (r.result) {
        d.result = parseDrawResult(*r.result);
        if (!d.result)
            return std::nullopt;
    }
    if (r.prizes) {
        const auto prizes = parseTypedPrizes(*r.prizes);
        if (!prizes)
            return std::nullopt;
        d.prizes = *prizes;
    }
    return d;
}

std::string defaultArchivePath() {
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".local" / "share";
    else
        base = ".";
    return (base / "Kavendix" / "kavendix" / "archive.sqlite").string();
}

std::string archiveTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
    return buf;
}

DrawArchive::DrawArchive(std::unique_ptr<SqliteDb> db, std::string path)
    : db_(std::move(db)), path_(std::move(path)) {}

DrawArchive::~DrawArchive() = default;

std::string DrawArchive::problemText(int code, const std::string& detail) const {
    switch (code) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "Архив тиражей занят другой программой: " + path_ +
               ". Закройте её или повторите позже.";
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
    case SQLITE_AUTH:
        return "Архив тиражей недоступен для записи: " + path_ + " (" + detail + ").";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return "Архив тиражей повреждён: " + path_ + " (" + detail + ").";
    case SQLITE_FULL:
    case SQLITE_IOERR:
        return "Не удалось записать архив тиражей: " + path_ + " (" + detail + ").";
    default:
        return "Ошибка архива тиражей: " + path_ + " (" + detail + ").";
    }
}

DrawArchive::Opened DrawArchive::open(const std::string& path, int busyTimeoutMs) {
    Opened out;
    DrawArchive* self = nullptr;
    try {
        std::error_code ec;
        const auto folder = std::filesystem::path(path).parent_path();
        if (!folder.empty() && !path.starts_with("file:"))
            std::filesystem::create_directories(folder, ec);
        auto db = std::make_unique<SqliteDb>(path, busyTimeoutMs);
        out.archive.reset(new DrawArchive(std::move(db), path));
        self = out.archive.get();
        SqliteDb& d = *self->db_;
        if (d.readOnly())
            throw SqliteError(SQLITE_READONLY, "файл только для чтения");
        // Reading the version is the first touch of the file: a file that is
        // no database fails here.
        const std::int64_t version = d.queryInt("PRAGMA user_version");
        if (version > kSchemaVersion) {
            out.problem = "Архив тиражей создан более новой версией программы (версия " +
                          std::to_string(version) + ", эта программа знает до " +
                          std::to_string(kSchemaVersion) + "): " + path + ".";
            out.archive.reset();
            return out;
        }
        // Readers never wait for a writer, and a write is one append to the log.
        SqliteStatement(d, "PRAGMA journal_mode=WAL").step();
        d.exec("PRAGMA foreign_keys=ON");
        if (version < kSchemaVersion) {
            SqliteTransaction tx(d);
            // Another program may have migrated while this one waited for the lock.
            std::int64_t now = d.queryInt("PRAGMA user_version");
            for (; now < kSchemaVersion; ++now)
                d.exec(kMigrations[now]);
            d.exec("PRAGMA user_version=" + std::to_string(kSchemaVersion));
            tx.commit();
        }
        SqliteStatement check(d, "PRAGMA quick_check(1)");
        if (!check.step() || check.columnText(0) != "ok")
            throw SqliteError(SQLITE_CORRUPT, check.columnText(0));
    } catch (const SqliteError& e) {
        out.code = e.code;
        if (self)
            out.problem = self->problemText(e.code, e.what());
        else
            out.problem = DrawArchive(nullptr, path).problemText(e.code, e.what());
        out.archive.reset();
    }
    return out;
}

DrawArchive::Opened DrawArchive::openForReading(const std::string& path, int busyTimeoutMs) {
    Opened out = open(path, busyTimeoutMs);
    if (out.archive ||
        (out.code != SQLITE_READONLY && out.code != SQLITE_CANTOPEN && out.code != SQLITE_PERM))
        return out;
    const std::string problem = out.problem;
    try {
        std::string uri = "file:";
        if (path.starts_with("file:"))
            uri = path;
        else
            for (char c : path)
                uri += c == '%' ? "%25" : c == '?' ? "%3f" : c == '#' ? "%23" : std::string(1, c);
        const char* more = uri.find('?') == std::string::npos ? "?" : "&";
        // The log of a read-only folder cannot be shared: the file is then
        // read as it stands.
        std::unique_ptr<SqliteDb> db;
        for (const std::string mode : {"mode=ro", "immutable=1"}) {
            try {
                db = std::make_unique<SqliteDb>(uri + more + mode, busyTimeoutMs, true);
                db->queryInt("PRAGMA user_version");
                break;
            } catch (const SqliteError&) {
                if (mode != "mode=ro")
                    throw;
            }
        }
        const std::int64_t version = db->queryInt("PRAGMA user_version");
        SqliteStatement check(*db, "PRAGMA quick_check(1)");
        if (version != kSchemaVersion || !check.step() || check.columnText(0) != "ok")
            return out;
        out.archive.reset(new DrawArchive(std::move(db), path));
        out.problem.clear();
        out.code = 0;
    } catch (const SqliteError&) {
        out.problem = problem;
    }
    return out;
}

DrawArchive::Answer<std::int64_t> DrawArchive::addDraw(const ArchivedDraw& draw) {
    Answer<std::int64_t> a;
    try {
        const DrawRecord r = encodeDraw(draw);
        SqliteTransaction tx(*db_);
        SqliteStatement same(*db_, "SELECT id FROM draws WHERE country=?1 AND event_titles=?2 AND "
                                   "quotes=?3 AND pool_shares=?4 AND pool=?5 AND jackpot=?6 AND "
                                   "uniform_counts=?7 AND title=?8 ORDER BY id DESC LIMIT 1");
        same.bind(1, r.country)
            .bind(2, r.eventTitles)
            .bind(3, r.quotes)
            .bind(4, r.poolShares)
            .bind(5, r.pool)
            .bind(6, r.jackpot)
            .bind(7, r.uniformCounts)
            .bind(8, r.title);
        if (same.step()) {
            a.value = same.columnInt(0);
            return a;
        }
        SqliteStatement st(*db_, "INSERT INTO draws (loaded_at, country, title, event_titles, "
                                 "quotes, pool_shares, pool, jackpot, uniform_counts, result, "
                                 "prizes) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
        st.bind(1, r.loadedAt)
            .bind(2, r.country)
            .bind(3, r.title)
            .bind(4, r.eventTitles)
            .bind(5, r.quotes)
            .bind(6, r.poolShares)
            .bind(7, r.pool)
            .bind(8, r.jackpot)
            .bind(9, r.uniformCounts)
            .bindOptional(10, r.result)
            .bindOptional(11, r.prizes);
        st.step();
        const std::int64_t id = db_->lastInsertId();
        tx.commit();
        a.value = id;
    } catch (const SqliteError& e) {
        a.problem = problemText(e.code, e.what());
    }
    return a;
}

DrawArchive::Answer<bool> DrawArchive::setResult(std::int64_t drawId, const DrawResult& result,
                                                 const TypedPrizes& prizes) {
    Answer<bool> a;
    try {
        SqliteTransaction tx(*db_);
        SqliteStatement st(*db_, "UPDATE draws SET result=?1, prizes=?2 WHERE id=?3");
        std::optional<std::string> prizeText;
        if (prizes.any())
            prizeText = typedPrizesText(prizes);
        st.bind(1, drawResultText(result)).bindOptional(2, prizeText).bind(3, drawId);
        st.step();
        if (db_->changes() == 0) {
            a.problem = "В архиве нет тиража " + std::to_string(drawId) + ".";
            return a;
        }
        tx.commit();
        a.value = true;
    } catch (const SqliteError& e) {
        a.problem = problemText(e.code, e.what());
    }
    return a;
}

DrawArchive::Answer<std::int64_t> DrawArchive::addPackage(const ArchivedPackage& p) {
    Answer<std::int64_t> a;
    try {
        SqliteTransaction tx(*db_);
        SqliteStatement st(*db_, "INSERT INTO packages (draw_id, saved_at, bet_text, bets, stake, "
                                 "project) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
        st.bind(1, p.drawId)
            .bind(2, p.savedAt)
            .bind(3, p.betText)
            .bind(4, p.bets)
            .bind(5, p.stake.moneyText())
            .bind(6, p.projectJson);
        st.step();
        const std::int64_t id = db_->lastInsertId();
        tx.commit();
        a.value = id;
    } catch (const SqliteError& e) {
        a.problem = e.code == SQLITE_CONSTRAINT
                        ? "В архиве нет тиража " + std::to_string(p.drawId) + "."
                        : problemText(e.code, e.what());
    }
    return a;
}

DrawArchive::Answer<std::vector<ArchivedDraw>> DrawArchive::draws() {
    Answer<std::vector<ArchivedDraw>> a;
    try {
        SqliteStatement st(*db_,
                           std::string("SELECT ") + kDrawColumns + " FROM draws ORDER BY id DESC");
        std::vector<ArchivedDraw> out;
        while (st.step())
            if (auto d = readDrawRow(st))
                out.push_back(std::move(*d));
        a.value = std::move(out);
    } catch (const SqliteError& e) {
        a.problem = problemText(e.code, e.what());
    }
    return a;
}

DrawArchive::Answer<ArchivedDraw> DrawArchive::draw(std::int64_t id) {
    Answer<ArchivedDraw> a;
    try {
        SqliteStatement st(*db_, std::string("SELECT ") + kDrawColumns + " FROM draws WHERE id=?1");
        st.bind(1, id);
        if (st.step())
            a.value = readDrawRow(st);
        if (!a.value)
            a.problem = "В архиве нет тиража " + std::to_string(id) + ".";
    } catch (const SqliteError& e) {
        a.problem = problemText(e.code, e.what());
    }
    return a;
}

DrawArchive::Answer<std::vector<ArchivedPackage>> DrawArchive::packages() {
    Answer<std::vector<ArchivedPackage>> a;
    try {
        SqliteStatement st(*db_, std::string("SELECT ") + kPackageColumns +
                                     " FROM packages ORDER BY id DESC");
        std::vector<ArchivedPackage> out;
        while (st.step())
            if (auto p = readPackageRow(st))
                out.push_back(std::move(*p));
        a.value = std::move(out);
    } catch (const SqliteError& e) {
        a.problem = problemText(e.code, e.what());
    }
    return a;
}

DrawArchive::Answer<ArchivedPackage> DrawArchive::package(std::int64_t id) {
    Answer<ArchivedPackage> a;
    try {
        SqliteStatement st(*db_,
                           std::string("SELECT ") + kPackageColumns + " FROM packages WHERE id=?1");
        st.bind(1, id);
        if (st.step())
            a.value = readPackageRow(st);
        if (!a.value)
            a.problem = "В архиве нет пакета " + std::to_string(id) + ".";
    } catch (const SqliteError& e) {
        a.problem = problemText(e.code, e.what());
    }
    return a;
}

} // namespace kav::io
