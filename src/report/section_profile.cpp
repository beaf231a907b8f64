// The profile section: S and P velocities and Q of each layer against depth.
// The soil file is the one the run copied into its folder; its layout is
// the dialogue's (title, angle, wave type, a skipped line, the number of
// layers, a heading, then one row per layer: number, density, Vp, Qp, Fp,
// Vs, Qs, Fs, thickness).
#include <cmath>
#include <fstream>
#include <sstream>

#include "report/sections.h"

namespace sitekit::report {
namespace {

struct Layer {
  double rho = 0, vp = 0, qp = 0, vs = 0, qs = 0, h = 0;
};

// The numbers of one line, separated by commas or blanks; stops at the
// first field that is not a number (a comment after the value).
std::vector<double> numbers_of(const std::string& line) {
  std::vector<double> out;
  std::string field;
  std::string s = line;
  for (char& c : s)
    if (c == ',' || c == '\t' || c == '\r') c = ' ';
  std::istringstream words(s);
  while (words >> field) {
    const double v = parse_number(field);
    if (std::isnan(v)) break;
    out.push_back(v);
  }
  return out;
}

}  // namespace

void write_profile(RunFolder& run, JsonWriter& json) {
  json.key("profile");
  std::ifstream in(run.dir() / "soil.csv");
  if (!in) {
    run.note("soil.csv is missing: no profile");
    return json.null();
  }
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const auto line_numbers = [&](std::size_t i) {
    return i < lines.size() ? numbers_of(lines[i]) : std::vector<double>{};
  };
  const auto angle = line_numbers(1);
  const auto count = line_numbers(4);
  std::vector<Layer> layers;
  const std::size_t n = count.empty() ? 0 : static_cast<std::size_t>(std::max(0.0, count[0]));
  for (std::size_t i = 0; i < n; ++i) {
    const auto v = line_numbers(6 + i);
    if (v.size() < 9) {
      run.note("soil.csv:" + std::to_string(7 + i) + ": layer row has fewer than 9 numbers: profile cut there");
      break;
    }
    layers.push_back({v[1], v[2], v[3], v[5], v[6], v[8]});
  }
  if (layers.empty()) {
    run.note("soil.csv holds no layer: no profile");
    return json.null();
  }
  std::vector<double> top, vs, vp, qs, qp;
  double depth = 0;
  for (const auto& l : layers) {
    top.push_back(depth);
    vs.push_back(l.vs);
    vp.push_back(l.vp);
    qs.push_back(l.qs);
    qp.push_back(l.qp);
    depth += l.h;
  }
  json.begin_object();
  json.key("title");
  json.string(lines.empty() ? "" : lines[0]);
  json.key("angle");
  angle.empty() ? json.null() : json.number(angle[0]);
  json.key("halfspace");
  json.number(top.back());
  const std::pair<const char*, const std::vector<double>*> cols[] = {
      {"top", &top}, {"vs", &vs}, {"vp", &vp}, {"qs", &qs}, {"qp", &qp}};
  for (const auto& [k, v] : cols) {
    json.key(k);
    json.begin_array();
    for (const double x : *v) json.number(x);
    json.end_array();
  }
  json.end_object();
}

}  // namespace sitekit::report
