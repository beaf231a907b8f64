#include "cli/csv.h"

#include <fmt/format.h>

#include <cmath>

namespace sitekit::cli {

std::string csv_field(std::string_view s) {
  if (s.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(s);
  std::string q = "\"";
  for (char c : s) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + '"';
}

std::string csv_number(double x) {
  if (std::isnan(x)) return {};
  return fmt::format("{:.9g}", x);
}

}  // namespace sitekit::cli
