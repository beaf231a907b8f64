// The histories section: input.csv (the record as the computation got it)
// and wave1.csv (the surface motion), each three channels on one time axis.
// wave1.csv's time column is not trusted past its first two rows: the
// dialogue writes the zero-padded tail of its window with time 0, so the
// axis is t0 + k dt throughout.
#include <cmath>

#include "report/sections.h"

namespace sitekit::report {

History read_history(RunFolder& run, const std::string& file, const std::string& shows) {
  History h;
  const CsvFile f = run.load(file, shows);
  if (f.state != FileState::ok) return h;
  const auto t = f.table.numbers(0);
  if (t.size() >= 2 && std::isfinite(t[0]) && std::isfinite(t[1]) && t[1] > t[0]) {
    h.t0 = t[0];
    h.dt = t[1] - t[0];
  } else {
    run.note(file + ": the first two times give no time step: no " + shows);
    return h;
  }
  const std::size_t ncol = f.table.rows.front().size();
  for (std::size_t c = 1; c < ncol; ++c) {
    const std::string name = c < f.table.heading.size() && !f.table.heading[c].empty()
                                 ? f.table.heading[c]
                                 : "column " + std::to_string(c + 1);
    h.channels.emplace_back(name, f.table.numbers(c));
    run.note_nan(file, name, h.channels.back().second);
  }
  h.ok = !h.channels.empty();
  return h;
}

std::string surface_units(const RunFolder& run) {
  const std::string units = run.info_value("units");
  const std::string shaping = run.info_value("shaping");
  if (units.empty()) return "";
  if (shaping == "integrate") return units + "\u00b7s";
  if (shaping == "differentiate") return units + "/s";
  return units;
}

namespace {

void write_history(JsonWriter& json, const History& h) {
  if (!h.ok) return json.null();
  json.begin_object();
  json.key("t0");
  json.number(h.t0);
  json.key("dt");
  json.number(h.dt);
  json.key("ch");
  write_series(json, h.channels);
  json.end_object();
}

}  // namespace

void write_histories(RunFolder& run, JsonWriter& json, const History& input, const History& surface) {
  json.key("hist");
  if (!input.ok && !surface.ok) return json.null();
  json.begin_object();
  json.key("input");
  write_history(json, input);
  json.key("surface");
  write_history(json, surface);
  json.key("units_in");
  json.string(run.info_value("units"));
  json.key("units_out");
  json.string(surface_units(run));
  json.end_object();
}

}  // namespace sitekit::report
