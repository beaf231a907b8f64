// The Fourier section: smoothed Fourier amplitudes of the input (computed
// here from input.csv, shaped as the run shaped the surface motion) and of
// the surface motion (amp1.csv), on one logarithmic frequency grid.
#include <algorithm>
#include <cmath>

#include "report/input_spectrum.h"
#include "report/sections.h"
#include "report/smoothing.h"

namespace sitekit::report {
namespace {

Shaping shaping_of(const RunFolder& run) {
  Shaping s;
  const std::string kind = run.info_value("shaping");
  s.kind = kind == "integrate" ? 1 : kind == "differentiate" ? 2 : 0;
  std::string band = run.info_value("band_hz");
  for (char& c : band)
    if (c == ';') c = ',';
  const auto edges = split_csv_line(band);
  if (edges.size() == 4) {
    std::array<double, 4> b{};
    bool ok = true;
    for (int i = 0; i < 4; ++i) ok = ok && std::isfinite(b[i] = parse_number(edges[i]));
    if (ok) s.band = b;
  }
  return s;
}

}  // namespace

void write_fourier(RunFolder& run, JsonWriter& json, const History& input) {
  json.key("fourier");
  const CsvFile amp1 = run.load("amp1.csv", "Fourier amplitude of the surface motion");
  std::vector<double> f;
  NamedSeries surface;
  if (amp1.state == FileState::ok) {
    f = amp1.table.numbers(0);
    for (std::size_t c = 1; c < amp1.table.rows.front().size(); ++c) {
      surface.emplace_back(c < amp1.table.heading.size() ? amp1.table.heading[c] : "", amp1.table.numbers(c));
      run.note_nan("amp1.csv", surface.back().first, surface.back().second);
    }
  }
  Spectrum in;
  if (input.ok) {
    std::vector<std::vector<double>> ch;
    for (const auto& c : input.channels) ch.push_back(c.second);
    const int nf = static_cast<int>(run.info_number("nf").value_or(0));
    in = input_spectrum(ch, input.dt, nf, shaping_of(run));
  }
  const std::vector<double>& basis = !f.empty() ? f : in.f;
  if (basis.size() < 2) return json.null();
  const double df = basis[0] > 0 ? basis[0] : basis[1];
  const auto grid = log_grid(2 * df, basis.back(), 100);
  json.begin_object();
  json.key("f");
  json.floats(grid);
  // One pass for both when they share the frequency bins (they do unless a
  // file was edited): the window weights are the costly part.
  std::vector<std::vector<double>> ys;
  for (const auto& a : in.amp) ys.push_back(a);
  const bool shared = in.f.size() == f.size() &&
                      std::equal(f.begin(), f.end(), in.f.begin(), [](double a, double b) {
                        return std::fabs(a - b) <= 1e-6 * std::fabs(b);
                      });
  for (const auto& c : surface) ys.push_back(c.second);
  std::vector<std::vector<double>> smooth;
  if (shared) {
    smooth = ko_smooth(f, ys, grid);
  } else {
    smooth = ko_smooth(in.f, {ys.begin(), ys.begin() + static_cast<long>(in.amp.size())}, grid);
    const auto s2 = ko_smooth(f, {ys.begin() + static_cast<long>(in.amp.size()), ys.end()}, grid);
    smooth.insert(smooth.end(), s2.begin(), s2.end());
  }
  NamedSeries smooth_in, smooth_out;
  for (std::size_t j = 0; j < in.amp.size(); ++j) smooth_in.emplace_back(input.channels[j].first, smooth[j]);
  for (std::size_t j = 0; j < surface.size(); ++j)
    smooth_out.emplace_back(surface[j].first, smooth[in.amp.size() + j]);
  json.key("input");
  write_series(json, smooth_in);
  json.key("surface");
  write_series(json, smooth_out);
  json.end_object();
}

}  // namespace sitekit::report
