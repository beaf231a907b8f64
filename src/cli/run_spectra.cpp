// RespSpec.csv and Amp-Factors-KO.csv of a finished run.
#include "cli/run_spectra.h"

#include <filesystem>
#include <system_error>
#include <thread>

#include "cli/csv_table.h"
#include "cli/surface_motion.h"
#include "spectra/periods.h"
#include "spectra/ratio.h"
#include "spectra/rotd.h"
#include "spectra/smoothing.h"

namespace sitekit::cli {
namespace {

constexpr double run_damping = 0.05;

template <typename Value>
std::vector<double> column_of(const std::vector<Value>& s, double Value::*field) {
  std::vector<double> v;
  for (const auto& x : s) v.push_back(x.*field);
  return v;
}

// Input, surface and their ratio under one name: "input_PSA_H1_5_cm/s2",
// "surface_PSA_H1_5_cm/s2", "ratio_PSA_H1_5".  The unit is named where the
// record states it (imported records are in cm/s2); a wave file states none.
void add_triple(CsvTable& t, const std::string& what, const std::string& units, std::vector<double> in,
                std::vector<double> out) {
  std::vector<double> ratio = spectra::spectral_ratio(out, in);
  const std::string unit = units.empty() ? "" : "_" + units;
  t.heading.push_back("input_" + what + unit);
  t.heading.push_back("surface_" + what + unit);
  t.heading.push_back("ratio_" + what);
  t.columns.push_back(std::move(in));
  t.columns.push_back(std::move(out));
  t.columns.push_back(std::move(ratio));
}

// The spectra of one side (the input or the surface series): RotD of the
// horizontals, which brings the three single spectra in the same pass, and
// the intensity measures of the three.
struct SideSpectra {
  std::vector<spectra::RotDValue> spectra;
  std::array<spectra::Intensity, 3> measures;
};

SideSpectra side_spectra(const std::array<std::vector<double>, 3>& a, double dt, const std::vector<double>& periods) {
  SideSpectra s{spectra::rotd_spectrum(a[0], a[1], dt, periods, run_damping, 1, a[2]), {}};
  for (int c = 0; c < 3; ++c) s.measures[c] = spectra::intensity(a[c], dt);
  return s;
}

CsvTable response_spectra(const RunMotion& m, const std::string& u, RunIntensities& measures) {
  const std::vector<double> periods = spectra::default_periods();
  CsvTable t;
  t.heading.push_back("period_s");
  t.columns.push_back(periods);
  // The two sides are the same work, one on each core.
  SideSpectra out;
  std::jthread surface([&] { out = side_spectra(m.surface, m.dt, periods); });
  const SideSpectra in = side_spectra(m.input, m.dt, periods);
  surface.join();
  using spectra::RotDValue;
  add_triple(t, "PSA_H1_5", u, column_of(in.spectra, &RotDValue::psa1), column_of(out.spectra, &RotDValue::psa1));
  add_triple(t, "PSA_H2_5", u, column_of(in.spectra, &RotDValue::psa2), column_of(out.spectra, &RotDValue::psa2));
  add_triple(t, "PSA_V1_5", u, column_of(in.spectra, &RotDValue::psa3), column_of(out.spectra, &RotDValue::psa3));
  add_triple(t, "RotD50_5", u, column_of(in.spectra, &RotDValue::rotd50), column_of(out.spectra, &RotDValue::rotd50));
  measures = {in.measures, out.measures};
  return t;
}

CsvTable smoothed_amplification(const RunMotion& m) {
  const std::vector<std::span<const double>> cols(m.amp.begin(), m.amp.end());
  const double fmin = m.freq.size() > 1 ? m.freq[1] : 1.0;
  const std::vector<double> grid = spectra::log_grid(fmin, m.freq.empty() ? 0.0 : m.freq.back());
  spectra::Smoothed s = spectra::konno_ohmachi(m.freq, cols, grid);
  CsvTable t;
  t.heading = {"frequency_Hz", "Samp1", "Samp2", "Pamp1", "Pamp2", "SH_PSV1", "SH_PSV2"};
  t.columns.push_back(s.freq);
  t.columns.push_back(spectra::spectral_ratio(s.columns[0], s.columns[2]));
  t.columns.push_back(spectra::spectral_ratio(s.columns[1], s.columns[3]));
  for (int j = 3; j >= 0; --j) t.columns.insert(t.columns.begin() + 1, std::move(s.columns[j]));
  return t;
}

}  // namespace

RunSpectraResult write_run_spectra(const std::filesystem::path& run_dir, const RunSpectraInput& in) {
  RunSpectraResult r;
  const RunMotion m = synthesize_motion(in);
  if (!m.error.empty()) {
    r.error = m.error;
    return r;
  }
  const std::filesystem::path resp_file = run_dir / "RespSpec.csv", ko = run_dir / "Amp-Factors-KO.csv";
  CsvTable smoothed;
  std::jthread smoothing([&] { smoothed = smoothed_amplification(m); });
  const CsvTable spectra_table = response_spectra(m, in.units, r.measures);
  smoothing.join();
  r.error = write_atomically(resp_file, format_csv(spectra_table));
  if (r.error.empty()) r.error = write_atomically(ko, format_csv(smoothed));
  if (!r.error.empty()) {
    std::error_code ignored;
    std::filesystem::remove(resp_file, ignored);
    r.measures = {};
    return r;
  }
  return r;
}

}  // namespace sitekit::cli
