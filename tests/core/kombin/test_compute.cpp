// A missing system computed on request: which keys are offered, and that only
// a checked system of at most 2,000 rows is ever saved.
#include "core/draw/selection_text.h"
#include "core/forming/selection_summary.h"
#include "core/kombin/compute.h"
#include "core/kombin/file.h"
#include "core/kombin/generate.h"

#include "cli/cli_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace kav::kombin;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> filesOf(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(KombinCompute, OffersKeysWithHitsAndAtMostTwoThousandRows) {
    // 12 singles at category 14 leave two hits to the three insured events.
    EXPECT_EQ(selectionKey(3, 0, 14), (Key{3, 0, 2}));
    EXPECT_EQ(selectionKey(2, 1, 10), (Key{2, 1, 0}));
    EXPECT_EQ(selectionKey(0, 15, 9), (Key{0, 15, 9}));
    EXPECT_TRUE(canComputeSystem(Key{3, 0, 2}));
    EXPECT_TRUE(canComputeSystem(Key{0, 9, 8}));    // bound 1036
    EXPECT_TRUE(canComputeSystem(Key{2, 0, 2}));    // every result: 4 rows
    EXPECT_FALSE(canComputeSystem(Key{2, 1, 0}));   // no hit to insure
    EXPECT_FALSE(canComputeSystem(Key{0, 10, 9}));  // bound 2812
    EXPECT_FALSE(canComputeSystem(Key{0, 15, 14})); // bound 3^15 / 31
    EXPECT_FALSE(canComputeSystem(Key{8, 8, 3}));   // 16 positions
}

// A bound under 2,000 rows proves nothing: a key is offered only when a
// system of at most 2,000 rows is stored or built from the stored ones.
TEST(KombinCompute, OffersOnlyKeysWithAKnownSystemOfAtMostTwoThousandRows) {
    const char* src = std::getenv("KAVENDIX_SOURCE_DIR");
    FolderLibrary shipped((fs::path(src ? src : ".") / "data" / "Kombin").string());
    for (const Key& key : {Key{4, 7, 10}, Key{1, 9, 9}, Key{0, 12, 10}}) {
        ASSERT_TRUE(canComputeSystem(key)) << "bound under 2000";
        EXPECT_EQ(systemOffer(key, &shipped), SystemOffer::NoneKnown)
            << key.doubles << "-" << key.triples << "-" << key.hits;
    }
    EXPECT_EQ(systemOffer(Key{5, 6, 10}, &shipped), SystemOffer::Offered); // stored
    EXPECT_EQ(systemOffer(Key{0, 13, 9}, &shipped), SystemOffer::Offered); // 0-9-7 + 0-4-2
    EXPECT_EQ(systemOffer(Key{0, 10, 9}, &shipped), SystemOffer::OverLimit);
    EXPECT_EQ(systemOffer(Key{2, 1, 0}, &shipped), SystemOffer::NotAKey);

    // Announced sizes alone decide: 0-9-8 from nothing is the Hamming code
    // beside all results of five triples, 2,187 rows.
    AnnouncedLibrary known;
    EXPECT_EQ(systemOffer(Key{0, 9, 8}, &known), SystemOffer::NoneKnown);
    known.announce(Key{0, 9, 8}, 1500);
    known.announce(Key{0, 9, 8}, 1377); // the smaller of two files counts
    EXPECT_EQ(constructionSize(Key{0, 9, 8}, &known), 1377u);
    EXPECT_EQ(systemOffer(Key{0, 9, 8}, &known), SystemOffer::Offered);
    EXPECT_EQ(systemOffer(Key{1, 9, 9}, &known), SystemOffer::NoneKnown); // 2 x 1377

    EXPECT_EQ(systemOfferNote(Key{4, 7, 10}, SystemOffer::NoneKnown),
              "Система 4-7-10 не рассчитывается: неизвестно ни одной такой системы не более "
              "чем из 2000 ставок.");
    EXPECT_EQ(systemOfferNote(Key{0, 10, 9}, SystemOffer::OverLimit),
              "Система 0-10-9 не рассчитывается: в любой такой системе больше 2000 ставок.");
    EXPECT_EQ(systemOfferNote(Key{0, 9, 8}, SystemOffer::Offered), "");
}

TEST(KombinCompute, SummaryOffersTheSelectionKeyWithTheNearestSystems) {
    kav::DrawModel m;
    m.selection = *kav::parseSelectionText("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1");
    const kav::TemplateIndex index{{2, 0, 1, 2}};
    auto s = kav::updateSelectionSummary(
        {m, "20", 14, kav::PacketMode::BriefSystems, "/nonexistent-folder", index});
    ASSERT_TRUE(s.nearest);
    ASSERT_TRUE(s.computable);
    EXPECT_EQ(*s.computable, (Key{3, 0, 2}));
    // Category 15 lists nothing and offers nothing.
    s = kav::updateSelectionSummary(
        {m, "20", 15, kav::PacketMode::BriefSystems, "/nonexistent-folder", index});
    EXPECT_FALSE(s.computable);

    // Four doubles, seven triples at category 14: 4-7-10, with no system known
    // it is not offered and the summary says why. A stored 4-6-9 makes it.
    m.selection = *kav::parseSelectionText("1X,1X,1X,1X,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1");
    s = kav::updateSelectionSummary(
        {m, "20", 14, kav::PacketMode::BriefSystems, "/nonexistent-folder", index});
    ASSERT_TRUE(s.nearest);
    EXPECT_FALSE(s.computable);
    ASSERT_TRUE(s.computeNote);
    EXPECT_EQ(s.computeNote->rfind("Система 4-7-10 не рассчитывается: неизвестно", 0), 0u);
    const kav::TemplateIndex more{{2, 0, 1, 2}, {4, 6, 9, 600}};
    s = kav::updateSelectionSummary(
        {m, "20", 14, kav::PacketMode::BriefSystems, "/nonexistent-folder", more});
    ASSERT_TRUE(s.computable);
    EXPECT_EQ(*s.computable, (Key{4, 7, 10}));
    EXPECT_FALSE(s.computeNote);
}

TEST(KombinCompute, SavesACheckedSystemThatTheLibraryThenUses) {
    kav::test::TempDir dir;
    const fs::path folder = dir.path / "Kombin";
    auto r = computeSystem({Key{0, 4, 3}, folder.string(), 1, 1, 1, nullptr, {}});
    ASSERT_TRUE(r.path) << r.error;
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.rows, 9u); // the perfect code
    ASSERT_EQ(filesOf(folder), (std::vector<std::string>{"0-4-3-9.txt"}));
    std::ifstream in(*r.path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(checkTemplate("0-4-3-9.txt", text).ok());

    // A longer key is built from the saved one: two copies side by side.
    r = computeSystem({Key{0, 8, 6}, folder.string(), 1, 0.2, 0.2, nullptr, {}});
    ASSERT_TRUE(r.path) << r.error;
    EXPECT_LE(r.rows, 81u);
}

TEST(KombinCompute, CancelledFailedOrRefusedRunsSaveNothing) {
    kav::test::TempDir dir;
    const fs::path folder = dir.path / "Kombin";
    std::atomic<bool> cancel{true};
    auto r = computeSystem({Key{0, 6, 5}, folder.string(), 1, 5, 5, &cancel, {}});
    EXPECT_TRUE(r.cancelled);
    EXPECT_FALSE(r.path);
    EXPECT_TRUE(filesOf(folder).empty());

    // Not offered: refused with a message, nothing searched.
    r = computeSystem({Key{0, 10, 9}, folder.string(), 1, 5, 5, nullptr, {}});
    EXPECT_FALSE(r.path);
    EXPECT_NE(r.error.find("2000"), std::string::npos);

    // Under the bound but with no system known: refused at once, not searched.
    r = computeSystem({Key{4, 7, 10}, folder.string(), 1, 60, 60, nullptr, {}});
    EXPECT_FALSE(r.path);
    EXPECT_EQ(r.rows, 0u);
    EXPECT_EQ(r.error, "Для этой выборки неизвестно системы не более чем из 2000 ставок.");
    EXPECT_TRUE(filesOf(folder).empty());

    // A folder below a regular file cannot be made: the player is told where.
    std::ofstream(dir.path / "file") << "x";
    const std::string blocked = (dir.path / "file" / "Kombin").string();
    r = computeSystem({Key{0, 4, 3}, blocked, 1, 1, 1, nullptr, {}});
    EXPECT_FALSE(r.path);
    EXPECT_NE(r.error.find(blocked), std::string::npos);
}

} // namespace
