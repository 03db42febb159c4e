#include "io/files/project_file.h"
#include "io/files/text_file.h"

#include "support/temp_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace kav;
namespace fs = std::filesystem;
using kav::test::contents;
using kav::test::tempPath;

namespace {

// A fresh folder for one test, removed with it.
struct Folder {
    fs::path path;
    explicit Folder(const std::string& name) : path(tempPath(name)) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

// A state with something in every field, none of it at its default.
ProjectState sampleState() {
    ProjectState s = defaultProjectState(kUkraine);
    s.draw.eventTitles[0] = "Спартак - Зенит \"Ц\"\tполуфинал";
    s.rowTitles[0] = "Спартак";
    s.draw.quotes[3] = {*Fixed4::parse("46.6461"), *Fixed4::parse("0.0001"), Fixed4::fromInt(53)};
    s.draw.poolShares[14] = {Fixed4::fromInt(0), *Fixed4::parse("99.5"), *Fixed4::parse("0.5")};
    s.draw.selection[0] = {1, 1, 0};
    s.draw.selection[14] = {0, 0, 1};
    s.draw.forcedBet = "1X2_ 1X2_ 1X2_ ";
    s.drawTitle = "Kavendix V1.4.2 - украинский тираж";
    s.totals = {"125000.5", "1000000", {3, 4, 5}, 4};
    s.mode = PacketMode::Autoform;
    s.brief = {11, true};
    s.sensation = {2, 6, 30, SensationCriterion::Pool};
    s.random = {RandomDistribution::Favourites, 250, 9};
    s.autoform = {12, 5000, 90.5, AutoformMethod::Disjoint};
    s.conditions.range(Measure::Ones) = ConditionRange{4, 8};
    s.conditions.range(Measure::PoolPoints) = ConditionRange{-20, 700};
    s.conditions.range(Measure::Changes) = ConditionRange{6, 12};
    s.conditions.range(Measure::ValuePoints) = ConditionRange{1200, 1650};
    s.conditions.baseRows = {{"1X2-----------X", ConditionRange{2, 5}},
                             {"---------------", ConditionRange{0, 0}}};
    s.conditions.tolerance = 2;
    s.stakeText = "3.5";
    s.stakeMinimum = Fixed4::fromInt(3);
    s.betText = "3;1-(1);2-(X).\r\nлюбой текст\n\n20;1-(1,X,2)\n";
    return s;
}

} // namespace

// What is written reads back as the same work, and writing that again gives
// the same bytes: a project survives any number of save/open rounds.
TEST(ProjectFile, RoundTripIsExactAndStable) {
    const ProjectState s = sampleState();
    const std::string json = io::projectJson(s);
    const io::ProjectRead back = io::readProjectJson(json);
    ASSERT_TRUE(back.state) << back.error;
    EXPECT_TRUE(sameWork(*back.state, s));
    EXPECT_EQ(back.state->betText, s.betText);
    EXPECT_EQ(io::projectJson(*back.state), json);
    EXPECT_EQ(json.find('\r'), std::string::npos); // line breaks of the list are escaped

    const Folder folder("round");
    const fs::path path = folder.path / "round.kvp";
    ASSERT_EQ(io::saveProjectFile(path.string(), s), std::nullopt);
    EXPECT_EQ(contents(path), json);
    const io::ProjectRead file = io::loadProjectFile(path.string());
    ASSERT_TRUE(file.state) << file.error;
    EXPECT_TRUE(sameWork(*file.state, s));
    // The safe write leaves nothing beside the file.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(path.parent_path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

// An older or hand-made file may lack fields: each keeps a fresh session's value.
TEST(ProjectFile, MissingFieldsTakeTheDefaults) {
    const io::ProjectRead r = io::readProjectJson(
        R"({"format": "kavendix-project", "draw": {"country": "ru"}, "bets": "x"})");
    ASSERT_TRUE(r.state) << r.error;
    ProjectState expected = defaultProjectState(kRussia);
    expected.betText = "x";
    EXPECT_TRUE(sameWork(*r.state, expected));

    const io::ProjectRead partial = io::readProjectJson(
        R"({"format": "kavendix-project", "version": 1, "autoform": {"category": 10}})");
    ASSERT_TRUE(partial.state) << partial.error;
    EXPECT_EQ(partial.state->autoform.category, 10);
    EXPECT_EQ(partial.state->autoform.betLimit, 1000);

    // The conditions mode; conditions not written are none.
    const io::ProjectRead conditions = io::readProjectJson(
        R"({"format": "kavendix-project", "mode": "conditions", "conditions": {"twos": "1:3"}})");
    ASSERT_TRUE(conditions.state) << conditions.error;
    EXPECT_EQ(conditions.state->mode, PacketMode::Conditions);
    ConditionSet twos;
    twos.range(Measure::Twos) = ConditionRange{1, 3};
    EXPECT_EQ(conditions.state->conditions, twos);
    EXPECT_EQ(partial.state->conditions, ConditionSet{});
}

// Whatever is wrong with a file, the answer is no state and a reason; the
// reason names the field where one is at fault.
TEST(ProjectFile, BrokenFilesAreRefusedWithTheReason) {
    const std::string good = io::projectJson(sampleState());
    const struct {
        std::string text;
        std::string reason;
    } cases[] = {
        {"", "не документ JSON"},
        {good.substr(0, good.size() / 2), "не документ JSON"},
        {"[1, 2]", "не файл проекта"},
        {R"({"format": "something-else"})", "не файл проекта"},
        {R"({"format": 0, "mode": "autoform"})", "не файл проекта"},
        {R"({"format": ["kavendix-project"]})", "не файл проекта"},
        {R"({"format": "kavendix-project", "version": 2})", "более новой версией"},
        {R"({"format": "kavendix-project", "version": "1"})", "номер формата"},
        {R"({"format": "kavendix-project", "mode": "fast"})", "\"mode\""},
        {R"({"format": "kavendix-project", "brief": {"category": 16}})", "\"brief.category\""},
        {R"({"format": "kavendix-project", "autoform": {"betLimit": 1e30}})",
         "\"autoform.betLimit\""},
        {R"({"format": "kavendix-project", "autoform": {"betLimit": 18446744073709551615}})",
         "\"autoform.betLimit\""},
        {R"({"format": "kavendix-project", "draw": {"events": [{}]}})", "\"draw.events\""},
        {R"({"format": "kavendix-project", "draw": {"forcedBet": "111"}})", "\"draw.forcedBet\""},
        {R"({"format": "kavendix-project", "draw": {"events": [{},{},{},{},{},{},{},{},{},{},{},{},{},{},{"quotes": ["1", "x", "2"]}]}})",
         "\"draw.events[14].quotes\""},
        {R"({"format": "kavendix-project", "draw": {"events": [{"pool": ["50", "-1", "51"]},{},{},{},{},{},{},{},{},{},{},{},{},{},{}]}})",
         "\"draw.events[0].pool\": число не может быть отрицательным"},
        {R"({"format": "kavendix-project", "draw": {"events": [{"marked": "1Y"},{},{},{},{},{},{},{},{},{},{},{},{},{},{}]}})",
         "\"draw.events[0].marked\""},
        {R"({"format": "kavendix-project", "stake": {"perBet": "-5"}})", "\"stake.perBet\""},
        {R"({"format": "kavendix-project", "bets": 5})", "\"bets\""},
        {R"({"format": "kavendix-project", "draw": []})", "\"draw\""},
        {R"({"format": "kavendix-project", "conditions": {"ones": "5:3"}})", "\"conditions.ones\""},
        {R"({"format": "kavendix-project", "conditions": {"points": 5}})", "\"conditions.points\""},
        {R"({"format": "kavendix-project", "conditions": {"baseRows": ["1X2:1:2"]}})",
         "\"conditions.baseRows\""},
        {R"({"format": "kavendix-project", "conditions": {"baseRows": "111111111111111:1:2"}})",
         "\"conditions.baseRows\""},
        {R"({"format": "kavendix-project", "conditions": {"tolerance": -1}})",
         "\"conditions.tolerance\""},
    };
    for (const auto& c : cases) {
        const io::ProjectRead r = io::readProjectJson(c.text);
        EXPECT_FALSE(r.state) << c.text;
        EXPECT_NE(r.error.find(c.reason), std::string::npos) << c.text << " -> " << r.error;
    }
    const io::ProjectRead missing = io::loadProjectFile("/nonexistent/folder/p.kvp");
    EXPECT_FALSE(missing.state);
    EXPECT_NE(missing.error.find("/nonexistent/folder/p.kvp"), std::string::npos);
    // Over the limit: refused by its size, the limit named (a sparse file: nothing is read).
    const Folder dir("huge");
    const fs::path huge = dir.path / "huge.kvp";
    std::ofstream(huge).put('{');
    fs::resize_file(huge, io::kMaxProjectFileBytes + 1);
    const io::ProjectRead tooLarge = io::loadProjectFile(huge.string());
    EXPECT_FALSE(tooLarge.state);
    EXPECT_NE(tooLarge.error.find("больше 256 МБ"), std::string::npos) << tooLarge.error;
}

// A failed write says so and leaves the file that was there.
TEST(ProjectFile, FailedWriteKeepsTheOldFile) {
    const Folder dir("keep");
    const fs::path path = dir.path / "keep.kvp";
    ASSERT_EQ(io::saveProjectFile(path.string(), sampleState()), std::nullopt);
    const std::string before = contents(path);
    EXPECT_TRUE(io::saveProjectFile((path.parent_path() / "no-such-folder" / "x.kvp").string(),
                                    defaultProjectState(kRussia)));
    // The target is a folder: nothing can replace it.
    const fs::path folder = path.parent_path() / "a-folder";
    fs::create_directory(folder);
    EXPECT_TRUE(io::writeFileBytes(folder.string(), "bytes"));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(contents(path), before);
    // A link stays a link; the file it names gets the new bytes.
    const fs::path link = path.parent_path() / "link.kvp";
    fs::create_symlink(path, link);
    ASSERT_EQ(io::writeFileBytes(link.string(), "new"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contents(path), "new");
}
