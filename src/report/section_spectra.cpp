// The response-spectra section: RespSpec.csv's columns sorted by what they
// hold (input, surface, ratio; see column_role.h), on its period axis.
#include "report/column_role.h"
#include "report/sections.h"

namespace sitekit::report {

void write_response_spectra(RunFolder& run, JsonWriter& json, RunSummary& summary) {
  json.key("rs");
  const CsvFile file = run.load("RespSpec.csv", "response spectra");
  if (file.state != FileState::ok) return json.null();
  const CsvTable& t = file.table;
  NamedSeries groups[4];
  for (std::size_t c = 1; c < t.heading.size(); ++c) {
    const ColumnRole r = column_role(t.heading[c]);
    groups[static_cast<int>(r.role)].emplace_back(t.heading[c], t.numbers(c));
    run.note_nan("RespSpec.csv", t.heading[c], groups[static_cast<int>(r.role)].back().second);
  }
  json.begin_object();
  json.key("T");
  const auto period = t.numbers(0);
  json.floats(period);
  const char* keys[] = {"input", "surface", "ratio", "other"};
  for (int g = 0; g < 4; ++g) {
    json.key(keys[g]);
    write_series(json, groups[g]);
  }
  json.key("units");
  json.string(surface_units(run));
  json.end_object();
  summary.period = period;
  summary.ratio = groups[static_cast<int>(Role::ratio)];
}

}  // namespace sitekit::report
