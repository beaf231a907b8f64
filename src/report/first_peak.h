#pragma once
// The first resonance of an amplification curve: the lowest-frequency local
// maximum that stands out from the curve around it by at least `prominence`
// (its height over the lowest value between it and the start of the curve,
// and over the lowest value between it and the next higher point or the
// end), so ripples and a rising start do not count as a peak.
#include <optional>
#include <span>

namespace sitekit::report {

struct Peak {
  double f = 0;
  double height = 0;
};

std::optional<Peak> first_peak(std::span<const double> f, std::span<const double> y,
                               double prominence = 1.1);

}  // namespace sitekit::report
