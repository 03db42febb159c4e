// Named condition sets: saved, listed and read back from their folder;
// names that would leave it and broken files are refused.
#include "io/files/condition_presets.h"
#include "io/files/project_file.h"

#include "support/temp_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace kav;
namespace fs = std::filesystem;

TEST(ConditionPresets, SavedSetsAreListedAndReadBack) {
    const fs::path folder = kav::test::tempPath("presets") / "conditions";
    fs::remove_all(folder.parent_path());
    EXPECT_TRUE(io::conditionPresetNames(folder.string()).empty());

    ConditionSet a;
    a.range(Measure::Favourites) = ConditionRange{5, 9};
    a.baseRows.push_back({"1111111--------", ConditionRange{3, 7}});
    a.tolerance = 1;
    ConditionSet b;
    b.range(Measure::LongestRun) = ConditionRange{1, 3};
    ASSERT_EQ(io::saveConditionPreset(folder.string(), "Мой набор", a), std::nullopt);
    ASSERT_EQ(io::saveConditionPreset(folder.string(), "Базовый", b), std::nullopt);
    EXPECT_EQ(io::conditionPresetNames(folder.string()),
              (std::vector<std::string>{"Базовый", "Мой набор"}));
    EXPECT_EQ(io::loadConditionPreset(folder.string(), "Мой набор"), a);
    // Saving under a name again replaces the set.
    ASSERT_EQ(io::saveConditionPreset(folder.string(), "Мой набор", b), std::nullopt);
    EXPECT_EQ(io::loadConditionPreset(folder.string(), "Мой набор"), b);

    for (const char* bad : {"", "../выход", "a/b", ".скрытый"}) {
        EXPECT_TRUE(io::saveConditionPreset(folder.string(), bad, a).has_value()) << bad;
        EXPECT_FALSE(io::loadConditionPreset(folder.string(), bad)) << bad;
    }
    std::ofstream(folder / "сломанный.json") << "{\"ones\": \"9:1\"}";
    EXPECT_FALSE(io::loadConditionPreset(folder.string(), "сломанный"));
    EXPECT_FALSE(io::loadConditionPreset(folder.string(), "нет такого"));
    fs::remove_all(folder.parent_path());
}

// The text of a set reads back as the same set, whatever it holds.
TEST(ConditionPresets, SetTextRoundTrips) {
    ConditionSet c;
    for (int k = 0; k < kMeasures; ++k)
        c.ranges[k] = ConditionRange{-k, k * 100};
    c.baseRows.push_back({"2222222222222X-", ConditionRange{0, 15}});
    c.tolerance = 7;
    EXPECT_EQ(io::readConditionSetJson(io::conditionSetJson(c)), c);
    EXPECT_EQ(io::readConditionSetJson(io::conditionSetJson(ConditionSet{})), ConditionSet{});
    EXPECT_FALSE(io::readConditionSetJson("[]"));
    EXPECT_FALSE(io::readConditionSetJson("не json"));
}
