#include "report/batch.h"

#include <algorithm>
#include <cmath>

#include "report/smoothing.h"
#include "report/suite_stats.h"

namespace sitekit::report {
namespace {

void write_band(JsonWriter& json, const Band& b) {
  json.key("p16");
  json.floats(b.p16);
  json.key("p50");
  json.floats(b.p50);
  json.key("p84");
  json.floats(b.p84);
}

// Ratio curves of every run, column by column, on the periods of the first
// run that has any.
void write_ratio_suite(JsonWriter& json, const std::vector<std::pair<std::string, RunSummary>>& runs) {
  const auto first = std::find_if(runs.begin(), runs.end(), [](const auto& r) { return !r.second.ratio.empty(); });
  if (first == runs.end()) return json.null();
  const std::vector<double>& grid = first->second.period;
  json.begin_object();
  json.key("T");
  json.floats(grid);
  json.key("cols");
  json.begin_array();
  for (const auto& column : first->second.ratio) {
    const std::string& col = column.first;  // named: lambdas cannot capture bindings in clang 14
    json.begin_object();
    json.key("name");
    json.string(col);
    std::vector<std::vector<double>> curves;
    json.key("records");
    json.begin_array();
    for (const auto& [name, s] : runs) {
      const auto it = std::find_if(s.ratio.begin(), s.ratio.end(), [&](const auto& c) { return c.first == col; });
      if (it == s.ratio.end()) continue;
      curves.push_back(interp_log_x(s.period, it->second, grid));
      json.begin_object();
      json.key("name");
      json.string(name);
      json.key("y");
      json.floats(curves.back());
      json.end_object();
    }
    json.end_array();
    write_band(json, percentiles(curves));
    json.end_object();
  }
  json.end_array();
  json.end_object();
}

// Smoothed amplification factors on a logarithmic grid that every run covers.
void write_amp_suite(JsonWriter& json, const std::vector<std::pair<std::string, RunSummary>>& runs) {
  double lo = 0, hi = INFINITY;
  const RunSummary* first = nullptr;
  for (const auto& [name, s] : runs) {
    std::vector<double> f;
    for (const double x : s.amp_f)
      if (std::isfinite(x) && x > 0) f.push_back(x);
    if (f.empty()) continue;
    if (!first) first = &s;
    lo = std::max(lo, *std::min_element(f.begin(), f.end()));
    hi = std::min(hi, *std::max_element(f.begin(), f.end()));
  }
  const auto grid = log_grid(lo, hi, 100);
  if (!first || grid.empty()) return json.null();
  json.begin_object();
  json.key("f");
  json.floats(grid);
  json.key("cols");
  json.begin_array();
  for (const auto& column : first->amp) {
    const std::string& col = column.first;
    std::vector<std::vector<double>> curves;
    for (const auto& [name, s] : runs)
      for (const auto& c : s.amp)
        if (c.first == col) curves.push_back(interp_log_x(s.amp_f, c.second, grid));
    json.begin_object();
    json.key("name");
    json.string(col);
    json.key("n");
    json.number(static_cast<double>(curves.size()));
    write_band(json, percentiles(curves));
    json.end_object();
  }
  json.end_array();
  json.end_object();
}

}  // namespace

void write_suite(JsonWriter& json, const std::vector<std::pair<std::string, RunSummary>>& runs) {
  json.begin_object();
  json.key("ratio");
  write_ratio_suite(json, runs);
  json.key("amp");
  write_amp_suite(json, runs);
  json.end_object();
}

void write_runs_table(JsonWriter& json, const CsvFile& runs) {
  if (runs.state == FileState::missing || runs.state == FileState::unreadable) return json.null();
  json.begin_object();
  json.key("head");
  json.begin_array();
  for (const auto& h : runs.table.heading) json.string(h);
  json.end_array();
  json.key("rows");
  json.begin_array();
  for (const auto& row : runs.table.rows) {
    json.begin_array();
    for (const auto& cell : row) json.string(cell);
    json.end_array();
  }
  json.end_array();
  json.end_object();
}

}  // namespace sitekit::report
