#pragma once
// Period lists: PEER's default list and lists read from text.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sitekit::spectra {

// PEER's 111 periods of NGA-West2, 0.01 s to 20 s.
std::span<const double> peer_periods();

// PEER's list with period 0 (the peak acceleration) in front: 112 values.
std::vector<double> default_periods();

struct PeriodList {
  std::vector<double> periods;  // in the order written
  std::string error;            // empty when the text was read
  int line = 0;                 // 1-based line of the error, 0 for the whole text
};

// Numbers separated by commas, blanks or line ends, in seconds; '#' starts a
// comment to the end of its line; a first line without digits is a heading
// and skipped.  Every period must be finite and >= 0, at least one is needed.
PeriodList parse_periods(std::string_view text);

}  // namespace sitekit::spectra
