#include "cli/runs_csv.h"

#include <fmt/format.h>

#include "cli/csv.h"

namespace sitekit::cli {

namespace {

constexpr const char* channel[3] = {"H1", "H2", "V1"};

// The measure columns come from the first run that has them (every run of
// one build has the same).
const std::vector<MeasureColumn>* measure_names(const std::vector<RunRow>& rows) {
  for (const RunRow& r : rows)
    if (!r.measures.empty()) return &r.measures;
  return nullptr;
}

std::string heading(const std::vector<MeasureColumn>* measures) {
  std::string h = "record,name,status,error,folder,soil,shaping,band_hz,wave_type,units";
  for (const char* c : channel)
    h += fmt::format(",input_peak_{0},surface_peak_{0},peak_ratio_{0}", c);
  h += ",sh_peak_hz,sh_peak,psv_peak_hz,psv_peak";
  if (measures)
    for (const MeasureColumn& m : *measures)
      for (const char* where : {"input", "surface"})
        for (const char* c : channel) h += fmt::format(",{}_{}_{}", m.name, where, c);
  return h + "\n";
}

double ratio(double surface, double input) {
  return input > 0 ? surface / input : not_available;
}

std::string row_text(const RunRow& r, const std::vector<MeasureColumn>* measures) {
  std::string t = fmt::format("{},{},{},{},{},{},{},{},{},{}", csv_field(r.record), csv_field(r.name),
                              r.ok ? "ok" : "failed", csv_field(r.error),
                              r.ok ? csv_field(r.folder.string()) : "", csv_field(r.soil),
                              shaping_name(r.shaping), csv_field(r.band),
                              r.wave_type ? std::to_string(r.wave_type) : "", csv_field(r.units));
  for (int i = 0; i < 3; ++i)
    t += fmt::format(",{},{},{}", csv_number(r.input_peak[i]), csv_number(r.surface_peak[i]),
                     csv_number(ratio(r.surface_peak[i], r.input_peak[i])));
  t += fmt::format(",{},{},{},{}", csv_number(r.sh_hz), csv_number(r.sh), csv_number(r.psv_hz),
                   csv_number(r.psv));
  if (measures)
    for (std::size_t m = 0; m < measures->size(); ++m) {
      const MeasureColumn* mine = m < r.measures.size() ? &r.measures[m] : nullptr;
      for (int side = 0; side < 2; ++side)
        for (int i = 0; i < 3; ++i) {
          t += ',';
          if (mine) t += csv_number(side == 0 ? mine->input[i] : mine->surface[i]);
        }
    }
  return t + "\n";
}

}  // namespace

std::string runs_csv_text(const std::vector<RunRow>& rows) {
  const std::vector<MeasureColumn>* measures = measure_names(rows);
  std::string text = heading(measures);
  for (const RunRow& r : rows) text += row_text(r, measures);
  return text;
}

}  // namespace sitekit::cli
