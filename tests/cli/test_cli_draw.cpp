// The draw commands of kavendix-cli, run as a player's script would run them.
#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/wait.h>

namespace fs = std::filesystem;
using kav::test::LoopbackServer;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

fs::path tempPath(const std::string& name) {
    return fs::temp_directory_path() / ("kavendix-cli-" + std::to_string(::getpid()) + "-" + name);
}

std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

CliRun runCli(const std::string& args) {
    const char* cli = std::getenv("KAVENDIX_CLI");
    auto errFile = tempPath("stderr");
    std::string cmd =
        std::string(cli ? cli : "kavendix-cli") + " " + args + " 2>" + errFile.string();
    CliRun r;
    FILE* pipe = popen(cmd.c_str(), "r");
    char buf[4096];
    std::size_t n;
    while (pipe && (n = fread(buf, 1, sizeof buf, pipe)) > 0)
        r.out.append(buf, n);
    int raw = pipe ? pclose(pipe) : -1;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.err = contents(errFile);
    fs::remove(errFile);
    return r;
}

std::vector<std::string> crlfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(bytes.substr(at, end - at));
    return lines;
}

const std::string kEventsPage =
    "<html><body>A - B|2.00|3.40|3.60|47.5|28|24.5|;C - D|2|2|2|30|30|40|;</body></html>";
const std::string kTotalsPage = "<html><body>125000.5|0|;3|4|5|</body></html>";

} // namespace

TEST(CliPage, EventsPrintTheDrawAsAQuotesFile) {
    auto page = tempPath("events.html");
    write(page, kEventsPage);
    auto r = runCli("--country ua page events " + page.string());
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = crlfLines(r.out);
    ASSERT_EQ(lines.size(), 20u) << r.out;
    EXPECT_EQ(lines[0], "A - B\t46.6461\t47.5\t27.4389\t28\t25.9145\t24.5\t");
    EXPECT_EQ(lines[1], "C - D\t33.3333\t30\t33.3333\t30\t33.3333\t40\t");
    EXPECT_EQ(lines[16], "3");
    EXPECT_EQ(lines[17], "1");
    EXPECT_EQ(lines[19], "Edit1|Edit2|0|0|0|");

    write(page, "A - B|2|0|2|1|1|1|;");
    // A page with no whole draw is refused, as by fetch.
    for (const char* text :
         {"A - B|2|0|2|1|1|1|;", "", "<script>A - B|2|2|2|30|30|40|;</script>"}) {
        write(page, text);
        auto broken = runCli("page events " + page.string());
        EXPECT_EQ(broken.status, 1) << text;
        EXPECT_NE(broken.err.find("no draw"), std::string::npos) << text;
        EXPECT_EQ(broken.out, "") << text;
    }
    fs::remove(page);
}

TEST(CliPage, TotalsPrintPoolJackpotCountsAndMean) {
    auto page = tempPath("totals.html");
    write(page, kTotalsPage);
    auto r = runCli("page totals " + page.string());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "pool 125000.5\njackpot 1000000\ncounts 3 4 5\nmean 4\n");
    auto missing = runCli("page totals /nonexistent/page.html");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    fs::remove(page);
}

TEST(CliFetch, WritesTheDrawAndReadsItBackThroughDraw) {
    LoopbackServer server;
    server.set(kav::test::eventsTarget(), {200, kEventsPage});
    server.set(kav::test::totalsTarget(), {200, kTotalsPage});
    auto ctr = tempPath("fetched.ctr");
    auto r = runCli("fetch --server " + server.url() + " -o " + ctr.string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    std::string file = contents(ctr);
    auto lines = crlfLines(file);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[19], "125000.5|1000000|3|4|5|");

    // An empty page is no draw: refused, the draw is not printed.
    auto empty = tempPath("empty.txt");
    write(empty, "");
    auto again = runCli("--draw " + ctr.string() + " page events " + empty.string());
    EXPECT_EQ(again.status, 1) << again.err;
    EXPECT_EQ(again.out, "");
    auto totals = runCli("--draw " + ctr.string() + " page totals " + empty.string());
    EXPECT_EQ(totals.out, "pool 125000.5\njackpot 1000000\ncounts 3 4 5\nmean 4\n");
    EXPECT_EQ(runCli("fetch --server " + server.url()).out, file);
    fs::remove(ctr);
    fs::remove(empty);
}

TEST(CliFetch, FailuresExitWithOneAndWriteNothing) {
    LoopbackServer server;
    server.set(kav::test::eventsTarget(), {200, "broken|page"});
    server.set(kav::test::totalsTarget(), {200, kTotalsPage});
    auto ctr = tempPath("never.ctr");
    auto r = runCli("fetch --server " + server.url() + " -o " + ctr.string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err, "");
    EXPECT_FALSE(fs::exists(ctr));
    auto error = runCli("fetch --country ua --server " + server.url());
    EXPECT_EQ(error.status, 1);
    EXPECT_NE(error.err.find("404"), std::string::npos) << error.err;
    EXPECT_EQ(error.out, "");
}

TEST(CliDraw, ABrokenDrawFileIsAnInputError) {
    auto ctr = tempPath("broken.ctr");
    write(ctr, "A\t1\t2\r\n");
    auto r = runCli("--draw " + ctr.string() + " page totals " + ctr.string());
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Неверный формат загружаемого файла"), std::string::npos) << r.err;
    fs::remove(ctr);
}

TEST(CliExport, WritesTheListOrRefusesWithTheProgramsMessage) {
    auto bets = tempPath("bets.txt");
    std::string many;
    for (int i = 0; i < 16385; ++i)
        many += "20;1-(1);2-(X).\n";
    write(bets, many);
    auto xlsx = tempPath("out.xlsx");
    auto refused = runCli("--bets " + bets.string() + " export xlsx-columns -o " + xlsx.string());
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Формат Excell не позволяет сохранять более 16384 вариантов"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(xlsx));
    auto rows = runCli("--bets " + bets.string() + " export xlsx-rows -o " + xlsx.string());
    EXPECT_EQ(rows.status, 0) << rows.err;
    EXPECT_EQ(contents(xlsx).substr(0, 2), "PK");

    auto text = tempPath("out.txt");
    write(bets, "20;1-(1).\n\n40;1-(1,X).\n");
    auto r = runCli("--bets " + bets.string() + " export text -o " + text.string());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(contents(text), "20;1-(1).\r\n\r\n40;1-(1,X).\r\n");
    auto usage = runCli("export pdf -o " + text.string());
    EXPECT_EQ(usage.status, 2);
    for (const auto& p : {bets, xlsx, text})
        fs::remove(p);
}

// A pasted table becomes a quotes file that --draw reads; the odds lose the
// margin proportionally or by Shin's method, to the printed digit.
TEST(CliDrawImport, TurnsATableIntoAQuotesFile) {
    std::string table = "N\tMatch\t1\tX\t2\n";
    for (int e = 1; e <= 15; ++e)
        table +=
            std::to_string(e) + ". Home" + std::to_string(e) + " - Away 2,00 3,40 3,60 45 30 25\n";
    auto src = tempPath("table.txt");
    auto ctr = tempPath("table.ctr");
    write(src, table);
    auto r = runCli("draw import " + src.string() + " -o " + ctr.string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "margin 7.19%\n");
    auto lines = crlfLines(contents(ctr));
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "Home1 - Away\t46.6461\t45\t27.4389\t30\t25.9145\t25\t");
    EXPECT_EQ(lines[14], "Home15 - Away\t46.6461\t45\t27.4389\t30\t25.9145\t25\t");
    // --draw reads it: the project made from it holds its titles and quotes.
    auto project = tempPath("table.kvp");
    ASSERT_EQ(runCli("--draw " + ctr.string() + " save-project -o " + project.string()).status, 0);
    const std::string saved = contents(project);
    EXPECT_NE(saved.find("\"Home15 - Away\""), std::string::npos);
    EXPECT_NE(saved.find("\"46.6461\""), std::string::npos);

    auto shin = runCli("draw import --method shin - < " + src.string());
    ASSERT_EQ(shin.status, 0) << shin.err;
    EXPECT_EQ(crlfLines(shin.out)[0], "Home1 - Away\t47.3543\t45\t27.1248\t30\t25.5209\t25\t");

    write(src, "A - B 2 3 4\nC - D 2 3\n");
    auto bad = runCli("draw import " + src.string());
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("Строка 2: нет трёх чисел после названия"), std::string::npos)
        << bad.err;
    for (const auto& p : {src, ctr, project})
        fs::remove(p);
}
