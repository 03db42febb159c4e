// The draw archive: every loaded draw with its quotes, pool shares and totals,
// the result and prizes typed for it, and the packages the player kept with
// it. An SQLite database (WAL, writes in transactions, schema versioned by
// PRAGMA user_version); an archive that cannot be used says why and the
// program carries on without it.
#pragma once

#include "core/analysis/analysis.h"
#include "core/check/draw_result.h"
#include "core/check/prizes.h"
#include "core/draw/draw_model.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kav::io {

class SqliteDb;

struct ArchivedDraw {
    std::int64_t id = 0;
    std::string loadedAt; // "2026-12-07 17:30:05", UTC
    std::uint8_t drawCountry = kRussia;
    std::string title; // the main window's caption for the draw
    std::array<std::string, kEvents> eventTitles{};
    std::array<std::array<Fixed4, kOutcomes>, kEvents> quotes{};
    std::array<std::array<Fixed4, kOutcomes>, kEvents> poolShares{};
    DrawTotals totals;
    std::optional<DrawResult> result;
    TypedPrizes prizes; // typed by the player, blank categories estimated

    // The draw as the check and the prize estimate read it.
    DrawModel model() const;
};

struct ArchivedPackage {
    std::int64_t id = 0;
    std::int64_t drawId = 0;
    std::string savedAt;
    std::string betText;
    std::int64_t bets = 0;
    Fixed4 stake;
    std::string projectJson; // the project state saved with it
};

// A draw's columns as the database holds them, text for text.
struct DrawRecord {
    std::string loadedAt;
    std::int64_t country = 0;
    std::string title;
    std::string eventTitles;
    std::string quotes;
    std::string poolShares;
    std::string pool;
    std::string jackpot;
    std::string uniformCounts;
    std::optional<std::string> result;
    std::optional<std::string> prizes;
};

DrawRecord encodeDraw(const ArchivedDraw& draw);
// Nothing for a record that does not hold a whole draw.
std::optional<ArchivedDraw> decodeDraw(const DrawRecord& record);

// The archive's place: $XDG_DATA_HOME/Kavendix/kavendix/archive.sqlite, else
// ~/.local/share/Kavendix/kavendix/archive.sqlite (the desktop program's data folder).
std::string defaultArchivePath();

// UTC now as "YYYY-MM-DD HH:MM:SS".
std::string archiveTimestamp();

class DrawArchive {
public:
    static constexpr int kSchemaVersion = 2;
    static constexpr int kBusyTimeoutMs = 3000;

    struct Opened {
        std::unique_ptr<DrawArchive> archive; // null when it cannot be used
        std::string problem;                  // why, for the player
        int code = 0;                         // SQLite's primary code of the failure
    };
    // Opens or creates the archive and brings its schema up to date.
    static Opened open(const std::string& path, int busyTimeoutMs = kBusyTimeoutMs);
    // For reading only (lists, a draw, the history): as open, but an archive
    // this program may not write (a read-only file or folder) is opened
    // read-only when it is up to date; its writes are refused as usual.
    static Opened openForReading(const std::string& path, int busyTimeoutMs = kBusyTimeoutMs);

    ~DrawArchive();
    DrawArchive(const DrawArchive&) = delete;
    DrawArchive& operator=(const DrawArchive&) = delete;

    const std::string& path() const { return path_; }

    // Each call either succeeds or changes nothing and says why in `problem`.
    template <class T> struct Answer {
        std::optional<T> value;
        std::string problem;
    };

    // Keeps a draw; the same draw loaded again keeps its record. The id.
    Answer<std::int64_t> addDraw(const ArchivedDraw& draw);
    // The result (and prizes, when typed) of a kept draw.
    Answer<bool> setResult(std::int64_t drawId, const DrawResult& result,
                           const TypedPrizes& prizes);
    Answer<std::int64_t> addPackage(const ArchivedPackage& package);
    // Newest first; records that cannot be read are left out.
    Answer<std::vector<ArchivedDraw>> draws();
    Answer<std::vector<ArchivedPackage>> packages();
    Answer<ArchivedDraw> draw(std::int64_t id);
    Answer<ArchivedPackage> package(std::int64_t id);

private:
    DrawArchive(std::unique_ptr<SqliteDb> db, std::string path);
    std::string problemText(int code, const std::string& detail) const;

    std::unique_ptr<SqliteDb> db_;
    std::string path_;
};

} // namespace kav::io
