#include "cli/result_digest.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "records/text.h"

namespace sitekit::cli {

namespace {

// A number as the dialogue edits it ("0.2000E+01", "  1.0864"): at most 15
// digits, so the digits are an exact integer m, and an exponent that makes
// the scale an exact power of ten p; m*p or m/p then rounds once, to the
// number from_chars gives.  False for every other form.
bool edited_number(std::string_view s, double& out) {
  static constexpr double tens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  std::size_t i = 0;
  const bool negative = i < s.size() && s[i] == '-';
  if (negative) ++i;
  std::int64_t m = 0;
  int digits = 0, scale = 0;
  bool point = false;
  for (; i < s.size() && digits <= 15; ++i) {
    if (s[i] == '.' && !point) point = true;
    else if (s[i] >= '0' && s[i] <= '9') m = 10 * m + (s[i] - '0'), ++digits, scale -= point;
    else break;
  }
  if (digits == 0 || digits > 15) return false;
  if (i < s.size()) {
    if ((s[i] != 'E' && s[i] != 'e') || i + 2 >= s.size() || (s[i + 1] != '+' && s[i + 1] != '-')) return false;
    int e = 0;
    for (std::size_t k = i + 2; k < s.size(); ++k) {
      if (s[k] < '0' || s[k] > '9' || e > 99) return false;
      e = 10 * e + (s[k] - '0');
    }
    scale += s[i + 1] == '-' ? -e : e;
  }
  if (scale < -22 || scale > 22) return false;
  const double v = static_cast<double>(m);
  out = scale < 0 ? v / tens[-scale] : v * tens[scale];
  if (negative) out = -out;
  return true;
}

bool number(std::string_view s, double& out) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '+')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.remove_suffix(1);
  if (s.empty()) return false;
  if (edited_number(s, out)) return true;
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
  records::text::LineReader lines(amp_factors);
  std::string_view line;
  lines.next(line);  // the heading
  while (lines.next(line)) {
    double v[5];
    std::size_t c = 0;
    for (; c < 5; ++c) {
      const std::size_t end = line.find(',');
      if (!number(line.substr(0, end), v[c])) break;
      line.remove_prefix(end == std::string_view::npos ? line.size() : end + 1);
      if (end == std::string_view::npos) {
        ++c;
        break;
      }
    }
    if (c < 5) continue;
    if (!any || v[sh_col] > p.sh) p.sh = v[sh_col], p.sh_hz = v[0];
    if (!any || v[psv_col] > p.psv) p.psv = v[psv_col], p.psv_hz = v[0];
    any = true;
  }
  if (!any) return std::nullopt;
  return p;
}

}  // namespace sitekit::cli
