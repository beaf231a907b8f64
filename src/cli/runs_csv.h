#pragma once
// DIR/runs.csv: one row per run of a call, in the order the runs were given,
// whether they succeeded or not.
#include <string>
#include <vector>

#include "cli/run_job.h"

namespace sitekit::cli {

std::string runs_csv_text(const std::vector<RunRow>& rows);

}  // namespace sitekit::cli
