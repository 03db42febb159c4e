// The bet list leaving the program: a text file and a spreadsheet workbook
// (.xlsx) with one bet per column or one bet per row.
#pragma once

#include "core/base/message.h"
#include "core/bets/bet_list.h"

#include <string>

namespace kav::io {

// The path a text export is written to: the chosen name with ".txt" appended,
// even when it already has an extension.
std::string textExportPath(const std::string& chosen);

// Writes the memo lines, CP1251, each ending with CR LF, to textExportPath(chosen).
MaybeMessage saveTextExport(const std::string& chosen, const Lines& lines);

// The path a workbook export is written to: the chosen name with ".xlsx"
// appended unless it already ends so (in any letter case), since spreadsheet
// programs refuse a workbook under another name.
std::string workbookExportPath(const std::string& chosen);

enum class SheetLayout { ByColumns, ByRows };

struct WorkbookExport {
    SheetLayout layout = SheetLayout::ByColumns;
    int doublesCount = 0;
    int shownTriplesCount = 0;
};

// Writes the workbook under the path as chosen (no extension added). Nothing
// is created when the list is too long for the layout or an amount is no
// number; the message says which.
MaybeMessage saveWorkbook(const std::string& path, const Lines& lines, const WorkbookExport& how);

// Opens a file with the desktop's default application, detached, when there
// is a desktop with one; false when there is none.
bool openWithDesktop(const std::string& path);

} // namespace kav::io
