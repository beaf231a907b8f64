#pragma once
// run-info.csv: what a run folder was computed from (see docs/run-folder.md).
#include <filesystem>
#include <string>

#include "cli/run_job.h"
#include "records/record.h"
#include "records/soil.h"

namespace sitekit::cli {

// The time step and transform length as the dialogue takes them: the
// difference of the first two times in single precision, and the smallest
// power of two, at least 4, that holds the record.
float dialogue_dt(const records::Record& rec);
int dialogue_nf(std::size_t samples);

// The text of run-info.csv.
std::string run_info_text(const RunJob& job, const records::Record& rec,
                          const records::SoilProfile& soil);

// Writes it into `dir`; returns an empty string or why it failed.
std::string write_run_info(const std::filesystem::path& dir, const RunJob& job,
                           const records::Record& rec, const records::SoilProfile& soil);

}  // namespace sitekit::cli
