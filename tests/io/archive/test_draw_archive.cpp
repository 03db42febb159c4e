#include "cli/cli_runner.h"
#include "io/archive/draw_archive.h"
#include "io/archive/sqlite_db.h"

#include <gtest/gtest.h>

#include <string>

using namespace kav;
using namespace kav::io;
using kav::test::TempDir;

namespace {

ArchivedDraw sampleDraw() {
    ArchivedDraw d;
    d.loadedAt = "2026-12-07 17:30:05";
    d.drawCountry = kRussia;
    d.title = "Kavendix V1.4.2 - российский тираж";
    DrawModel m;
    applyDefaultDraw(m);
    d.eventTitles = m.eventTitles;
    d.eventTitles[2] = "Спартак - ЦСКА";
    d.quotes = m.quotes;
    d.quotes[0] = {Fixed4::fromRaw(415000), Fixed4::fromRaw(255000), Fixed4::fromRaw(330000)};
    d.poolShares = m.poolShares;
    d.totals = DrawTotals{"12345678.5", "1000000", {10, 20, 30}, 20};
    return d;
}

ArchivedPackage samplePackage(std::int64_t drawId) {
    ArchivedPackage p;
    p.drawId = drawId;
    p.savedAt = "2026-12-07 18:00:00";
    p.betText = "20.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);"
                "12-(1);13-(1);14-(1);15-(1).";
    p.bets = 1;
    p.stake = Fixed4::fromInt(20);
    p.projectJson = "{}";
    return p;
}

// The first schema, as the first release of the archive wrote it.
void writeFirstVersion(const std::string& path, const ArchivedDraw& d) {
    SqliteDb db(path, 100);
    db.exec("CREATE TABLE draws (id INTEGER PRIMARY KEY, loaded_at TEXT NOT NULL, country "
            "INTEGER NOT NULL, title TEXT NOT NULL, event_titles TEXT NOT NULL, quotes TEXT NOT "
            "NULL, pool_shares TEXT NOT NULL, pool TEXT NOT NULL, jackpot TEXT NOT NULL, "
            "uniform_counts TEXT NOT NULL); PRAGMA user_version=1;");
    const DrawRecord r = encodeDraw(d);
    SqliteStatement st(db, "INSERT INTO draws (loaded_at, country, title, event_titles, quotes, "
                           "pool_shares, pool, jackpot, uniform_counts) VALUES (?1, ?2, ?3, ?4, "
                           "?5, ?6, ?7, ?8, ?9)");
    st.bind(1, r.loadedAt)
        .bind(2, r.country)
        .bind(3, r.title)
        .bind(4, r.eventTitles)
        .bind(5, r.quotes)
        .bind(6, r.poolShares)
        .bind(7, r.pool)
        .bind(8, r.jackpot)
        .bind(9, r.uniformCounts);
    st.step();
}

void expectSameDraw(const ArchivedDraw& a, const ArchivedDraw& b) {
    EXPECT_EQ(a.loadedAt, b.loadedAt);
    EXPECT_EQ(a.drawCountry, b.drawCountry);
    EXPECT_EQ(a.title, b.title);
    EXPECT_EQ(a.eventTitles, b.eventTitles);
    EXPECT_EQ(a.quotes, b.quotes);
    EXPECT_EQ(a.poolShares, b.poolShares);
    EXPECT_EQ(a.totals, b.totals);
    EXPECT_EQ(a.result, b.result);
    EXPECT_EQ(a.prizes, b.prizes);
}

} // namespace

TEST(DrawArchive, RoundTripOfDrawsResultsAndPackagesAcrossReopening) {
    TempDir dir;
    const std::string path = (dir.path / "sub/archive.sqlite").string();
    ArchivedDraw draw = sampleDraw();
    std::int64_t drawId = 0;
    {
        auto opened = DrawArchive::open(path);
        ASSERT_TRUE(opened.archive) << opened.problem;
        drawId = *opened.archive->addDraw(draw).value;
        EXPECT_EQ(opened.archive->addDraw(draw).value, drawId) << "the same draw again";
        ArchivedDraw other = draw;
        other.quotes[5][1] = Fixed4::fromInt(30);
        const auto otherId = opened.archive->addDraw(other).value;
        EXPECT_NE(otherId, drawId);
        // Prizes typed for some categories only come back as typed.
        TypedPrizes some;
        some.amounts[0] = Fixed4::fromRaw(12345);
        some.amounts[6] = Fixed4::fromInt(700000);
        ASSERT_TRUE(
            opened.archive->setResult(*otherId, *parseDrawResult("111111111111111"), some).value);
        EXPECT_EQ(opened.archive->draw(*otherId).value->prizes, some);
        const PrizeList prizes{Fixed4::fromInt(1),     Fixed4::fromInt(2), Fixed4::fromInt(3),
                               Fixed4::fromInt(4),     Fixed4::fromInt(5), Fixed4::fromRaw(65000),
                               Fixed4::fromInt(700000)};
        draw.result = parseDrawResult("1X2-X21X2-X1X21");
        draw.prizes = prizes;
        EXPECT_TRUE(opened.archive->setResult(drawId, *draw.result, prizes).value);
        EXPECT_EQ(opened.archive->addPackage(samplePackage(drawId)).value, 1);
    }
    auto opened = DrawArchive::open(path);
    ASSERT_TRUE(opened.archive) << opened.problem;
    const auto back = opened.archive->draw(drawId);
    ASSERT_TRUE(back.value) << back.problem;
    expectSameDraw(*back.value, draw);
    EXPECT_EQ(opened.archive->draws().value.value_or(std::vector<ArchivedDraw>{}).size(), 2u);
    const auto packages = opened.archive->packages().value.value_or(std::vector<ArchivedPackage>{});
    ASSERT_EQ(packages.size(), 1u);
    EXPECT_EQ(packages[0].betText, samplePackage(drawId).betText);
    EXPECT_EQ(packages[0].stake, Fixed4::fromInt(20));
    EXPECT_EQ(packages[0].drawId, drawId);

    SqliteDb raw(path, 100);
    EXPECT_EQ(raw.queryInt("PRAGMA user_version"), DrawArchive::kSchemaVersion);
    SqliteStatement mode(raw, "PRAGMA journal_mode");
    ASSERT_TRUE(mode.step());
    EXPECT_EQ(mode.columnText(0), "wal");
}

TEST(DrawArchive, MigratesAFirstVersionFileAndKeepsItsDraws) {
    TempDir dir;
    const std::string path = (dir.path / "archive.sqlite").string();
    const ArchivedDraw draw = sampleDraw();
    writeFirstVersion(path, draw);
    auto opened = DrawArchive::open(path);
    ASSERT_TRUE(opened.archive) << opened.problem;
    const auto draws = opened.archive->draws().value.value_or(std::vector<ArchivedDraw>{});
    ASSERT_EQ(draws.size(), 1u);
    expectSameDraw(draws[0], draw);
    EXPECT_TRUE(
        opened.archive->setResult(draws[0].id, *parseDrawResult("111111111111111"), std::nullopt)
            .value);
    EXPECT_TRUE(opened.archive->addPackage(samplePackage(draws[0].id)).value);
}

TEST(DrawArchive, AFailedWriteLeavesTheArchiveAsItWas) {
    TempDir dir;
    auto opened = DrawArchive::open((dir.path / "archive.sqlite").string());
    ASSERT_TRUE(opened.archive);
    DrawArchive& archive = *opened.archive;
    const auto package = archive.addPackage(samplePackage(42));
    EXPECT_FALSE(package.value);
    EXPECT_EQ(package.problem, "В архиве нет тиража 42.");
    EXPECT_TRUE(archive.packages().value.value_or(std::vector<ArchivedPackage>{1}).empty());
    const auto result = archive.setResult(42, *parseDrawResult("111111111111111"), std::nullopt);
    EXPECT_FALSE(result.value);
    EXPECT_EQ(result.problem, "В архиве нет тиража 42.");
}

TEST(DrawArchive, UnusableFilesAreRefusedWithAReasonAndLeftAlone) {
    TempDir dir;
    // Not a database at all.
    const auto garbage = dir.write("garbage.sqlite", std::string(8192, '\x5a'));
    auto opened = DrawArchive::open(garbage.string(), 50);
    EXPECT_FALSE(opened.archive);
    EXPECT_EQ(opened.problem.rfind("Архив тиражей повреждён: " + garbage.string(), 0), 0u)
        << opened.problem;
    EXPECT_EQ(kav::test::readWhole(garbage), std::string(8192, '\x5a'));

    // A database whose pages were overwritten after its header.
    const std::string damaged = (dir.path / "damaged.sqlite").string();
    {
        auto a = DrawArchive::open(damaged);
        ASSERT_TRUE(a.archive);
        for (int i = 0; i < 50; ++i) {
            ArchivedDraw d = sampleDraw();
            d.title += std::to_string(i);
            a.archive->addDraw(d);
        }
    }
    {
        SqliteDb db(damaged, 50);
        db.exec("PRAGMA wal_checkpoint(TRUNCATE); PRAGMA journal_mode=DELETE;");
    }
    {
        std::string bytes = kav::test::readWhole(damaged);
        ASSERT_GT(bytes.size(), 3 * 4096u);
        for (std::size_t i = 4096 + 100; i < bytes.size(); i += 7)
            bytes[i] = '\x7f';
        std::ofstream(damaged, std::ios::binary | std::ios::trunc) << bytes;
    }
    opened = DrawArchive::open(damaged, 50);
    EXPECT_FALSE(opened.archive);
    EXPECT_NE(opened.problem.find("повреждён"), std::string::npos) << opened.problem;

    // Written by a newer program: not touched.
    const std::string newer = (dir.path / "newer.sqlite").string();
    {
        SqliteDb db(newer, 50);
        db.exec("CREATE TABLE future (x); PRAGMA user_version=9;");
    }
    opened = DrawArchive::open(newer, 50);
    EXPECT_FALSE(opened.archive);
    EXPECT_EQ(opened.problem, "Архив тиражей создан более новой версией программы (версия 9, эта "
                              "программа знает до 2): " +
                                  newer + ".");
    EXPECT_EQ(SqliteDb(newer, 50).queryInt("PRAGMA user_version"), 9);

    // Opened read-only.
    const std::string kept = (dir.path / "kept.sqlite").string();
    ASSERT_TRUE(DrawArchive::open(kept).archive);
    const auto id = *DrawArchive::open(kept).archive->addDraw(sampleDraw()).value;
    opened = DrawArchive::open("file:" + kept + "?mode=ro", 50);
    EXPECT_FALSE(opened.archive);
    EXPECT_NE(opened.problem.find("недоступен для записи"), std::string::npos) << opened.problem;
    // For reading it opens: listed and shown, writes still refused.
    opened = DrawArchive::openForReading("file:" + kept + "?mode=ro", 50);
    ASSERT_TRUE(opened.archive) << opened.problem;
    EXPECT_EQ(opened.archive->draws().value.value_or(std::vector<ArchivedDraw>{}).size(), 1u);
    EXPECT_TRUE(opened.archive->draw(id).value);
    const auto write = opened.archive->addPackage(samplePackage(id));
    EXPECT_FALSE(write.value);
    EXPECT_NE(write.problem.find("недоступен для записи"), std::string::npos) << write.problem;
    EXPECT_FALSE(DrawArchive::openForReading("file:" + newer + "?mode=ro", 50).archive);
}

TEST(DrawArchive, AnotherProgramsLockIsReportedAsBusy) {
    TempDir dir;
    const std::string path = (dir.path / "archive.sqlite").string();
    // A new file held by another writer: cannot even be set up.
    {
        SqliteDb other(path, 50);
        other.exec("CREATE TABLE t (x); BEGIN EXCLUSIVE; INSERT INTO t VALUES (1);");
        const auto opened = DrawArchive::open(path, 50);
        EXPECT_FALSE(opened.archive);
        EXPECT_EQ(opened.problem, "Архив тиражей занят другой программой: " + path +
                                      ". Закройте её или повторите позже.");
    }
    std::filesystem::remove(path);
    // An archive in use: reads go on, a write waits, then says it is busy
    // and changes nothing.
    auto mine = DrawArchive::open(path, 50);
    ASSERT_TRUE(mine.archive) << mine.problem;
    const auto drawId = *mine.archive->addDraw(sampleDraw()).value;
    SqliteDb other(path, 50);
    other.exec("BEGIN IMMEDIATE; DELETE FROM draws;");
    EXPECT_EQ(mine.archive->draws().value.value_or(std::vector<ArchivedDraw>{}).size(), 1u);
    const auto write = mine.archive->addPackage(samplePackage(drawId));
    EXPECT_FALSE(write.value);
    EXPECT_NE(write.problem.find("занят другой программой"), std::string::npos) << write.problem;
    other.exec("ROLLBACK");
    EXPECT_TRUE(mine.archive->addPackage(samplePackage(drawId)).value);
}

TEST(DrawArchive, RecordsThatDoNotHoldAWholeDrawAreNotRead) {
    const DrawRecord good = encodeDraw(sampleDraw());
    ASSERT_TRUE(decodeDraw(good));
    struct Case {
        const char* what;
        void (*spoil)(DrawRecord&);
    } cases[] = {
        {"country", [](DrawRecord& r) { r.country = 5; }},
        {"14 titles", [](DrawRecord& r) { r.eventTitles.erase(r.eventTitles.rfind('\n')); }},
        {"16 titles", [](DrawRecord& r) { r.eventTitles += "\nлишний"; }},
        {"44 quotes", [](DrawRecord& r) { r.quotes.erase(r.quotes.rfind(' ')); }},
        {"a word among shares", [](DrawRecord& r) { r.poolShares.replace(0, 2, "ab"); }},
        {"double blank", [](DrawRecord& r) { r.quotes.insert(r.quotes.find(' '), " "); }},
        {"counts", [](DrawRecord& r) { r.uniformCounts = "1 2"; }},
        {"counts overflow", [](DrawRecord& r) { r.uniformCounts = "2147483647 2147483647 1"; }},
        {"result", [](DrawRecord& r) { r.result = "11111"; }},
        {"prizes", [](DrawRecord& r) { r.prizes = "1,2"; }},
    };
    for (const auto& c : cases) {
        DrawRecord r = good;
        c.spoil(r);
        EXPECT_FALSE(decodeDraw(r)) << c.what;
    }
}

TEST(DrawArchive, DefaultPlaceIsTheDataFolderOfTheDesktopProgram) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string keep = saved ? saved : "";
    setenv("XDG_DATA_HOME", "/tmp/data-home", 1);
    EXPECT_EQ(defaultArchivePath(), "/tmp/data-home/Kavendix/kavendix/archive.sqlite");
    unsetenv("XDG_DATA_HOME");
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    if (!home.empty()) {
        EXPECT_EQ(defaultArchivePath(), home + "/.local/share/Kavendix/kavendix/archive.sqlite");
    }
    if (saved)
        setenv("XDG_DATA_HOME", keep.c_str(), 1);
}
