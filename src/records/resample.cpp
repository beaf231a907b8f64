// Resampling with libsoxr: a linear-phase, very-high-quality (28-bit, about
// 170 dB) low-pass whose pass band ends at resample_pass_band and whose stop
// band starts at resample_stop_band of the new Nyquist frequency.
#include "resample.h"

#include <cmath>

#include <fmt/format.h>
#include <soxr.h>

namespace sitekit::records {

Result<std::vector<double>> resample(const std::vector<double>& x, double dt, double new_dt) {
  if (!(dt > 0) || !(new_dt > dt))
    return Error{"", 0, fmt::format("--resample {:g} s must be coarser than the record's interval, {:g} s", new_dt, dt)};
  const double in_rate = 1.0 / dt, out_rate = 1.0 / new_dt;
  const auto n = static_cast<std::size_t>(std::llround(static_cast<double>(x.size()) * out_rate / in_rate));
  std::vector<double> y(n);
  if (n == 0) return y;
  const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT64_I, SOXR_FLOAT64_I);
  soxr_quality_spec_t q = soxr_quality_spec(SOXR_VHQ, SOXR_LINEAR_PHASE);
  q.passband_end = resample_pass_band;
  q.stopband_begin = resample_stop_band;
  std::size_t used = 0, made = 0;
  const soxr_error_t e = soxr_oneshot(in_rate, out_rate, 1, x.data(), x.size(), &used, y.data(), n, &made, &io, &q, nullptr);
  if (e) return Error{"", 0, fmt::format("resampling failed: {}", e)};
  y.resize(made);
  return y;
}

}  // namespace sitekit::records
