// The period-list reader of `sitekit spectra --periods FILE` on arbitrary
// bytes.  Whatever the input, the reader returns: either an error with no
// periods, or at least one period, every one finite and >= 0.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "spectra/periods.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const sitekit::spectra::PeriodList l = sitekit::spectra::parse_periods(text);
  if (!l.error.empty() && !l.periods.empty()) std::abort();
  if (l.error.empty() && l.periods.empty()) std::abort();
  if (l.line < 0) std::abort();
  for (double p : l.periods)
    if (!std::isfinite(p) || p < 0.0) std::abort();
  return 0;
}
