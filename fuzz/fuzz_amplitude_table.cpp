// The amplitude-table reader of `sitekit smooth` on arbitrary bytes, and
// the smoothing of whatever it accepts.  An accepted table has a heading of
// at least two labels, columns as many as labels and all of one length,
// frequencies >= 0 and strictly rising; the smoothing of it returns rows
// of finite values, as many columns as amplitudes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "spectra/smoothing.h"
#include "spectra/table.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sitekit::spectra;
  const AmplitudeTable t = parse_amplitude_table(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!t.error.empty()) return 0;
  if (t.heading.size() < 2 || t.columns.size() != t.heading.size() || t.columns[0].empty()) std::abort();
  for (const auto& c : t.columns)
    if (c.size() != t.columns[0].size()) std::abort();
  const auto& f = t.columns[0];
  for (std::size_t i = 0; i < f.size(); ++i)
    if (f[i] < 0.0 || (i > 0 && !(f[i] > f[i - 1]))) std::abort();
  if (f.size() > 4096) return 0;  // keep each input fast
  const std::vector<std::span<const double>> cols(t.columns.begin() + 1, t.columns.end());
  const Smoothed s = konno_ohmachi(f, cols, f);
  if (s.columns.size() != cols.size()) std::abort();
  for (const auto& c : s.columns)
    if (c.size() != s.freq.size()) std::abort();
  return 0;
}
