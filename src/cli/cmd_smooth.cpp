// sitekit smooth FILE [--bandwidth 40] [--grid log|native] [-o OUT]
//
// Konno-Ohmachi smoothing of every amplitude column of a CSV whose first
// column is a frequency in Hz; the output keeps the input's headings and
// goes to FILE-KO.csv (FILE without its extension) unless -o is given.
#include <fmt/format.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include "cli/csv_table.h"
#include "cli/diagnostic.h"
#include "cli/spectra_options.h"
#include "cli/subcommand.h"
#include "spectra/smoothing.h"
#include "spectra/table.h"

namespace sitekit::cli {
namespace {

struct SmoothOptions {
  std::string file;
  double bandwidth = spectra::default_bandwidth;
  std::string grid = "log";
  std::string output;
};

spectra::AmplitudeTable read_table(const std::string& file) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) fail_input({file, 0, "is a directory"});
  std::ifstream in(file, std::ios::binary);
  if (!in) fail_input({file, 0, "cannot be read"});
  std::ostringstream all;
  all << in.rdbuf();
  spectra::AmplitudeTable t = spectra::parse_amplitude_table(all.str());
  if (!t.error.empty()) fail_input({file, t.line, t.error});
  return t;
}

std::vector<double> centres(const std::vector<double>& freq, const std::string& grid) {
  if (grid == "native") return freq;
  const auto first = std::find_if(freq.begin(), freq.end(), [](double f) { return f > 0.0; });
  if (first == freq.end()) return {};
  return spectra::log_grid(*first, freq.back());
}

int run_smooth(const SmoothOptions& o) {
  const double b = check_bandwidth_option(o.bandwidth);
  const spectra::AmplitudeTable t = read_table(o.file);
  const std::vector<std::span<const double>> cols(t.columns.begin() + 1, t.columns.end());
  const spectra::Smoothed s = spectra::konno_ohmachi(t.columns[0], cols, centres(t.columns[0], o.grid), b,
                                                     std::max(1u, std::thread::hardware_concurrency()));
  if (s.freq.empty()) fail_input({o.file, 0, "no frequency where the window sees enough data to smooth"});
  CsvTable out;
  out.heading = t.heading;
  out.columns.push_back(s.freq);
  out.columns.insert(out.columns.end(), s.columns.begin(), s.columns.end());
  std::filesystem::path path = o.output;
  if (path.empty()) {
    path = o.file;
    path.replace_filename(path.stem().string() + "-KO.csv");
  }
  const std::string e = write_atomically(path, format_csv(out));
  if (!e.empty()) fail_input({"", 0, e});
  fmt::print("{}: {} ({} rows)\n", o.file, path.string(), s.freq.size());
  return 0;
}

}  // namespace

CommandRunner add_smooth(CLI::App& app) {
  auto o = std::make_shared<SmoothOptions>();
  CLI::App* sub = app.add_subcommand("smooth", "Konno-Ohmachi smoothing of amplitude spectra in a CSV file");
  sub->add_option("FILE", o->file, "CSV: frequency in Hz, then amplitude columns")->required();
  sub->add_option("--bandwidth", o->bandwidth, "Konno-Ohmachi b (default 40)");
  sub->add_option("--grid", o->grid, "log (100 points per decade) or native (the file's frequencies)")
      ->check(CLI::IsMember({"log", "native"}));
  sub->add_option("-o", o->output, "Output file (default FILE-KO.csv)");
  return [o] { return run_smooth(*o); };
}

}  // namespace sitekit::cli
