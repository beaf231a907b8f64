#pragma once
// One run folder as the report sees it: its files read on demand, and a note
// for everything that is missing, empty or not a number, which the page
// shows in place of the chart that would have used it.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "report/csv_table.h"

namespace sitekit::report {

class RunFolder {
 public:
  RunFolder(std::filesystem::path dir, std::string name);

  const std::string& name() const { return name_; }
  const std::filesystem::path& dir() const { return dir_; }
  // run-info.csv as read, in file order.
  const std::vector<std::pair<std::string, std::string>>& info() const { return info_; }
  // The value of key `k` in run-info.csv, or "".
  std::string info_value(const std::string& k) const;
  std::optional<double> info_number(const std::string& k) const;

  // Reads `file` from the folder; notes it when it is missing, empty or
  // unreadable (what the chart `shows` then lacks).
  CsvFile load(const std::string& file, const std::string& shows);
  // Notes the count of values in `column` of `file` that are not numbers.
  void note_nan(const std::string& file, const std::string& column, const std::vector<double>& values);
  void note(std::string text) { notes_.push_back(std::move(text)); }
  const std::vector<std::string>& notes() const { return notes_; }

 private:
  std::filesystem::path dir_;
  std::string name_;
  std::vector<std::pair<std::string, std::string>> info_;
  std::vector<std::string> notes_;
};

}  // namespace sitekit::report
