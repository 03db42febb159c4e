// Brief-system generator: the exhaustive check against a naive count, the
// constructions, the search, and the template file format.
#include "core/kombin/code.h"
#include "core/kombin/file.h"
#include "core/kombin/generate.h"
#include "core/kombin/matrix.h"
#include "core/kombin/search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>

using namespace kav::kombin;

namespace {

// Counts results that agree with no row in at least k positions, one by one.
std::uint64_t naiveUncovered(const Code& code, int hits) {
    std::uint64_t missing = 0;
    for (const auto& result : fullCode(code.doubles, code.triples).rows) {
        bool covered = false;
        for (const auto& row : code.rows) {
            int agree = 0;
            for (std::size_t i = 0; i < row.size(); ++i)
                agree += row[i] == result[i];
            covered = covered || agree >= hits;
        }
        missing += !covered;
    }
    return missing;
}

Code randomCode(int d, int t, int rows, std::mt19937& gen) {
    Code c{d, t, {}};
    auto radix = radixOf(d, t);
    for (int i = 0; i < rows; ++i) {
        Word w;
        for (auto r : radix)
            w.push_back(static_cast<std::uint8_t>(gen() % r));
        c.rows.push_back(w);
    }
    return c;
}

Code dropRow(Code c, std::size_t i) {
    c.rows.erase(c.rows.begin() + static_cast<std::ptrdiff_t>(i));
    return c;
}

} // namespace

TEST(KombinCoverage, AgreesWithNaiveCountOnRandomCodes) {
    std::mt19937 gen(7);
    for (auto [d, t] : {std::pair{3, 0}, {0, 3}, {2, 2}, {1, 4}, {4, 1}, {3, 3}})
        for (int hits = 1; hits <= d + t; ++hits)
            for (int rows : {1, 3, 8}) {
                Code c = randomCode(d, t, rows, gen);
                auto cov = checkCoverage(c, d + t - hits);
                EXPECT_EQ(cov.uncovered, naiveUncovered(c, hits))
                    << d << "-" << t << "-" << hits << " rows " << rows;
                EXPECT_EQ(cov.results, (Key{d, t, hits}.results()));
            }
}

TEST(KombinCoverage, ACodeMissingOneResultFails) {
    // Radius 0 needs every result; the perfect codes lose exactly their own ball.
    Code full = fullCode(2, 2);
    ASSERT_TRUE(checkCoverage(full, 0).holds());
    auto cov = checkCoverage(dropRow(full, 17), 0);
    EXPECT_EQ(cov.uncovered, 1u);

    Code hamming = ternaryHamming(2);
    EXPECT_EQ(checkCoverage(dropRow(hamming, 4), 1).uncovered, 9u);
    Code golay = ternaryGolay();
    EXPECT_EQ(checkCoverage(dropRow(golay, 100), 2).uncovered, 243u);
}

TEST(KombinCoverage, RejectsRowsOutsideTheLayout) {
    Code c{1, 1, {{2, 2}}}; // 2 is no symbol of a double
    EXPECT_FALSE(fitsLayout(c));
    EXPECT_FALSE(checkCoverage(c, 2).holds());
    EXPECT_FALSE(checkCoverage(Code{1, 1, {}}, 2).holds());
    EXPECT_FALSE(fitsLayout(Code{1, 1, {{0, 0, 0}}}));
}

TEST(KombinConstruction, PerfectCodesHaveTheirSizeAndRadius) {
    struct Case {
        Code code;
        std::size_t rows;
        int radius;
    };
    for (const auto& c : std::vector<Case>{{ternaryHamming(2), 9, 1},
                                           {ternaryGolay(), 729, 2},
                                           {oneHitCode(2, 3), 2, 4},
                                           {oneHitCode(0, 5), 3, 4}}) {
        EXPECT_EQ(c.code.rows.size(), c.rows);
        auto cov = checkCoverage(c.code, c.radius);
        EXPECT_TRUE(cov.holds());
        EXPECT_LE(cov.coveringRadius, c.radius);
    }
    Code h13 = ternaryHamming(3);
    EXPECT_EQ(h13.triples, 13);
    EXPECT_EQ(h13.rows.size(), 59049u);
    EXPECT_TRUE(checkCoverage(h13, 1).holds());
}

TEST(KombinConstruction, DirectSumAddsRadiiAndPutsTriplesFirst) {
    Code a = ternaryHamming(2);           // 0-4, radius 1
    Code b{3, 0, {{0, 0, 0}, {1, 1, 1}}}; // 3-0, radius 1
    Code s = directSum(a, b);
    EXPECT_EQ(s.doubles, 3);
    EXPECT_EQ(s.triples, 4);
    EXPECT_EQ(s.rows.size(), 18u);
    EXPECT_TRUE(checkCoverage(s, 2).holds());
    EXPECT_FALSE(checkCoverage(s, 1).holds());
    EXPECT_EQ(s.rows[1], (Word{a.rows[0][0], a.rows[0][1], a.rows[0][2], a.rows[0][3], 1, 1, 1}));
}

TEST(KombinConstruction, AmalgamatedSumSharesOnePosition) {
    // Two repetition codes of length 3 share a position: length 5, radius 2, 2 rows.
    Code rep{3, 0, {{0, 0, 0}, {1, 1, 1}}};
    Code sum = amalgamatedSum(rep, 1, rep, 0, {0, 1});
    EXPECT_EQ(sum.doubles, 5);
    EXPECT_EQ(sum.rows, (std::vector<Word>{{0, 0, 0, 0, 0}, {1, 1, 1, 1, 1}}));
    EXPECT_TRUE(checkCoverage(sum, 2).holds());
    // A shared triple comes first; the relabelling pairs symbol s of a with relabel[s] of b.
    Code a{1, 1, {{2, 1}}};
    Code b{0, 2, {{0, 1}, {1, 0}}};
    Code mixed = amalgamatedSum(a, 0, b, 0, {1, 2, 0});
    EXPECT_EQ(mixed.triples, 2);
    EXPECT_EQ(mixed.doubles, 1);
    EXPECT_EQ(mixed.rows, (std::vector<Word>{{2, 1, 1}}));
}

TEST(KombinConstruction, PlayingATripleAsADoubleKeepsTheRadius) {
    Code c = ternaryHamming(2);
    for (int step = 1; step <= 4; ++step) {
        c = tripleToDouble(c);
        EXPECT_EQ(c.doubles, step);
        EXPECT_TRUE(fitsLayout(c));
        EXPECT_TRUE(checkCoverage(c, 1).holds()) << step;
    }
}

TEST(KombinConstruction, SphereBound) {
    struct Case {
        Key key;
        std::uint64_t bound;
    };
    for (auto c : std::vector<Case>{{{0, 6, 5}, 57},
                                    {{0, 4, 3}, 9},
                                    {{0, 11, 9}, 729},
                                    {{3, 0, 2}, 2},
                                    {{7, 0, 6}, 16},
                                    {{2, 1, 2}, 3}})
        EXPECT_EQ(sphereBound(c.key), c.bound);
}

TEST(KombinConstruction, BestConstructionUsesThePerfectCodes) {
    EXPECT_EQ(buildConstruction({0, 4, 3}, nullptr).code.rows.size(), 9u);
    EXPECT_EQ(buildConstruction({0, 11, 9}, nullptr).code.rows.size(), 729u);
    EXPECT_EQ(buildConstruction({0, 8, 6}, nullptr).code.rows.size(), 81u); // Hamming + Hamming
    auto mixed = buildConstruction({2, 2, 3}, nullptr);                     // a projected Hamming
    EXPECT_EQ(mixed.code.rows.size(), 9u);
    EXPECT_TRUE(checkCoverage(mixed.code, 1).holds());
}

TEST(KombinMatrix, CheckMatrixCodeHasSyndromesTimesFreePositions) {
    // H = [I | (1,1), (1,2)] with S = {0} is the ternary Hamming code of length 4.
    CheckMatrix h{3, 2, {{1, 1}, {1, 2}}};
    Code c = matrixCode(h, {{0, 0}});
    EXPECT_EQ(c.rows.size(), 9u);
    EXPECT_TRUE(checkCoverage(c, 1).holds());
    Code two = matrixCode(h, {{0, 0}, {1, 0}});
    EXPECT_EQ(two.rows.size(), 18u);
    // Binary: H = [I3 | 011, 101, 110, 111] gives the Hamming code of length 7.
    CheckMatrix b{2, 3, {{0, 1, 1}, {1, 0, 1}, {1, 1, 0}, {1, 1, 1}}};
    Code hamming7 = matrixCode(b, {{0, 0, 0}});
    EXPECT_EQ(hamming7.doubles, 7);
    EXPECT_EQ(hamming7.rows.size(), 16u);
    EXPECT_TRUE(checkCoverage(hamming7, 1).holds());
}

TEST(KombinMatrix, MixedCheckMatrixCodeHoldsExactlyTheRowsOfItsSyndromes) {
    // Three triples into Z3^2 (the third steps by (1, 2)) and three doubles
    // into Z2^2 (the third steps by (1, 1)); a syndrome lists Z3 digits first.
    MixedCheckMatrix h{{3, 2, {{1, 2}}}, {2, 2, {{1, 1}}}};
    auto syndromeOf = [](const Word& w) {
        return std::vector<std::uint8_t>{static_cast<std::uint8_t>((w[0] + w[2]) % 3),
                                         static_cast<std::uint8_t>((w[1] + 2 * w[2]) % 3),
                                         static_cast<std::uint8_t>((w[3] + w[5]) % 2),
                                         static_cast<std::uint8_t>((w[4] + w[5]) % 2)};
    };
    std::vector<std::vector<std::uint8_t>> all;
    for (std::uint8_t a = 0; a < 3; ++a)
        for (std::uint8_t b = 0; b < 3; ++b)
            for (std::uint8_t c = 0; c < 2; ++c)
                for (std::uint8_t d = 0; d < 2; ++d)
                    all.push_back({a, b, c, d});
    for (const auto& syndromes :
         {std::vector<std::vector<std::uint8_t>>{{0, 0, 0, 0}},
          std::vector<std::vector<std::uint8_t>>{{1, 2, 1, 0}, {2, 0, 0, 1}}, all}) {
        Code c = matrixCode(h, syndromes);
        EXPECT_EQ(c.triples, 3);
        EXPECT_EQ(c.doubles, 3);
        ASSERT_TRUE(fitsLayout(c));
        EXPECT_EQ(c.rows.size(), syndromes.size() * 3 * 2); // one free triple, one free double
        std::set<std::string> distinct;
        for (const auto& w : c.rows)
            distinct.emplace(w.begin(), w.end());
        EXPECT_EQ(distinct.size(), c.rows.size());
        for (const auto& w : c.rows)
            EXPECT_NE(std::find(syndromes.begin(), syndromes.end(), syndromeOf(w)),
                      syndromes.end());
    }
    // Every syndrome: every result, which covers with radius 0.
    EXPECT_TRUE(checkCoverage(matrixCode(h, all), 0).holds());
}

TEST(KombinMatrix, SearchBeatsTheGivenSizeOnEveryKindOfLayoutAndRepeatsWithItsSeed) {
    struct Case {
        Key key;
        int height;
        std::size_t beat, expectAtMost;
    };
    for (auto c : std::vector<Case>{{{0, 5, 4}, 0, 28, 27},  // ternary, from a Hamming code
                                    {{7, 0, 6}, 3, 17, 16},  // the binary Hamming code
                                    {{3, 4, 6}, 0, 100, 72}, // both kinds
                                    {{3, 4, 6}, 4, 100, 72}}) {
        SearchOptions o;
        o.seed = 5;
        o.seconds = 1;
        auto code = matrixSearch(c.key, c.beat, o, c.height);
        ASSERT_TRUE(code) << templateFileName(c.key, 0);
        EXPECT_EQ(code->doubles, c.key.doubles);
        EXPECT_EQ(code->triples, c.key.triples);
        EXPECT_LE(code->rows.size(), c.expectAtMost) << templateFileName(c.key, 0);
        EXPECT_TRUE(checkCoverage(*code, c.key.radius()).holds()) << templateFileName(c.key, 0);
        EXPECT_EQ(matrixSearch(c.key, c.beat, o, c.height)->rows, code->rows);
    }
    // No height is searched for a code below the sphere-covering bound (57).
    SearchOptions o;
    o.seconds = 0.2;
    EXPECT_FALSE(matrixSearch({0, 6, 5}, 57, o));
}

TEST(KombinSearch, ReachesKnownOptimaOfSmallKeys) {
    struct Case {
        Key key;
        std::size_t rows;
    };
    for (auto c : std::vector<Case>{
             {{0, 4, 2}, 3}, {{0, 5, 3}, 8}, {{5, 0, 4}, 7}, {{6, 0, 5}, 12}, {{2, 3, 3}, 0}}) {
        SearchOptions o;
        o.seed = 3;
        o.seconds = 2;
        o.target = c.rows;
        auto r = searchCover(hammingSpace(c.key.doubles, c.key.triples, c.key.radius()),
                             fullCode(c.key.doubles, c.key.triples).rows, o);
        Code code{c.key.doubles, c.key.triples, r.rows};
        EXPECT_TRUE(checkCoverage(code, c.key.radius()).holds());
        if (c.rows) {
            EXPECT_EQ(r.rows.size(), c.rows) << c.key.doubles << "-" << c.key.triples;
        }
        EXPECT_GE(r.rows.size(), sphereBound(c.key));
    }
}

TEST(KombinSearch, ExchangeMovesReachKnownOptimaAndRepeatWithTheirSeed) {
    struct Case {
        Key key;
        std::size_t rows;
    };
    for (auto c :
         std::vector<Case>{{{0, 4, 2}, 3}, {{0, 5, 3}, 8}, {{5, 0, 4}, 7}, {{6, 0, 5}, 12}}) {
        SearchOptions o;
        o.seed = 3;
        o.seconds = 2;
        o.target = c.rows;
        o.exchange = true;
        const auto space = hammingSpace(c.key.doubles, c.key.triples, c.key.radius());
        const auto start = fullCode(c.key.doubles, c.key.triples).rows;
        auto r = searchCover(space, start, o);
        Code code{c.key.doubles, c.key.triples, r.rows};
        EXPECT_TRUE(checkCoverage(code, c.key.radius()).holds()) << templateFileName(c.key, 0);
        EXPECT_EQ(r.rows.size(), c.rows) << templateFileName(c.key, 0);
        EXPECT_EQ(searchCover(space, start, o).rows, r.rows) << templateFileName(c.key, 0);
    }
}

TEST(KombinMatrix, FixedColumnsSearchThatOneMatrixAndAreCheckedFirst) {
    // H = [I4 | 1100]: its kernel holds 22001, so the code is a union of
    // cosets of that word.
    SearchOptions o;
    o.seed = 2;
    o.seconds = 1;
    o.exchange = true;
    const Key key{0, 5, 3};
    auto code = matrixSearchOn(key, 28, o, {{1, 1, 0, 0}});
    ASSERT_TRUE(code);
    EXPECT_TRUE(checkCoverage(*code, key.radius()).holds());
    EXPECT_EQ(code->rows.size() % 3, 0u);
    std::set<Word> rows(code->rows.begin(), code->rows.end());
    for (auto w : code->rows) {
        const Word kernel{2, 2, 0, 0, 1};
        for (std::size_t i = 0; i < w.size(); ++i)
            w[i] = static_cast<std::uint8_t>((w[i] + kernel[i]) % 3);
        EXPECT_TRUE(rows.count(w));
    }

    EXPECT_EQ(fixedColumnsProblem({0, 9, 7}, {{1, 2, 0, 0, 0, 0, 0, 0}}), "");
    for (const auto& [k, columns] :
         std::vector<std::pair<Key, std::vector<std::vector<std::uint8_t>>>>{
             {{1, 4, 3}, {{1, 1, 0, 0}}},                               // a double
             {{0, 5, 3}, {}},                                           // no column
             {{0, 5, 3}, {{1, 1, 0}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1}}}, // height 1
             {{0, 5, 3}, {{1, 1, 0}}},                                  // one digit short
             {{0, 5, 3}, {{1, 3, 0, 0}}},                               // not a ternary digit
             {{0, 13, 9}, {{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}}}}) {   // 3^12 syndromes
        EXPECT_NE(fixedColumnsProblem(k, columns), "") << templateFileName(k, 0);
        EXPECT_THROW(matrixSearchOn(k, 1000, o, columns), std::invalid_argument);
    }
}

TEST(KombinSearch, SameSeedSameRowsWhateverTheThreads) {
    GenerateOptions o;
    o.search.seed = 11;
    o.search.seconds = 0.3;
    auto a = generateSystem({1, 5, 4}, o);
    auto b = generateSystem({1, 5, 4}, o);
    ASSERT_TRUE(a.holds);
    EXPECT_EQ(a.code.rows, b.code.rows);
    o.search.threads = 1;
    auto c = generateSystem({1, 5, 4}, o);
    EXPECT_TRUE(c.holds);
}

TEST(KombinSearch, CancelStopsAndStillReturnsACheckedCode) {
    std::atomic<bool> cancel{true};
    GenerateOptions o;
    o.search.seconds = 100;
    o.search.cancel = &cancel;
    auto r = generateSystem({0, 7, 6}, o);
    EXPECT_TRUE(r.cancelled);
    EXPECT_TRUE(r.holds);
}

TEST(KombinFile, NameScheme) {
    EXPECT_EQ(templateFileName({3, 0, 2}, 2), "3-0-2-2.txt");
    EXPECT_EQ(templateFileName({0, 11, 9}, 729), "0-11-9-729.txt");
    auto n = parseTemplateFileName("0-2-2-9.txt");
    ASSERT_TRUE(n);
    EXPECT_EQ(n->key, (Key{0, 2, 2}));
    EXPECT_EQ(n->rows, 9u);
    for (auto bad : {"3-0-2-2.TXT", "300-0-2-2.txt", "readme.txt", "3-0-2.txt", "3-0-2-x.txt",
                     "3-0--2-2.txt", "3-0-2-2.txt.bak", "-3-0-2-2.txt", "9-9-2-2.txt"})
        EXPECT_FALSE(parseTemplateFileName(bad)) << bad;
}

TEST(KombinFile, RowsPutTriplesRightmostAndKeepTheirOrderWithCrLf) {
    // Position 0 (a triple) is the last character; the doubles stand left of the triples.
    Code c{2, 1, {{1, 1, 0}, {0, 0, 1}, {2, 0, 0}}};
    EXPECT_EQ(rowText(c, c.rows[0]), "12X");
    EXPECT_EQ(templateFileText(c), "12X\r\n211\r\n112\r\n");
    auto back = readTemplateRows(templateFileText(c), 2, 1);
    EXPECT_EQ(back.error, "");
    EXPECT_EQ(back.code.rows, c.rows);
}

TEST(KombinFile, ReaderTakesTheRightmostPositionsLikeTheProgram) {
    auto r = readTemplateRows("  --12X \n\n\t1 221\r\n", 2, 1);
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.code.rows.size(), 2u);
    EXPECT_EQ(r.code.rows[0], (Word{1, 1, 0}));
    EXPECT_EQ(r.code.rows[1], (Word{0, 1, 1})); // what stands left of the three is ignored

    struct Bad {
        const char* text;
        const char* error;
    };
    for (auto b : std::vector<Bad>{{"111\nX11\n", "line 2: a double position holds \"X\""},
                                   {"11\n", "line 1: the row has fewer than 3 positions"},
                                   {"1-1\n", "line 1: a double position holds \"-\""},
                                   {"11x\n", "line 1: a triple position holds \"x\""},
                                   {"1----------------111\n",
                                    "line 1: a symbol stands more than 16 positions from the end "
                                    "of the row"}})
        EXPECT_EQ(readTemplateRows(b.text, 2, 1).error, b.error) << b.text;
}

TEST(KombinFile, CheckTemplateNamesEveryProblem) {
    EXPECT_TRUE(checkTemplate("3-0-2-2.txt", "111\r\n222\r\n").ok());
    EXPECT_EQ(checkTemplate("3-0-2-3.txt", "111\r\n222\r\n").problem,
              "the file holds 2 rows, its name announces 3");
    EXPECT_EQ(checkTemplate("3-0-2-2.txt", "111\r\n221\r\n").problem,
              "2 of 8 results get fewer than 2 hits");
    EXPECT_EQ(checkTemplate("notes.txt", "111\r\n").problem,
              "the name is not doubles-triples-hits-rows.txt");
}

TEST(KombinFile, SaveWritesOnlySoundSystems) {
    auto dir = std::filesystem::temp_directory_path() / "kavendix-kombin-save";
    std::filesystem::remove_all(dir);
    std::string error;
    auto path = saveTemplate(dir.string(), Code{3, 0, {{0, 0, 0}, {1, 1, 1}}}, 2, error);
    ASSERT_TRUE(path) << error;
    EXPECT_EQ(std::filesystem::path(*path).filename(), "3-0-2-2.txt");
    std::ifstream in(*path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "111\r\n222\r\n");
    EXPECT_FALSE(saveTemplate(dir.string(), Code{3, 0, {{0, 0, 0}, {1, 1, 0}}}, 2, error));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1);
    std::filesystem::remove_all(dir);
}

TEST(KombinLibrary, StoredSystemsAreBuildingBlocksAndBrokenOnesAreSkipped) {
    auto dir = std::filesystem::temp_directory_path() / "kavendix-kombin-lib";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    // A sound 0-3-2 system of 5 rows and a broken one that announces fewer.
    std::ofstream(dir / "0-3-2-5.txt", std::ios::binary) << "1XX\r\n121\r\nXX1\r\nX2X\r\n212\r\n";
    std::ofstream(dir / "0-3-2-4.txt", std::ios::binary) << "1XX\r\n121\r\nXX1\r\nX2X\r\n";
    FolderLibrary lib(dir.string());
    auto c = buildConstruction({0, 6, 4}, &lib); // two 0-3-2 systems side by side
    EXPECT_EQ(c.code.rows.size(), 25u);
    EXPECT_EQ(c.recipe, "(library 0-3-2) + (library 0-3-2)");
    EXPECT_TRUE(checkCoverage(c.code, 2).holds());
    EXPECT_EQ(lib.sizeOf({0, 3, 2}), 5u);
    std::filesystem::remove_all(dir);
}
