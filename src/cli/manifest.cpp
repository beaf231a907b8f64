#include "cli/manifest.h"

#include <fmt/format.h>

#include <array>

namespace sitekit::cli {

namespace {

enum Column { record_col, soil_col, options_col, output_col, column_count };
constexpr std::array<std::string_view, column_count> column_names = {"record", "soil", "options",
                                                                     "output"};

std::string trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return std::string(s);
}

std::vector<std::string> words(std::string_view s) {
  std::vector<std::string> w;
  std::string cur;
  for (char c : s) {
    if (c == ' ' || c == '\t') {
      if (!cur.empty()) w.push_back(std::move(cur)), cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) w.push_back(std::move(cur));
  return w;
}

// Where each known column sits in the heading's cells (-1: absent).
std::array<int, column_count> read_heading(const std::vector<std::string>& cells,
                                           const std::string& file, long line) {
  std::array<int, column_count> at;
  at.fill(-1);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const std::string name = trimmed(cells[i]);
    int found = -1;
    for (int c = 0; c < column_count; ++c)
      if (name == column_names[c]) found = c;
    if (found < 0)
      fail_input({file, line, fmt::format("unknown column \"{}\": the columns are record, soil, "
                                          "options and output", name)});
    if (at[found] >= 0) fail_input({file, line, fmt::format("column \"{}\" appears twice", name)});
    at[found] = static_cast<int>(i);
  }
  if (at[record_col] < 0)
    fail_input({file, line, "the heading names no record column (record,soil,options,output)"});
  return at;
}

// A bad band in a file is bad input, not bad usage.
Band manifest_band(std::string_view text, const std::string& file, long line_no) {
  try {
    return parse_band(text, file, line_no);
  } catch (const Failure& f) {
    fail_input(f.problem());
  }
}

bool skipped(std::string_view line) {
  const std::string t = trimmed(line);
  return t.empty() || t.front() == '#';
}

}  // namespace

std::vector<std::string> csv_cells(std::string_view line, const std::string& file, long line_no) {
  std::vector<std::string> cells(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c != '"') cells.back() += c;
      else if (i + 1 < line.size() && line[i + 1] == '"') cells.back() += '"', ++i;
      else quoted = false;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      cells.emplace_back();
    } else if (c != '\r') {
      cells.back() += c;
    }
  }
  if (quoted) fail_input({file, line_no, "a quoted field is not closed on its line"});
  return cells;
}

void parse_run_options(std::string_view cell, const std::string& file, long line_no, ManifestRow& row) {
  const std::vector<std::string> w = words(cell);
  row.has_options = !w.empty();
  for (std::size_t i = 0; i < w.size(); ++i) {
    const std::string& o = w[i];
    if (o == "--integrate" || o == "--differentiate") {
      if (row.shaping != Shaping::none)
        fail_input({file, line_no, "--integrate and --differentiate exclude each other"});
      row.shaping = o == "--integrate" ? Shaping::integrate : Shaping::differentiate;
    } else if (o == "--band" && i + 1 < w.size()) {
      row.band = manifest_band(w[++i], file, line_no);
    } else if (o.rfind("--band=", 0) == 0) {
      row.band = manifest_band(std::string_view(o).substr(7), file, line_no);
    } else {
      fail_input({file, line_no, fmt::format("unknown run option \"{}\": a row may give "
                                             "--integrate, --differentiate and --band", o)});
    }
  }
}

std::vector<ManifestRow> parse_manifest(std::string_view content, const std::string& file) {
  if (content.find('\0') != std::string_view::npos)
    fail_input({file, 0, "holds a NUL byte: not a text file"});
  std::vector<ManifestRow> rows;
  std::array<int, column_count> at{};
  bool have_heading = false;
  long line_no = 0;
  while (!content.empty()) {
    const std::size_t end = content.find('\n');
    const std::string_view line = content.substr(0, end);
    content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
    ++line_no;
    if (skipped(line)) continue;
    const std::vector<std::string> cells = csv_cells(line, file, line_no);
    if (!have_heading) {
      at = read_heading(cells, file, line_no), have_heading = true;
      continue;
    }
    const auto cell = [&](Column c) {
      return at[c] >= 0 && static_cast<std::size_t>(at[c]) < cells.size() ? trimmed(cells[at[c]])
                                                                          : std::string();
    };
    ManifestRow row;
    row.line = line_no;
    row.record = cell(record_col);
    if (row.record.empty()) fail_input({file, line_no, "the record cell is empty"});
    row.soil = cell(soil_col);
    row.output = cell(output_col);
    parse_run_options(cell(options_col), file, line_no, row);
    rows.push_back(std::move(row));
  }
  if (!have_heading) fail_input({file, 0, "is empty: a manifest needs the heading record,soil,options,output"});
  return rows;
}

}  // namespace sitekit::cli
