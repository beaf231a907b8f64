#pragma once
// A comma-separated file as the report reads it: a heading line and rows of
// fields.  The files come from two writers: the dialogue's fixed-width rows
// (labels padded with blanks, a trailing comma, asterisks for values too wide
// for their field) and sitekit's own files (plain CSV, quoted fields where
// a text holds a comma or a quote).  Both read the same way here.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace sitekit::report {

// What became of a file: read, absent, present but without data rows, or
// present but unreadable (a folder, no permission).
enum class FileState { ok, missing, empty, unreadable };

struct CsvTable {
  std::vector<std::string> heading;             // fields of the first line, trimmed
  std::vector<std::vector<std::string>> rows;   // trimmed fields of each later line
  // Column `c` read as numbers: a field that is not a number (blank,
  // asterisks, text) is NaN; a short row gives NaN too.
  std::vector<double> numbers(std::size_t c) const;
  // Index of the first heading equal to `name`, or -1.
  int find(std::string_view name) const;
};

struct CsvFile {
  FileState state = FileState::missing;
  CsvTable table;
};

// Reads `file`.  An empty last field beyond the heading's count (the
// dialogue's trailing comma) is dropped; blank lines are skipped.  `empty` when no data row follows the
// heading.
CsvFile read_csv(const std::filesystem::path& file);

// Splits one line into fields: commas separate, double quotes enclose a
// field that holds commas, and "" inside quotes is one quote.
std::vector<std::string> split_csv_line(std::string_view line);

// The number in `field` (leading '+', Fortran exponents "1.5D-3" and
// "1.5-3" as the dialogue accepts them are not written by any of the
// programs, so not read either), or NaN.
double parse_number(std::string_view field);

}  // namespace sitekit::report
