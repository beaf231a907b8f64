// sitekit ratio SURFACE BOREHOLE   smoothed Fourier spectral ratio per component
// sitekit ratio --hv RECORD        horizontal-to-vertical ratio
//
// Fourier amplitudes (|FFT| dt, both records zero-padded to one length),
// Konno-Ohmachi smoothed on 100 points per decade, then divided.
#include <fmt/format.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "cli/csv_table.h"
#include "cli/diagnostic.h"
#include "cli/fourier.h"
#include "cli/record_channels.h"
#include "cli/spectra_options.h"
#include "cli/subcommand.h"
#include "spectra/ratio.h"
#include "spectra/smoothing.h"

namespace sitekit::cli {
namespace {

struct RatioOptions {
  std::vector<std::string> records;
  bool hv = false;
  double bandwidth = spectra::default_bandwidth;
  std::string output;
};

// Smoothed amplitude spectra of every channel, on one grid.
spectra::Smoothed smoothed_spectra(const RecordChannels& r, int nf, double b) {
  std::vector<AmplitudeSpectrum> a;
  for (const auto& x : r.data) a.push_back(fourier_amplitude(x, r.dt, nf));
  const std::vector<double>& f = a[0].freq;
  std::vector<std::span<const double>> cols;
  for (const auto& s : a) cols.push_back(s.amp);
  return spectra::konno_ohmachi(f, cols, spectra::log_grid(f[1], f.back()), b);
}

void write_table(const std::filesystem::path& path, const CsvTable& t) {
  const std::string e = write_atomically(path, format_csv(t));
  if (!e.empty()) fail_input({"", 0, e});
}

int surface_over_borehole(const RatioOptions& o, double b) {
  const RecordChannels s = load_record_channels(o.records[0]), d = load_record_channels(o.records[1]);
  if (std::fabs(s.dt - d.dt) > 1e-9 * s.dt)
    fail_input({"", 0, fmt::format("{} and {} differ in time step ({:g} s and {:g} s): resample one with "
                                   "sitekit import --resample", s.source, d.source, s.dt, d.dt)});
  if (s.data.size() != d.data.size())
    fail_input({"", 0, fmt::format("{} has {} channels and {} has {}", s.source, s.data.size(), d.source, d.data.size())});
  const int nf = padded_length(std::max(s.data[0].size(), d.data[0].size()));
  const spectra::Smoothed top = smoothed_spectra(s, nf, b), bottom = smoothed_spectra(d, nf, b);
  CsvTable t;
  t.heading.push_back("frequency_Hz");
  t.columns.push_back(top.freq);
  for (std::size_t c = 0; c < s.data.size(); ++c) {
    t.heading.push_back("ratio_" + s.labels[c]);
    t.columns.push_back(spectra::spectral_ratio(top.columns[c], bottom.columns[c]));
  }
  const std::filesystem::path out = o.output.empty() ? s.name + "-over-" + d.name + "-ratio.csv" : o.output;
  write_table(out, t);
  fmt::print("{} over {}: {}\n", s.source, d.source, out.string());
  return 0;
}

int horizontal_over_vertical(const RatioOptions& o, double b) {
  const RecordChannels r = load_record_channels(o.records[0]);
  if (r.data.size() < 3) fail_input({r.source, 0, "H/V needs two horizontals and a vertical"});
  const spectra::Smoothed s = smoothed_spectra(r, padded_length(r.data[0].size()), b);
  CsvTable t;
  t.heading = {"frequency_Hz", "HV"};
  t.columns = {s.freq, spectra::hv_ratio(s.columns[0], s.columns[1], s.columns[2])};
  const std::filesystem::path out = o.output.empty() ? r.name + "-HV.csv" : o.output;
  write_table(out, t);
  fmt::print("{}: {}\n", r.source, out.string());
  return 0;
}

int run_ratio(const RatioOptions& o) {
  const double b = check_bandwidth_option(o.bandwidth);
  if (o.hv && o.records.size() != 1) fail_usage({"--hv", 0, "takes one record"});
  if (!o.hv && o.records.size() != 2) fail_usage({"ratio", 0, "expected SURFACE BOREHOLE, or --hv RECORD"});
  return o.hv ? horizontal_over_vertical(o, b) : surface_over_borehole(o, b);
}

}  // namespace

CommandRunner add_ratio(CLI::App& app) {
  auto o = std::make_shared<RatioOptions>();
  CLI::App* sub = app.add_subcommand("ratio", "Smoothed spectral ratios: surface over borehole, or H/V");
  sub->add_option("RECORD", o->records, "SURFACE BOREHOLE, or one RECORD with --hv")->required();
  sub->add_flag("--hv", o->hv, "Horizontal-to-vertical ratio of one record");
  sub->add_option("--bandwidth", o->bandwidth, "Konno-Ohmachi b (default 40)");
  sub->add_option("-o", o->output, "Output file");
  return [o] { return run_ratio(*o); };
}

}  // namespace sitekit::cli
