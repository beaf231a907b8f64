#pragma once
// The figures of a finished run that runs.csv reports, read back from what
// the computation wrote: the peaks of the output histories from its console
// summary, the largest amplification from "Amp-Factors.csv".
#include <array>
#include <optional>
#include <string_view>

namespace sitekit::cli {

// Largest |value| of each output history (H1, H2, V1), before wave1.csv's
// first-sample shift: max(|Min|, |Max|) of the summary's two lines.
std::optional<std::array<double, 3>> surface_peaks(std::string_view summary);

struct PeakAmplification {
  double sh_hz = 0, sh = 0;    // frequency and height of the largest SH factor
  double psv_hz = 0, psv = 0;  // the same for P-SV
};

// From the columns Samp<wave_type> and Pamp<wave_type>: the ones the run
// applied.  Rows whose frequency field overflowed (asterisks) are skipped.
std::optional<PeakAmplification> peak_amplification(std::string_view amp_factors, int wave_type);

}  // namespace sitekit::cli
