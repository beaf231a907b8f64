#include "cli/spectra_options.h"

#include <fmt/format.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

#include "cli/diagnostic.h"
#include "spectra/periods.h"

namespace sitekit::cli {

std::vector<double> parse_damping_option(const std::string& text) {
  std::vector<double> out;
  std::size_t p = 0;
  while (p <= text.size()) {
    const std::size_t comma = std::min(text.find(',', p), text.size());
    const std::string field = text.substr(p, comma - p);
    double z = 0.0;
    const auto r = std::from_chars(field.data(), field.data() + field.size(), z);
    if (field.empty() || r.ec != std::errc() || r.ptr != field.data() + field.size())
      fail_usage({"--damping", 0, fmt::format("\"{}\" is not a number", field)});
    if (!(z >= 0.0 && z < 1.0))
      fail_usage({"--damping", 0, fmt::format("{} is not a damping ratio: expected 0 <= ratio < 1 (0.05 is 5 %)", field)});
    out.push_back(z);
    p = comma + 1;
  }
  return out;
}

std::vector<double> load_periods_option(const std::string& text) {
  if (text == "peer") return spectra::default_periods();
  std::ifstream in(text, std::ios::binary);
  if (!in) fail_usage({"--periods", 0, fmt::format("cannot read \"{}\" (give peer or a file of periods)", text)});
  std::ostringstream all;
  all << in.rdbuf();
  const spectra::PeriodList l = spectra::parse_periods(all.str());
  if (!l.error.empty()) fail_input({text, l.line, l.error});
  return l.periods;
}

double check_bandwidth_option(double b) {
  if (!(b > 0.0) || !std::isfinite(b)) fail_usage({"--bandwidth", 0, fmt::format("{} is not a bandwidth: expected b > 0", b)});
  return b;
}

std::string damping_label(double zeta) { return fmt::format("{:g}", zeta * 100.0); }

}  // namespace sitekit::cli
