// Template names, the index and its order, row reading, and the two lookups.
#include "core/forming/templates.h"

#include "support/template_folder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using kav::TemplateEntry;
using kav::TemplateRow;
using kav::testing::TemplateFolder;

namespace {

struct NameCase {
    std::string name;
    std::optional<TemplateEntry> entry;
};

TEST(TemplateName, ReadsOnlyNamesOfTheScheme) {
    const std::vector<NameCase> cases = {
        {"3-0-2-2.txt", TemplateEntry{3, 0, 2, 2}},
        {"0-2-2-9.txt", TemplateEntry{0, 2, 2, 9}},
        {"255-0-2-2.txt", TemplateEntry{255, 0, 2, 2}},
        {"3-0-2-2.txt.bak", TemplateEntry{3, 0, 2, 2}}, // cut before the first ".txt"
        {"3-0-2-2", TemplateEntry{3, 0, 2, 2}},
        {"3-0-2-2.TXT", std::nullopt}, // not cut: "2.TXT" is no number
        {"300-0-2-2.txt", std::nullopt},
        {"3-0-256-2.txt", std::nullopt},
        {"readme.txt", std::nullopt},
        {"3-0-2.txt", std::nullopt},
        {"3-0-2-.txt", std::nullopt},
        {"3--0-2-2.txt", std::nullopt},
        {"3-0-2-x.txt", std::nullopt},
        {"3-0-2-+2.txt", std::nullopt},
        {"3-0-2-99999999999.txt", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kav::parseTemplateName(c.name), c.entry) << c.name;
}

TEST(TemplateIndex, ListsRegularVisibleFilesOfTheSchemeMostBetsFirst) {
    TemplateFolder f;
    f.write("3-0-2-2.txt", "111\n222\n");
    f.write("0-2-2-9.txt", "11\n");
    f.write("readme.txt", "notes");
    f.write(".4-0-3-5.txt", "hidden");
    f.write("3-0-2-2.TXT", "");
    std::filesystem::create_directory(f.path() / "5-0-3-7.txt");
    auto r = kav::indexTemplates(f.path());
    EXPECT_FALSE(r.message);
    EXPECT_EQ(r.index, (kav::TemplateIndex{{0, 2, 2, 9}, {3, 0, 2, 2}}));
}

TEST(TemplateIndex, KeepsTheTieOrderOfTheExchangeSort) {
    TemplateFolder f;
    // Listing order a(2), b(5), c(2), d(5); the exchange leaves b, d, c, a
    // where a stable sort would give b, d, a, c.
    f.write("1-0-1-2.txt", "");
    f.write("2-0-1-5.txt", "");
    f.write("3-0-1-2.txt", "");
    f.write("4-0-1-5.txt", "");
    auto r = kav::indexTemplates(f.path());
    ASSERT_EQ(r.index.size(), 4u);
    EXPECT_EQ(r.index[0].doubles, 2);
    EXPECT_EQ(r.index[1].doubles, 4);
    EXPECT_EQ(r.index[2].doubles, 3);
    EXPECT_EQ(r.index[3].doubles, 1);
}

TEST(TemplateIndex, EmptyMissingOrJunkFolderGivesTheMessage) {
    const std::string text = "Папка \"Kombin\",которая содержит шаблоны используемых бриф-систем, "
                             "должна помещаться в той же папке, что и основная программа";
    TemplateFolder empty;
    TemplateFolder junk;
    junk.write("readme.txt", "");
    junk.write("300-0-2-2.txt", "");
    for (const auto& folder : {empty.path(), junk.path(), empty.root() / "nowhere"}) {
        auto r = kav::indexTemplates(folder);
        EXPECT_TRUE(r.index.empty()) << folder;
        ASSERT_TRUE(r.message) << folder;
        EXPECT_EQ(r.message->text, text);
        EXPECT_EQ(r.message->caption, "Ошибка");
    }
}

TEST(TemplateIndex, FindsTheFolderWhateverItsLetterCase) {
    TemplateFolder f("kombin");
    f.write("3-0-2-2.txt", "111\n222\n");
    auto r = kav::indexTemplates(f.root() / "Kombin");
    EXPECT_EQ(r.index.size(), 1u);
    EXPECT_EQ(kav::firstTemplateName(f.root() / "KOMBIN", 3, 0, 2), "3-0-2-2.txt");
}

struct RowCase {
    std::string line;
    std::optional<TemplateRow> row;
};

TEST(TemplateRowReader, ReadsSymbolsFromTheRightEnd) {
    const std::string sixteen = "1" + std::string(15, '-');
    const std::vector<RowCase> cases = {
        {"1X2", TemplateRow{4, 2, 1}},
        {"--1", TemplateRow{1, 0, 0}},
        {std::string(15, '1'), TemplateRow{0x7FFF, 0, 0}},
        {"x0 1", TemplateRow{1, 0, 0}}, // lowercase x, 0 and blank hold no symbol
        {sixteen, TemplateRow{0x8000, 0, 0}},
        {"-" + sixteen, TemplateRow{0x8000, 0, 0}}, // a leading position without symbol is fine
        {"2" + sixteen, std::nullopt},
        {"X" + std::string(16, '1'), std::nullopt},
        {std::string(40, '-') + "12", TemplateRow{2, 0, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kav::parseTemplateRow(c.line), c.row) << c.line;
}

TEST(TemplateRows, SkipsBlankLinesAndNamesTheFirstUnreadableOne) {
    TemplateFolder f;
    auto ok = f.write("a.txt", "  111 \r\n\r\n\t\r\n222\r333");
    auto rows = kav::readTemplateRows(ok);
    EXPECT_TRUE(rows.readable);
    EXPECT_EQ(rows.badLine, 0u);
    ASSERT_EQ(rows.rows.size(), 3u);
    EXPECT_EQ(rows.rows[0], (TemplateRow{7, 0, 0}));
    EXPECT_EQ(rows.rows[2], (TemplateRow{0, 0, 0})); // "333" holds no symbol

    auto bad = f.write("b.txt", "11\r\n\r\n12121212121212121\r\n22\r\n");
    rows = kav::readTemplateRows(bad);
    EXPECT_EQ(rows.badLine, 3u);

    EXPECT_FALSE(kav::readTemplateRows(f.path() / "missing.txt").readable);
}

TEST(TemplateLookup, LatestFileWinsAndFirstListedBreaksTies) {
    TemplateFolder f;
    f.write("3-0-2-2.txt", "111\n222\n", 100);
    f.write("3-0-2-4.txt", "111\n", 10);
    f.write("13-0-2-1.txt", "1\n");
    f.write("3-0-22-1.txt", "1\n");
    EXPECT_EQ(kav::findTemplate(f.path(), 3, 0, 2)->filename(), "3-0-2-4.txt");
    EXPECT_EQ(kav::firstTemplateName(f.path(), 3, 0, 2), "3-0-2-2.txt");

    f.write("3-0-2-2.txt", "111\n222\n", 1);
    EXPECT_EQ(kav::findTemplate(f.path(), 3, 0, 2)->filename(), "3-0-2-2.txt");

    auto same = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    f.setTime("3-0-2-2.txt", same);
    f.setTime("3-0-2-4.txt", same);
    EXPECT_EQ(kav::findTemplate(f.path(), 3, 0, 2)->filename(), "3-0-2-2.txt");

    EXPECT_FALSE(kav::findTemplate(f.path(), 1, 0, 1));
    EXPECT_FALSE(kav::firstTemplateName(f.path(), 2, 0, 2));
}

TEST(TemplateLookup, MatchesTheKeyWithoutRegardToCase) {
    EXPECT_TRUE(kav::matchesTemplateKey("3-0-2-2.TXT", 3, 0, 2));
    EXPECT_TRUE(kav::matchesTemplateKey("3-0-2-x.txt", 3, 0, 2)); // found, though not indexed
    EXPECT_FALSE(kav::matchesTemplateKey("3-0-2-2.txt", 3, 0, 22));
    EXPECT_FALSE(kav::matchesTemplateKey("3-0-2-2.txt.bak", 3, 0, 2));
    EXPECT_FALSE(kav::matchesTemplateKey("3-0-2-.tx", 3, 0, 2));
}

TEST(TemplateFolders, ThePlayersOwnSystemsAreReadWithTheShippedOnes) {
    TemplateFolder shipped;
    TemplateFolder own("own");
    shipped.write("3-0-2-4.txt", "111\n");
    shipped.write("2-0-1-2.txt", "11\n22\n");
    own.write("2-0-1-2.txt", "11\n22\n", 60); // hides the shipped file, older or not
    own.write("0-4-3-9.txt", "1111\n");
    std::vector<std::string> names;
    for (const auto& file : kav::listTemplateFolder(shipped.path(), own.path()))
        names.push_back(file.parent_path().filename().string() + "/" + file.filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"own/0-4-3-9.txt", "own/2-0-1-2.txt",
                                               "Kombin/3-0-2-4.txt"}));
    auto r = kav::indexTemplates(shipped.path(), own.path());
    EXPECT_EQ(r.index.size(), 3u);
    EXPECT_FALSE(r.message);
    EXPECT_EQ(kav::findTemplate(shipped.path(), 2, 0, 1, own.path()), own.path() / "2-0-1-2.txt");
    EXPECT_EQ(kav::findTemplate(shipped.path(), 3, 0, 2, own.path()),
              shipped.path() / "3-0-2-4.txt");
    EXPECT_EQ(kav::firstTemplateName(shipped.path(), 0, 4, 3, own.path()), "0-4-3-9.txt");
    // A player's folder that does not exist yet changes nothing.
    EXPECT_EQ(kav::indexTemplates(shipped.path(), own.root() / "none").index.size(), 2u);
}

} // namespace
