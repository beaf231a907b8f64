// The amplification section: the four factors of Amp-Factors.csv (SH and
// P-SV, to the incident wave and to the motion in the bedrock), raw and
// smoothed, the first peak of each, and which column the run used (wave
// type 1: the incident wave; 2: the motion recorded in the bedrock).
#include <cmath>

#include "report/first_peak.h"
#include "report/sections.h"
#include "report/smoothing.h"

namespace sitekit::report {
namespace {

// Columns 1.. of `t` named by the heading (or "column N").
NamedSeries value_columns(const CsvTable& t, RunFolder& run, const std::string& file) {
  NamedSeries out;
  const std::size_t ncol = t.rows.empty() ? 0 : t.rows.front().size();
  for (std::size_t c = 1; c < ncol; ++c) {
    const std::string name = c < t.heading.size() && !t.heading[c].empty() ? t.heading[c]
                                                                      : "column " + std::to_string(c + 1);
    out.emplace_back(name, t.numbers(c));
    run.note_nan(file, name, out.back().second);
  }
  return out;
}

// Smoothed factors: Amp-Factors-KO.csv when the run wrote it, otherwise the
// raw factors smoothed here the same way.
std::pair<std::vector<double>, NamedSeries> smoothed(RunFolder& run, const std::vector<double>& f,
                                                     const NamedSeries& raw) {
  const CsvFile ko = read_csv(run.dir() / "Amp-Factors-KO.csv");
  if (ko.state == FileState::ok) return {ko.table.numbers(0), value_columns(ko.table, run, "Amp-Factors-KO.csv")};
  double df = 0, fmax = 0;
  for (std::size_t i = 1; i < f.size(); ++i)
    if (std::isfinite(f[i]) && f[i] > 0) {
      if (df == 0) df = f[i];
      fmax = f[i];
    }
  const auto grid = log_grid(2 * df, fmax, 100);
  std::vector<std::vector<double>> ys;
  for (const auto& s : raw) ys.push_back(s.second);
  const auto sm = ko_smooth(f, ys, grid);
  NamedSeries out;
  for (std::size_t j = 0; j < raw.size(); ++j) out.emplace_back(raw[j].first, sm[j]);
  return {grid, out};
}

}  // namespace

void write_series(JsonWriter& json, const NamedSeries& series) {
  json.begin_array();
  for (const auto& [name, values] : series) {
    json.begin_object();
    json.key("name");
    json.string(name);
    json.key("y");
    json.floats(values);
    json.end_object();
  }
  json.end_array();
}

void write_amplification(RunFolder& run, JsonWriter& json, RunSummary& summary) {
  json.key("amp");
  const CsvFile file = run.load("Amp-Factors.csv", "amplification factors");
  if (file.state != FileState::ok || file.table.rows.front().size() < 2) return json.null();
  const auto f = file.table.numbers(0);
  const NamedSeries raw = value_columns(file.table, run, "Amp-Factors.csv");
  auto [sf, smooth] = smoothed(run, f, raw);
  json.begin_object();
  json.key("f");
  json.floats(f);
  json.key("raw");
  write_series(json, raw);
  json.key("sf");
  json.floats(sf);
  json.key("smooth");
  write_series(json, smooth);
  json.key("used");
  const auto type = run.info_number("wave_type");
  type ? json.number(*type) : json.null();
  json.key("peaks");
  json.begin_array();
  for (const auto& [name, y] : raw) {
    const auto p = first_peak(f, y);
    if (!p) continue;
    json.begin_object();
    json.key("name");
    json.string(name);
    json.key("f");
    json.number(p->f);
    json.key("a");
    json.number(p->height);
    json.end_object();
  }
  json.end_array();
  json.end_object();
  summary.amp_f = std::move(sf);
  summary.amp = std::move(smooth);
}

}  // namespace sitekit::report
