#pragma once
// Fourier amplitude of the input record shaped as the run shaped the
// surface motion (the same band-pass trapezoid, the same integration or
// differentiation), so that the input's spectrum and amp1.csv's surface
// spectrum differ by the site alone.  Amplitudes carry the factor dt, as
// amp1.csv's do.
#include <array>
#include <optional>
#include <span>
#include <vector>

namespace sitekit::report {

struct Shaping {
  int kind = 0;                            // 0 none, 1 integrate, 2 differentiate
  std::optional<std::array<double, 4>> band;  // fL1, fL2, fH1, fH2 in Hz
};

struct Spectrum {
  std::vector<double> f;                    // k / (nf dt), k = 1 .. nf/2
  std::vector<std::vector<double>> amp;     // one series per channel
};

// `channels` sampled at `dt`, padded with zeros to `nf` (a power of two not
// below the longest channel; otherwise the next one is taken).
Spectrum input_spectrum(const std::vector<std::vector<double>>& channels, double dt, int nf,
                        const Shaping& shaping);

// Gain of the shaping at `f` Hz (a real factor: the phase does not matter
// to an amplitude).
double shaping_gain(const Shaping& shaping, double f);

}  // namespace sitekit::report
