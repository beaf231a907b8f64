#pragma once
// One run of `sitekit run`: what to compute and where, and what came of it.
#include <array>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/shaping.h"

namespace sitekit::cli {

struct RunJob {
  std::vector<std::string> record;  // the RECORD argument (a file, a triplet's file or stem)
  std::string soil;                 // the soil profile file
  Shaping shaping = Shaping::none;
  std::optional<Band> band;
  std::filesystem::path out_dir = ".";
  std::string name;  // the run folder's name under out_dir (the record's name)
};

inline constexpr double not_available = NAN;

// The values of an intensity-measure column, input and surface, per channel.
struct MeasureColumn {
  std::string name;  // e.g. "PGA_cm/s2"
  std::array<double, 3> input{not_available, not_available, not_available};
  std::array<double, 3> surface{not_available, not_available, not_available};
};

struct RunRow {
  std::string record;  // as given
  std::string name;
  std::filesystem::path folder;
  bool ok = false;
  std::string error;  // one line, "FILE:LINE: MESSAGE", when failed
  std::string soil;
  Shaping shaping = Shaping::none;
  std::string band;  // "fL1;fL2;fH1;fH2" or empty
  int wave_type = 0;
  std::string units;  // of the record's accelerations ("cm/s2"; empty for a wave file)
  std::array<double, 3> input_peak{not_available, not_available, not_available};
  std::array<double, 3> surface_peak{not_available, not_available, not_available};
  double sh_hz = not_available, sh = not_available;
  double psv_hz = not_available, psv = not_available;
  std::vector<MeasureColumn> measures;  // empty until the run's spectra exist
  double seconds = 0;
};

// Performs one run: checks the inputs, builds the run folder under a
// temporary name, lets `siteresp` compute in it, adds sitekit's files and
// renames it into place.  Warnings are written as they arise; the error of
// a failed run is in the row (and nothing is left on disk).
RunRow run_one(const RunJob& job, const std::filesystem::path& siteresp);

}  // namespace sitekit::cli
