#pragma once
// Resampling to a coarser interval with an anti-alias low-pass (libsoxr).
#include <vector>

#include "diagnostic.h"

namespace sitekit::records {

// Pass band and stop band as fractions of the new Nyquist frequency
// 1/(2*new_dt): below pass_band the amplitude is kept (within 0.1 %), from
// stop_band on it is attenuated by more than 100 dB, in between it rolls
// off.  Linear phase: no delay is added.
inline constexpr double resample_pass_band = 0.85;
inline constexpr double resample_stop_band = 1.0;

// `x` sampled every `dt` seconds, resampled every `new_dt` > dt seconds.
// The result has round(n*dt/new_dt) samples.
Result<std::vector<double>> resample(const std::vector<double>& x, double dt, double new_dt);

}  // namespace sitekit::records
