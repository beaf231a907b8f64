// One run's object on the page: its name and inputs, then the sections in
// the order the page shows them, then the notes on what is missing.
#include "report/sections.h"

namespace sitekit::report {

RunSummary write_run(RunFolder& run, JsonWriter& json, const std::vector<std::string>& runs_heading,
                     const std::vector<std::string>& runs_row) {
  RunSummary summary;
  json.begin_object();
  json.key("name");
  json.string(run.name());
  json.key("info");
  json.begin_array();
  for (const auto& [k, v] : run.info()) {
    json.begin_array();
    json.string(k);
    json.string(v);
    json.end_array();
  }
  json.end_array();
  write_profile(run, json);
  write_amplification(run, json, summary);
  const History input = read_history(run, "input.csv", "input motion");
  const History surface = read_history(run, "wave1.csv", "surface motion");
  write_histories(run, json, input, surface);
  write_fourier(run, json, input);
  write_response_spectra(run, json, summary);
  write_measures(json, input, surface, runs_heading, runs_row);
  json.key("notes");
  json.begin_array();
  for (const auto& n : run.notes()) json.string(n);
  json.end_array();
  json.end_object();
  return summary;
}

}  // namespace sitekit::report
