#include "cli/run_measures.h"

namespace sitekit::cli {

// Built without the spectra library: the run folder holds the dialogue's
// files and sitekit's own, and runs.csv has no measure columns.
std::string add_run_measures(const std::filesystem::path&, const RunJob&, const records::Record&,
                             const records::SoilProfile&, RunRow&) {
  return {};
}

}  // namespace sitekit::cli
