#pragma once
// Options shared by the spectra, smooth and ratio commands, checked into
// values or a one-line usage error.
#include <string>
#include <vector>

namespace sitekit::cli {

// "0.05" or "0.05,0.02": every damping ratio in [0, 1).
std::vector<double> parse_damping_option(const std::string& text);

// "peer" (period 0 and PEER's 111) or a file of periods.
std::vector<double> load_periods_option(const std::string& text);

// A Konno-Ohmachi bandwidth b > 0.
double check_bandwidth_option(double b);

// The damping ratio as the columns name it: 0.05 -> "5", 0.025 -> "2.5".
std::string damping_label(double zeta);

}  // namespace sitekit::cli
