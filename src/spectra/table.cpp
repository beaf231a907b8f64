#include "spectra/table.h"

#include <charconv>
#include <cmath>

#include "spectra/lines.h"

namespace sitekit::spectra {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Comma-separated fields, trimmed; one empty field at the end (a trailing
// comma) is dropped.
std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> f;
  line = trim(line);
  while (true) {
    const std::size_t comma = line.find(',');
    f.push_back(trim(line.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    line = line.substr(comma + 1);
  }
  if (f.size() > 1 && f.back().empty()) f.pop_back();
  return f;
}

bool number(std::string_view s, double& x) {
  if (s.size() > 1 && s[0] == '+' && s[1] != '-') s.remove_prefix(1);
  const auto r = std::from_chars(s.data(), s.data() + s.size(), x);
  return r.ec == std::errc() && r.ptr == s.data() + s.size() && !s.empty();
}

AmplitudeTable refused(long line, std::string message) {
  AmplitudeTable t;
  t.error = std::move(message);
  t.line = line;
  return t;
}

}  // namespace

AmplitudeTable parse_amplitude_table(std::string_view text) {
  AmplitudeTable t;
  long number_of_line = 0;
  bool have_heading = false;
  while (!text.empty()) {
    const std::string_view line = detail::take_line(text);
    ++number_of_line;
    if (trim(line).empty()) continue;
    const std::vector<std::string_view> f = fields(line);
    if (!have_heading) {
      if (f.size() < 2) return refused(number_of_line, "expected a heading of a frequency and at least one amplitude");
      for (std::string_view h : f) t.heading.emplace_back(h);
      t.columns.resize(f.size());
      have_heading = true;
      continue;
    }
    if (f.size() != t.heading.size())
      return refused(number_of_line, "expected " + std::to_string(t.heading.size()) + " values, found " +
                                         std::to_string(f.size()));
    for (std::size_t c = 0; c < f.size(); ++c) {
      double x = 0.0;
      if (!number(f[c], x) || !std::isfinite(x))
        return refused(number_of_line, "field " + std::to_string(c + 1) + ": \"" + std::string(f[c]) + "\" is not a number");
      t.columns[c].push_back(x);
    }
    const std::vector<double>& fr = t.columns[0];
    if (fr.back() < 0.0) return refused(number_of_line, "frequency " + std::string(f[0]) + " is negative");
    if (fr.size() > 1 && !(fr.back() > fr[fr.size() - 2]))
      return refused(number_of_line, "frequency " + std::string(f[0]) + " is not above the one before");
  }
  if (!have_heading) return refused(0, "empty file");
  if (t.columns[0].empty()) return refused(0, "no rows below the heading");
  return t;
}

}  // namespace sitekit::spectra
