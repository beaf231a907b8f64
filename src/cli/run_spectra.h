#pragma once
// Spectra of a finished run, written beside the dialogue's result files:
// RespSpec.csv (response spectra of the input and the surface motion, and
// their ratio) and Amp-Factors-KO.csv (the amplification factors smoothed
// with the Konno-Ohmachi window, and the SH/P-SV ratio).  Returns the
// intensity measures of the input and the surface motion for runs.csv and
// summary.txt.
//
// The surface series is the synthesized acceleration itself: the record's
// spectra times the profile's response, band-passed, transformed back, with
// no integration or differentiation and without the first-sample shift of
// wave1.csv.  The input series is the record passed through the same
// shaping with the response set to 1, so that the ratio shows the site
// alone.
#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "spectra/intensity.h"

namespace sitekit::cli {

// One layer of the profile as the computation takes it; the last layer is
// the half-space (its thickness is not used).
struct RunLayer {
  float density = 0, vp = 0, qp = 0, fp = 0, vs = 0, qs = 0, fs = 0, thickness = 0;
};

// What the dialogue's computation was given for one run.
struct RunSpectraInput {
  float dt = 0;                                // time[1] - time[0] of the record
  // H1, H2, V1 as the record holds them; the computation takes each sample
  // rounded to single precision.
  std::array<std::span<const double>, 3> channels;
  std::vector<RunLayer> layers;                // top layer first, half-space last
  float angle_deg = 0;                         // incidence angle in the half-space
  int wave_type = 1;                           // 1 or 2: the column of the responses applied
  bool band = false;                           // trapezoidal band pass on?
  std::array<float, 4> band_hz{};              // fL1, fL2, fH1, fH2 in Hz
  std::string units = "cm/s2";                 // of the record's accelerations
};

struct RunIntensities {
  std::array<spectra::Intensity, 3> input, surface;  // H1, H2, V1
};

struct RunSpectraResult {
  std::string error;  // empty on success; otherwise one line, no program name
  RunIntensities measures;
};

// Writes both files into run_dir (each atomically: a temporary name, then a
// rename).  On an error neither file is left behind.
RunSpectraResult write_run_spectra(const std::filesystem::path& run_dir, const RunSpectraInput& in);

}  // namespace sitekit::cli
