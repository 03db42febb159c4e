#include "core/analysis/analysis.h"
#include "core/base/general_format.h"
#include "core/value/expected_return.h"
#include "io/files/bet_export.h"
#include "io/files/cp1251.h"

#include "support/temp_files.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace kav;
namespace fs = std::filesystem;
using kav::test::contents;
using kav::test::tempPath;

namespace {

// Reads the workbook with a real reader and describes what a player would see.
std::string describeWorkbook(const fs::path& path) {
    std::string script = R"(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
print("sheets", len(wb.worksheets), ws.title)
for row in ws.iter_rows():
    for c in row:
        if c.value is not None:
            print(c.coordinate, type(c.value).__name__, c.value, c.font.b, c.alignment.horizontal)
for key, dim in sorted(ws.column_dimensions.items()):
    print("width", key, dim.min, dim.max, dim.width, dim.font.b if dim.font else None)
)";
    auto py = tempPath("read.py");
    std::ofstream(py) << script;
    std::string cmd = "/usr/bin/python3 " + py.string() + " " + path.string();
    std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(cmd.c_str(), "r"), &pclose);
    std::string out;
    char buf[4096];
    while (pipe && fgets(buf, sizeof buf, pipe.get()))
        out += buf;
    fs::remove(py);
    return out;
}

const Lines kBets = {
    "40.00;1-(1,X);2-(2);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);13-(1);"
    "14-(1);15-(X).",
    "", "20.5;1-(2)."};

} // namespace

TEST(BetExport, ColumnsLayoutOneBetPerColumn) {
    auto path = tempPath("cols.xlsx");
    ASSERT_EQ(io::saveWorkbook(path.string(), kBets, {io::SheetLayout::ByColumns, 3, 1}),
              std::nullopt);
    std::string d = describeWorkbook(path);
    EXPECT_NE(d.find("sheets 1 3_1_3\n"), std::string::npos) << d;
    EXPECT_NE(d.find("A1 str 1,X True right\n"), std::string::npos) << d;
    EXPECT_NE(d.find("A2 str 2 True right\n"), std::string::npos) << d;
    EXPECT_NE(d.find("A15 str X True right\n"), std::string::npos) << d;
    EXPECT_NE(d.find("A16 int 40 True right\n"), std::string::npos) << d;
    EXPECT_EQ(d.find("B"), std::string::npos) << "the empty line leaves column B empty\n" << d;
    EXPECT_NE(d.find("C1 str 2 True right\n"), std::string::npos) << d;
    EXPECT_NE(d.find("C16 float 20.5 True right\n"), std::string::npos) << d;
    EXPECT_NE(d.find("width A 1 16384 8"), std::string::npos) << d;
    fs::remove(path);
}

TEST(BetExport, RowsLayoutOneBetPerRow) {
    auto path = tempPath("rows.xlsx");
    ASSERT_EQ(io::saveWorkbook(path.string(), kBets, {io::SheetLayout::ByRows, 0, 0}),
              std::nullopt);
    std::string d = describeWorkbook(path);
    EXPECT_NE(d.find("sheets 1 0_0_3\n"), std::string::npos) << d;
    EXPECT_NE(d.find("A1 str 1,X True right\n"), std::string::npos) << d;
    EXPECT_NE(d.find("O1 str X True right\n"), std::string::npos) << d;
    EXPECT_NE(d.find("P1 int 40 True right\n"), std::string::npos) << d;
    EXPECT_NE(d.find("P3 float 20.5 True right\n"), std::string::npos) << d;
    EXPECT_EQ(d.find("A2"), std::string::npos) << d;
    fs::remove(path);
}

TEST(BetExport, RefusalsCreateNoFile) {
    auto path = tempPath("refused.xlsx");
    Lines many(16385, "20;1-(1).");
    auto m = io::saveWorkbook(path.string(), many, {io::SheetLayout::ByColumns, 0, 0});
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->text, "Формат Excell не позволяет сохранять более 16384 вариантов");
    EXPECT_FALSE(fs::exists(path));
    many.pop_back();
    EXPECT_EQ(io::saveWorkbook(path.string(), many, {io::SheetLayout::ByColumns, 0, 0}),
              std::nullopt);
    fs::remove(path);
    EXPECT_TRUE(
        io::saveWorkbook(path.string(), {"x;1-(1)"}, {io::SheetLayout::ByRows, 0, 0}).has_value());
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(io::saveWorkbook("/nonexistent/dir/a.xlsx", kBets, {io::SheetLayout::ByRows, 0, 0})
                    .has_value());
}

TEST(BetExport, WorkbookPathEndsInXlsx) {
    EXPECT_EQ(io::workbookExportPath("rows"), "rows.xlsx");
    EXPECT_EQ(io::workbookExportPath("/tmp/a.b/Rows.XLSX"), "/tmp/a.b/Rows.XLSX");
    EXPECT_EQ(io::workbookExportPath("rows.xls"), "rows.xls.xlsx");
}

TEST(BetExport, TextFileGetsTxtAppendedCp1251AndCrLf) {
    auto chosen = tempPath("bets.txt");
    EXPECT_EQ(io::textExportPath(chosen.string()), chosen.string() + ".txt");
    ASSERT_EQ(io::saveTextExport(chosen.string(), {"20;1-(1).", "", "комментарий 漢"}),
              std::nullopt);
    EXPECT_EQ(contents(chosen.string() + ".txt"),
              "20;1-(1).\r\n\r\n" + *io::utf8ToCp1251("комментарий ") + "?\r\n");
    fs::remove(chosen.string() + ".txt");
    EXPECT_TRUE(io::saveTextExport("/nonexistent/dir/b", {"x"}).has_value());
}

namespace {

// The C library's number format switched for the test's lifetime.
class NumericLocale {
public:
    explicit NumericLocale(const char* name) : before_(std::setlocale(LC_NUMERIC, nullptr)) {
        ok_ = std::setlocale(LC_NUMERIC, name) != nullptr;
    }
    ~NumericLocale() { std::setlocale(LC_NUMERIC, before_.c_str()); }
    bool ok() const { return ok_; }

private:
    std::string before_;
    bool ok_ = false;
};

// Every way the program writes a number outside Qt, over values of every size.
std::string numberTexts() {
    std::string out;
    double v = 0.85;
    for (int i = 0; i < 3000; ++i) {
        v = i % 7 == 0 ? 1.0 / (i + 1) : v * -1.37 + (i % 11) * 0.01;
        if (std::abs(v) > 1e30 || std::abs(v) < 1e-30)
            v = 4.4e-7 * (i + 1);
        out += generalFormat(v, 1 + i % 17) + ' ' + significantText(v, 1 + i % 12) + ' ' +
               fixedText(v, i % 5) + '\n';
    }
    CategoryValues values;
    for (int k = 0; k < kCategories; ++k) {
        values.chance[k] = 0.85 / (k + 1) / std::pow(10.0, k);
        values.payout[k] = 1 + 1e-4 * k;
    }
    for (const auto& row : analysisTable(values))
        out += row[0] + '|' + row[1] + '|' + row[2] + '\n';
    return out;
}

} // namespace

// A locale with a decimal comma (the player's ru_RU) changes no digit the
// program writes: the analysis table, the value and check figures, and the
// workbook, which stays readable.
TEST(NumbersInAnyLocale, WrittenAlikeUnderADecimalComma) {
    const auto path = tempPath("locale.xlsx");
    const auto described = [&] {
        EXPECT_EQ(io::saveWorkbook(path.string(), kBets, {io::SheetLayout::ByColumns, 3, 1}),
                  std::nullopt);
        return describeWorkbook(path);
    };
    const std::string texts = numberTexts();
    const std::string workbook = described();
    ASSERT_NE(workbook.find("width A 1 16384 8.7109375"), std::string::npos) << workbook;
    NumericLocale comma("ru_RU.UTF-8");
    if (!comma.ok())
        GTEST_SKIP() << "this test needs the ru_RU.UTF-8 locale";
    EXPECT_EQ(numberTexts(), texts);
    EXPECT_EQ(described(), workbook);
    fs::remove(path);
}
