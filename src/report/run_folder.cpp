#include "report/run_folder.h"

#include <cmath>

namespace sitekit::report {

RunFolder::RunFolder(std::filesystem::path dir, std::string name)
    : dir_(std::move(dir)), name_(std::move(name)) {
  const CsvFile f = load("run-info.csv", "the run's inputs");
  for (const auto& row : f.table.rows)
    if (!row.empty()) info_.emplace_back(row[0], row.size() > 1 ? row[1] : "");
}

std::string RunFolder::info_value(const std::string& k) const {
  for (const auto& [key, value] : info_)
    if (key == k) return value;
  return "";
}

std::optional<double> RunFolder::info_number(const std::string& k) const {
  const double v = parse_number(info_value(k));
  if (std::isfinite(v)) return v;
  return std::nullopt;
}

CsvFile RunFolder::load(const std::string& file, const std::string& shows) {
  CsvFile f = read_csv(dir_ / file);
  switch (f.state) {
    case FileState::ok: break;
    case FileState::missing: note(file + " is missing: no " + shows); break;
    case FileState::empty: note(file + " holds no data: no " + shows); break;
    case FileState::unreadable: note(file + " cannot be read: no " + shows); break;
  }
  return f;
}

void RunFolder::note_nan(const std::string& file, const std::string& column,
                         const std::vector<double>& values) {
  std::size_t bad = 0;
  for (const double v : values) bad += std::isnan(v) ? 1 : 0;
  if (bad > 0)
    note(file + ", column " + column + ": " + std::to_string(bad) + (bad == 1 ? " value is" : " values are") +
         " not a number, shown as gaps");
}

}  // namespace sitekit::report
