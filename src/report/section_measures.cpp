// The table of intensity measures: every pair of input/surface columns of
// the run's row in the batch's runs.csv (peaks, PGV, Arias intensity,
// duration ...), each with the ratio surface / input; without such a row,
// the peak of each channel of the input and surface histories themselves.
#include <cmath>

#include "report/column_role.h"
#include "report/sections.h"

namespace sitekit::report {
namespace {

double peak(const std::vector<double>& v) {
  double p = NAN;
  for (const double x : v)
    if (std::isfinite(x) && !(std::fabs(x) <= p)) p = std::fabs(x);
  return p;
}

void row(JsonWriter& json, const std::string& measure, double in, double out) {
  json.begin_array();
  json.string(measure);
  json.number(in);
  json.number(out);
  json.number(in != 0 ? out / in : NAN);
  json.end_array();
}

}  // namespace

void write_measures(JsonWriter& json, const History& input, const History& surface,
                    const std::vector<std::string>& heading, const std::vector<std::string>& record_row) {
  json.key("im");
  json.begin_array();
  const std::size_t n = record_row.empty() ? std::max(input.channels.size(), surface.channels.size()) : 0;
  for (std::size_t c = 0; c < n; ++c) {
    const std::string name = c < input.channels.size() ? input.channels[c].first : surface.channels[c].first;
    row(json, "peak " + name, c < input.channels.size() ? peak(input.channels[c].second) : NAN,
        c < surface.channels.size() ? peak(surface.channels[c].second) : NAN);
  }
  for (std::size_t i = 0; i < heading.size() && i < record_row.size(); ++i) {
    const ColumnRole a = column_role(heading[i]);
    if (a.role != Role::input) continue;
    for (std::size_t j = 0; j < heading.size() && j < record_row.size(); ++j) {
      const ColumnRole b = column_role(heading[j]);
      if (b.role == Role::surface && b.rest == a.rest)
        row(json, a.rest, parse_number(record_row[i]), parse_number(record_row[j]));
    }
  }
  json.end_array();
}

}  // namespace sitekit::report
