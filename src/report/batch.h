#pragma once
// The parts of the page that only a batch has: the suite statistics over
// its runs and the table of runs.csv.
#include <string>
#include <utility>
#include <vector>

#include "report/csv_table.h"
#include "report/json_writer.h"
#include "report/sections.h"

namespace sitekit::report {

// Ratio spectra of every run with their median and 16th/84th percentiles,
// per ratio column; the median smoothed amplification factors with the
// same percentiles, per factor.
void write_suite(JsonWriter& json, const std::vector<std::pair<std::string, RunSummary>>& runs);

// runs.csv as text cells (the page sorts them); null when absent.
void write_runs_table(JsonWriter& json, const CsvFile& runs);

}  // namespace sitekit::report
