// The shipped template library data/Kombin: every file is checked exhaustively,
// every key the program needs is there, and the sizes meet the record tables.
#include "core/kombin_file.h"
#include "core/kombin_report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

using namespace kav::kombin;
namespace fs = std::filesystem;

namespace {

fs::path libraryFolder() {
    const char* src = std::getenv("KAVENDIX_SOURCE_DIR");
    return fs::path(src ? src : ".") / "data" / "Kombin";
}

struct Shipped {
    std::string name;
    TemplateCheck check;
};

// Checked once for all tests, on both cores.
const std::vector<Shipped>& shipped() {
    static const std::vector<Shipped> files = [] {
        std::vector<Shipped> out;
        for (const auto& e : fs::directory_iterator(libraryFolder()))
            if (e.is_regular_file() && e.path().filename().string().front() != '.')
                out.push_back({e.path().filename().string(), {}});
        std::vector<std::thread> pool;
        for (std::size_t part = 0; part < 2; ++part)
            pool.emplace_back([&out, part] {
                for (std::size_t i = part; i < out.size(); i += 2) {
                    std::ifstream in(libraryFolder() / out[i].name, std::ios::binary);
                    std::string text((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
                    out[i].check = checkTemplate(out[i].name, text);
                }
            });
        for (auto& t : pool)
            t.join();
        return out;
    }();
    return files;
}

std::map<Key, std::uint64_t> shippedKeys() {
    std::map<Key, std::uint64_t> keys;
    for (const auto& f : shipped())
        if (f.check.name)
            keys[f.check.name->key] = f.check.name->rows;
    return keys;
}

} // namespace

TEST(KombinShipped, EveryShippedFileGuaranteesItsHitsWithTheAnnouncedRows) {
    ASSERT_FALSE(shipped().empty());
    for (const auto& f : shipped()) {
        EXPECT_TRUE(f.check.ok()) << f.name << ": " << f.check.problem;
        EXPECT_EQ(f.check.rowsRead, f.check.name ? f.check.name->rows : 0) << f.name;
        EXPECT_LE(f.check.rowsRead, 2000u) << f.name;
    }
}

TEST(KombinShipped, OneFilePerKeyAndEveryKeyThatIsNeeded) {
    std::map<Key, int> count;
    for (const auto& f : shipped())
        if (f.check.name)
            ++count[f.check.name->key];
    for (const auto& [key, n] : count)
        EXPECT_EQ(n, 1) << templateFileName(key, 0);
    auto keys = shippedKeys();
    // The one-hit systems the expansion looks up.
    EXPECT_EQ(keys[(Key{1, 0, 1})], 2u);
    EXPECT_EQ(keys[(Key{0, 1, 1})], 3u);
    for (int n = 3; n <= 12; ++n)
        for (int d = 0; d <= n; ++d)
            for (int k = 2; k < n; ++k) {
                Key key{d, n - d, k};
                if (n <= 6) {
                    EXPECT_TRUE(keys.count(key)) << templateFileName(key, 0);
                }
                if (sphereBound(key) > 2000) {
                    EXPECT_FALSE(keys.count(key)) << templateFileName(key, 0);
                }
            }
}

TEST(KombinShipped, SizesMeetTheRecordTables) {
    auto keys = shippedKeys();
    for (int n = 3; n <= 12; ++n)
        for (int k = 2; k < n; ++k)
            for (int d : {0, n}) {
                Key key{d, n - d, k};
                auto ref = referenceSize(key);
                if (!ref)
                    continue;
                ASSERT_TRUE(keys.count(key)) << templateFileName(key, *ref);
                auto rows = keys[key];
                if (n <= 8 || *ref == sphereBound(key))
                    EXPECT_LE(rows, *ref) << templateFileName(key, rows);
                else
                    EXPECT_LE(rows * 10, *ref * 11) << templateFileName(key, rows);
            }
    // A mixed key is never worse than the pure ternary system of its length.
    for (const auto& [key, rows] : keys)
        if (key.doubles > 0 && key.triples > 0 && keys.count(Key{0, key.positions(), key.hits})) {
            EXPECT_LE(rows, (keys[Key{0, key.positions(), key.hits}]))
                << templateFileName(key, rows);
        }
}
