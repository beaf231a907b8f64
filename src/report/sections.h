#pragma once
// The sections of one run's part of the page.  Each writes one member of the
// run's JSON object: its data, or null when the files it needs are missing
// (the folder's notes then say why).
#include <string>
#include <utility>
#include <vector>

#include "report/json_writer.h"
#include "report/run_folder.h"

namespace sitekit::report {

using NamedSeries = std::vector<std::pair<std::string, std::vector<double>>>;

// A three-channel history (input.csv or wave1.csv).
struct History {
  bool ok = false;
  double t0 = 0, dt = 0;
  NamedSeries channels;
};

// What the suite section of a batch takes from each run.
struct RunSummary {
  std::vector<double> period;    // RespSpec.csv
  NamedSeries ratio;             // its ratio columns
  std::vector<double> amp_f;     // smoothed amplification factors
  NamedSeries amp;
};

History read_history(RunFolder& run, const std::string& file, const std::string& shows);

void write_profile(RunFolder& run, JsonWriter& json);
void write_amplification(RunFolder& run, JsonWriter& json, RunSummary& summary);
void write_histories(RunFolder& run, JsonWriter& json, const History& input, const History& surface);
void write_fourier(RunFolder& run, JsonWriter& json, const History& input);
void write_response_spectra(RunFolder& run, JsonWriter& json, RunSummary& summary);
// `record_row`: this run's row of the batch's runs.csv, with its heading.
void write_measures(JsonWriter& json, const History& input, const History& surface,
                    const std::vector<std::string>& heading, const std::vector<std::string>& record_row);

// The whole run object, sections in page order.
RunSummary write_run(RunFolder& run, JsonWriter& json, const std::vector<std::string>& runs_heading,
                     const std::vector<std::string>& runs_row);

// Helpers shared by the sections.
void write_series(JsonWriter& json, const NamedSeries& series);
// The surface motion's units: those of the record, times s after
// integration, over s after differentiation.
std::string surface_units(const RunFolder& run);

}  // namespace sitekit::report
