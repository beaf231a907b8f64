#include "spectra/periods.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "spectra/lines.h"

namespace sitekit::spectra {
namespace {

constexpr double peer[] = {
    0.01,  0.02,  0.022, 0.025, 0.029, 0.03, 0.032, 0.035, 0.036, 0.04, 0.042, 0.044, 0.045,
    0.046, 0.048, 0.05,  0.055, 0.06,  0.065, 0.067, 0.07, 0.075, 0.08, 0.085, 0.09, 0.095,
    0.1,   0.11,  0.12,  0.13,  0.133, 0.14,  0.15, 0.16,  0.17,  0.18, 0.19, 0.2,  0.22,
    0.24,  0.25,  0.26,  0.28,  0.29,  0.3,   0.32, 0.34,  0.35,  0.36, 0.38, 0.4,  0.42,
    0.44,  0.45,  0.46,  0.48,  0.5,   0.55,  0.6,  0.65,  0.667, 0.7,  0.75, 0.8,  0.85,
    0.9,   0.95,  1.0,   1.1,   1.2,   1.3,   1.4,  1.5,   1.6,   1.7,  1.8,  1.9,  2.0,
    2.2,   2.4,   2.5,   2.6,   2.8,   3.0,   3.2,  3.4,   3.5,   3.6,  3.8,  4.0,  4.2,
    4.4,   4.6,   4.8,   5.0,   5.5,   6.0,   6.5,  7.0,   7.5,   8.0,  8.5,  9.0,  9.5,
    10.0,  11.0,  12.0,  13.0,  14.0,  15.0,  20.0};
static_assert(std::size(peer) == 111);

bool separator(char c) { return c == ',' || c == ' ' || c == '\t' || c == '\r'; }

std::string_view strip_comment(std::string_view line) {
  const std::size_t hash = line.find('#');
  return hash == std::string_view::npos ? line : line.substr(0, hash);
}

bool has_digit(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

std::string quoted(std::string_view s) {
  std::string q;
  q.reserve(s.size() + 2);
  q.append(1, '"').append(s).append(1, '"');
  return q;
}

// Reads the fields of one line into out; an error text names the field.
std::string read_line(std::string_view line, std::vector<double>& out) {
  std::size_t p = 0;
  while (p < line.size()) {
    while (p < line.size() && separator(line[p])) ++p;
    std::size_t e = p;
    while (e < line.size() && !separator(line[e])) ++e;
    if (e == p) break;
    const std::string_view field = line.substr(p, e - p);
    // from_chars takes no leading '+'; a period written "+0.5" is still 0.5.
    const std::string_view digits = field.size() > 1 && field[0] == '+' && field[1] != '-' ? field.substr(1) : field;
    double x = 0.0;
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), x);
    if (r.ec != std::errc() || r.ptr != digits.data() + digits.size())
      return quoted(field) + " is not a number";
    if (!std::isfinite(x) || x < 0.0) return "period " + quoted(field) + " is not a finite number >= 0";
    out.push_back(x);
    p = e;
  }
  return {};
}

}  // namespace

std::span<const double> peer_periods() { return peer; }

std::vector<double> default_periods() {
  std::vector<double> v{0.0};
  v.insert(v.end(), std::begin(peer), std::end(peer));
  return v;
}

PeriodList parse_periods(std::string_view text) {
  PeriodList list;
  int number = 0;
  bool first = true;
  while (!text.empty()) {
    ++number;
    const std::string_view line = strip_comment(detail::take_line(text));
    const bool heading = first && !has_digit(line) && line.find_first_not_of(" \t\r,") != std::string_view::npos;
    if (line.find_first_not_of(" \t\r,") != std::string_view::npos) first = false;
    if (heading) continue;
    list.error = read_line(line, list.periods);
    if (!list.error.empty()) {
      list.line = number;
      list.periods.clear();
      return list;
    }
  }
  if (list.periods.empty()) list.error = "no periods";
  return list;
}

}  // namespace sitekit::spectra
