#include "io/files/cp1251.h"
#include "io/files/quotes_file_io.h"
#include "io/files/text_file.h"

#include "support/temp_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace kav;
namespace fs = std::filesystem;
using kav::test::contents;
using kav::test::tempPath;

TEST(QuotesFileIo, WritesCp1251WithCrLfAndReadsItBack) {
    DrawModel m;
    applyDefaultDraw(m);
    m.eventTitles[0] = "Спартак - Зенит";
    m.quotes[0][0] = *Fixed4::parse("46.6461");
    m.poolShares[14][2] = *Fixed4::parse("0.0001");
    m.drawCountry = kRussia;
    DrawSettings s{"20.00 руб.", Fixed4::fromInt(20), "Kavendix V1.4.2 - российский тираж"};
    DrawTotals t{"125000.5", "1000000", {3, 4, 5}, 4};
    auto path = tempPath("round.ctr");
    ASSERT_EQ(io::writeQuotesFile(path.string(), m, s, t), std::nullopt);

    std::string bytes = contents(path);
    EXPECT_EQ(bytes.substr(0, 6), *io::utf8ToCp1251("Спарта"));
    std::size_t crlf = 0;
    for (std::size_t i = 0; (i = bytes.find("\r\n", i)) != std::string::npos; i += 2)
        ++crlf;
    EXPECT_EQ(crlf, 20u);
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);

    auto read = io::readQuotesFile(path.string());
    ASSERT_TRUE(read.has_value());
    DrawModel back;
    applyQuotesFile(back, *read);
    EXPECT_EQ(back.eventTitles, m.eventTitles);
    EXPECT_EQ(back.quotes, m.quotes);
    EXPECT_EQ(back.poolShares, m.poolShares);
    EXPECT_EQ(read->settings.stakeText, "20.00 руб.");
    EXPECT_EQ(read->totals, t);
    fs::remove(path);
}

TEST(QuotesFileIo, UnreadableAndUnwritableFilesAreReported) {
    DrawModel m;
    auto message = io::writeQuotesFile("/nonexistent/dir/x.ctr", m, {}, {});
    ASSERT_TRUE(message.has_value());
    EXPECT_NE(message->text.find("/nonexistent/dir/x.ctr"), std::string::npos);
    EXPECT_EQ(message->caption, "Ошибка");
    EXPECT_FALSE(io::readQuotesFile("/nonexistent/x.ctr").has_value());
    EXPECT_FALSE(io::readQuotesFile(fs::temp_directory_path().string()).has_value());
    auto big = tempPath("big.ctr");
    std::ofstream(big) << std::string(io::kMaxQuotesFileBytes + 10, '\t');
    EXPECT_FALSE(io::readQuotesFile(big.string()).has_value());
    fs::remove(big);
}

TEST(QuotesFileIo, ExtensionIsAddedOnlyToNamesWithoutADot) {
    EXPECT_EQ(io::quotesFilePath("/home/p/draw"), "/home/p/draw.ctr");
    EXPECT_EQ(io::quotesFilePath("/home/p.q/draw"), "/home/p.q/draw");
    EXPECT_EQ(io::quotesFilePath("draw.txt"), "draw.txt");
}
