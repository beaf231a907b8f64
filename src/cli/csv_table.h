#pragma once
// sitekit's own CSV files: one heading line naming every column, values
// separated by commas, no trailing comma, 7 significant digits; written
// whole or not at all.
#include <filesystem>
#include <string>
#include <vector>

namespace sitekit::cli {

struct CsvTable {
  std::vector<std::string> heading;          // one name per column
  std::vector<std::vector<double>> columns;  // all of one length
  // When not empty, a first column of names (one per row) before the
  // values: heading[0] names it.
  std::vector<std::string> row_names;
};

// The file's text: heading, then one row per value.
std::string format_csv(const CsvTable& t);

// Writes `text` to a temporary name beside `path`, then renames it over
// `path`.  Returns an error text (empty on success); on an error nothing is
// left behind.
std::string write_atomically(const std::filesystem::path& path, const std::string& text);

}  // namespace sitekit::cli
