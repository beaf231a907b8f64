#include "cli/result_digest.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "records/text.h"

namespace sitekit::cli {

namespace {

bool number(std::string_view s, double& out) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '+')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.remove_suffix(1);
  if (s.empty()) return false;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size();
}

// The three numbers after '=' on the summary line that starts with `label`.
std::optional<std::array<double, 3>> three_after(std::string_view summary, std::string_view label) {
  for (std::string_view line : records::text::split_lines(summary)) {
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    if (line.substr(0, label.size()) != label) continue;
    std::string_view rest = line.substr(line.find('=') + 1);
    std::array<double, 3> v{};
    for (double& x : v) {
      while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
      const std::size_t end = rest.find(' ');
      if (!number(rest.substr(0, end), x)) return std::nullopt;
      rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    }
    return v;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::array<double, 3>> surface_peaks(std::string_view summary) {
  const auto lo = three_after(summary, "Min X, Y and Z");
  const auto hi = three_after(summary, "Max X, Y abd Z");
  if (!lo || !hi) return std::nullopt;
  std::array<double, 3> peak{};
  for (int i = 0; i < 3; ++i) peak[i] = std::max(std::fabs((*lo)[i]), std::fabs((*hi)[i]));
  return peak;
}

std::optional<PeakAmplification> peak_amplification(std::string_view amp_factors, int wave_type) {
  const std::size_t sh_col = wave_type == 2 ? 2 : 1, psv_col = sh_col + 2;
  PeakAmplification p;
  bool any = false;
  const std::vector<std::string_view> lines = records::text::split_lines(amp_factors);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::vector<double> v;
    std::string_view rest = lines[i];
    for (std::size_t c = 0; c < 5; ++c) {
      const std::size_t end = rest.find(',');
      double x;
      if (!number(rest.substr(0, end), x)) break;
      v.push_back(x);
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end + 1);
    }
    if (v.size() < 5) continue;
    if (!any || v[sh_col] > p.sh) p.sh = v[sh_col], p.sh_hz = v[0];
    if (!any || v[psv_col] > p.psv) p.psv = v[psv_col], p.psv_hz = v[0];
    any = true;
  }
  if (!any) return std::nullopt;
  return p;
}

}  // namespace sitekit::cli
