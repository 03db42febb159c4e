// A missing system computed on request: which keys are offered, and that only
// a checked system of at most 2,000 rows is ever saved.
#include "core/draw/selection_text.h"
#include "core/forming/selection_summary.h"
#include "core/kombin/compute.h"
#include "core/kombin/file.h"

#include "cli/cli_runner.h"

#include <gtest/gtest.h>

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

    // A folder below a regular file cannot be made: the player is told where.
    std::ofstream(dir.path / "file") << "x";
    const std::string blocked = (dir.path / "file" / "Kombin").string();
    r = computeSystem({Key{0, 4, 3}, blocked, 1, 1, 1, nullptr, {}});
    EXPECT_FALSE(r.path);
    EXPECT_NE(r.error.find(blocked), std::string::npos);
}

} // namespace
