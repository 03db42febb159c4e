#include "io/files/bet_export.h"

#include "core/bets/bet_table.h"
#include "io/files/text_file.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <locale.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kav::io {

std::string textExportPath(const std::string& chosen) {
    return chosen + ".txt";
}

std::string workbookExportPath(const std::string& chosen) {
    constexpr std::string_view extension = ".xlsx";
    const bool hasIt =
        chosen.size() > extension.size() &&
        std::equal(extension.begin(), extension.end(), chosen.end() - extension.size(),
                   [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
    return hasIt ? chosen : chosen + std::string(extension);
}

MaybeMessage saveTextExport(const std::string& chosen, const Lines& lines) {
    return writeFileBytes(textExportPath(chosen), cp1251Text(lines));
}

namespace {

// The workbook library writes its numbers (column widths, margins, cell
// values) with the C library's printf: under a locale with a decimal comma
// the sheet would read "8,7109375" and no spreadsheet would open it. This
// thread writes in the "C" number format while the guard lives.
class CNumbersOnThisThread {
public:
    CNumbersOnThisThread()
        : c_(newlocale(LC_NUMERIC_MASK, "C", duplocale(LC_GLOBAL_LOCALE))),
          previous_(c_ != nullptr ? uselocale(c_) : nullptr) {}
    ~CNumbersOnThisThread() {
        if (c_ == nullptr)
            return;
        uselocale(previous_);
        freelocale(c_);
    }
    CNumbersOnThisThread(const CNumbersOnThisThread&) = delete;
    CNumbersOnThisThread& operator=(const CNumbersOnThisThread&) = delete;

private:
    locale_t c_;
    locale_t previous_;
};

} // namespace

MaybeMessage saveWorkbook(const std::string& path, const Lines& lines, const WorkbookExport& how) {
    bool byColumns = how.layout == SheetLayout::ByColumns;
    if (auto refusal = exportLineLimitMessage(lines.size(), byColumns))
        return refusal;
    auto built = buildBetTable(lines);
    if (auto* m = std::get_if<Message>(&built))
        return *m;
    const auto& table = std::get<BetTable>(built);

    const CNumbersOnThisThread cNumbers;
    lxw_workbook* wb = workbook_new(path.c_str());
    if (wb == nullptr)
        return writeFailedMessage(path);
    std::string name = exportSheetName(how.doublesCount, how.shownTriplesCount, lines.size());
    lxw_worksheet* ws = workbook_add_worksheet(wb, name.c_str());
    lxw_format* fmt = workbook_add_format(wb);
    format_set_bold(fmt);
    format_set_align(fmt, LXW_ALIGN_RIGHT);
    worksheet_set_column(ws, 0, LXW_COL_MAX - 1, 8, fmt);
    for (std::size_t i = 0; i < table.records.size(); ++i) {
        if (!table.records[i])
            continue;
        const auto& rec = *table.records[i];
        for (int cell = 0; cell < kTableCells; ++cell) {
            auto row = static_cast<lxw_row_t>(byColumns ? cell : i);
            auto col = static_cast<lxw_col_t>(byColumns ? i : cell);
            if (cell == kTableCells - 1)
                worksheet_write_number(ws, row, col, rec.amount, fmt);
            else if (!rec.outcomes[cell].empty())
                worksheet_write_string(ws, row, col, rec.outcomes[cell].c_str(), fmt);
        }
    }
    if (workbook_close(wb) != LXW_NO_ERROR) {
        std::error_code ec;
        std::filesystem::remove(path, ec);
        return writeFailedMessage(path);
    }
    return std::nullopt;
}

bool openWithDesktop(const std::string& path) {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((display == nullptr || *display == '\0') && (wayland == nullptr || *wayland == '\0'))
        return false;
    if (::access("/usr/bin/xdg-open", X_OK) != 0 || ::access("/usr/bin/setsid", X_OK) != 0)
        return false;
    // setsid -f forks the opener into its own session and returns at once, so
    // the viewer outlives the program and leaves no zombie behind.
    std::string setsid = "/usr/bin/setsid", fork = "-f", opener = "/usr/bin/xdg-open", arg = path;
    char* argv[] = {setsid.data(), fork.data(), opener.data(), arg.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0)
        return false;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return true;
}

} // namespace kav::io
