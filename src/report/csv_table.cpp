#include "report/csv_table.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

namespace sitekit::report {

namespace {

std::string_view trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

std::vector<std::string> split_csv_line(std::string_view line) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"' && trim(field).empty()) {
      field.clear();
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back(trim(field));
      field.clear();
    } else {
      field += c;
    }
  }
  fields.emplace_back(quoted ? field : std::string(trim(field)));
  return fields;
}

double parse_number(std::string_view field) {
  field = trim(field);
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  double v = std::numeric_limits<double>::quiet_NaN();
  if (field.empty()) return v;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
  if (ec != std::errc() || end != field.data() + field.size())
    return std::numeric_limits<double>::quiet_NaN();
  return v;
}

std::vector<double> CsvTable::numbers(std::size_t c) const {
  std::vector<double> out;
  out.reserve(rows.size());
  for (const auto& row : rows)
    out.push_back(c < row.size() ? parse_number(row[c]) : std::numeric_limits<double>::quiet_NaN());
  return out;
}

int CsvTable::find(std::string_view name) const {
  for (std::size_t i = 0; i < heading.size(); ++i)
    if (heading[i] == name) return static_cast<int>(i);
  return -1;
}

CsvFile read_csv(const std::filesystem::path& file) {
  CsvFile out;
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return out;
  out.state = FileState::unreadable;
  if (!std::filesystem::is_regular_file(file, ec)) return out;
  std::ifstream in(file, std::ios::binary);
  if (!in) return out;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t pos = 0;
  bool have_heading = false;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + pos, end - pos);
    pos = end + 1;
    if (trim(line).empty()) continue;
    if (!have_heading) {
      out.table.heading = split_csv_line(line);
      have_heading = true;
    } else {
      out.table.rows.push_back(split_csv_line(line));
    }
  }
  // The dialogue ends its spectrum rows with a comma: an empty field beyond
  // the heading's count is that comma, not a column.
  for (auto& row : out.table.rows)
    if (row.size() > out.table.heading.size() && row.size() > 1 && row.back().empty()) row.pop_back();
  out.state = out.table.rows.empty() ? FileState::empty : FileState::ok;
  return out;
}

}  // namespace sitekit::report
