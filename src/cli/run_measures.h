#pragma once
// The run's spectra and intensity measures (RespSpec.csv,
// Amp-Factors-KO.csv, the measure columns of runs.csv), when sitekit is
// built with its spectra library.
#include <filesystem>
#include <string>

#include "cli/run_job.h"
#include "records/record.h"
#include "records/soil.h"

namespace sitekit::cli {

// Writes the spectra files into `dir` and fills row.measures; returns an
// empty string or the one-line error.
std::string add_run_measures(const std::filesystem::path& dir, const RunJob& job,
                             const records::Record& rec, const records::SoilProfile& soil,
                             RunRow& row);

}  // namespace sitekit::cli
