// sitekit spectra RECORD... [--damping 0.05[,0.02,...]] [--periods peer|FILE] [--rotd] [-o FILE]
//
// Per record a file of response spectra, heading
//   period_s,PSA_H1_5,PSA_H2_5,PSA_V1_5,...[,RotD50_5,RotD100_5...]
// (one column per channel and damping, channels by position), the first row
// period 0 with the peak accelerations; and beside it NAME-IM.csv with the
// intensity measures of each channel.
#include <fmt/format.h>

#include <filesystem>
#include <memory>
#include <thread>

#include "cli/csv_table.h"
#include "cli/diagnostic.h"
#include "cli/record_channels.h"
#include "cli/spectra_options.h"
#include "cli/subcommand.h"
#include "spectra/intensity.h"
#include "spectra/rotd.h"
#include "spectra/spectrum.h"

namespace sitekit::cli {
namespace {

struct SpectraOptions {
  std::vector<std::string> records;
  std::string damping = "0.05";
  std::string periods = "peer";
  bool rotd = false;
  std::string output;
};

unsigned threads() { return std::max(1u, std::thread::hardware_concurrency()); }

CsvTable spectra_table(const RecordChannels& r, const std::vector<double>& periods,
                       const std::vector<double>& dampings, bool rotd) {
  CsvTable t;
  t.heading.push_back("period_s");
  t.columns.push_back(periods);
  for (std::size_t c = 0; c < r.data.size(); ++c)
    for (double z : dampings) {
      std::vector<double> psa;
      for (const auto& v : spectra::response_spectrum(r.data[c], r.dt, periods, z, threads())) psa.push_back(v.psa);
      t.heading.push_back(fmt::format("PSA_{}_{}", r.labels[c], damping_label(z)));
      t.columns.push_back(std::move(psa));
    }
  if (rotd)
    for (double z : dampings) {
      std::vector<double> r50, r100;
      for (const auto& v : spectra::rotd_spectrum(r.data[0], r.data[1], r.dt, periods, z, threads()))
        r50.push_back(v.rotd50), r100.push_back(v.rotd100);
      t.heading.push_back("RotD50_" + damping_label(z));
      t.heading.push_back("RotD100_" + damping_label(z));
      t.columns.push_back(std::move(r50));
      t.columns.push_back(std::move(r100));
    }
  return t;
}

CsvTable intensity_table(const RecordChannels& r) {
  const bool cgs = r.units == "cm/s2";
  CsvTable t;
  t.heading = cgs ? std::vector<std::string>{"channel", "PGA_cm/s2", "PGV_cm/s", "PGD_cm", "Arias_cm/s",
                                             "D5_95_s", "CAV_cm/s"}
                  : std::vector<std::string>{"channel", "PGA", "PGV", "PGD", "Arias", "D5_95_s", "CAV"};
  t.columns.resize(6);
  for (std::size_t c = 0; c < r.data.size(); ++c) {
    const spectra::Intensity m = spectra::intensity(r.data[c], r.dt);
    const double row[] = {m.pga, m.pgv, m.pgd, m.arias, m.d5_95, m.cav};
    for (int j = 0; j < 6; ++j) t.columns[j].push_back(row[j]);
    t.row_names.push_back(r.labels[c]);
  }
  return t;
}

void write_or_fail(const std::filesystem::path& path, const CsvTable& t) {
  const std::string e = write_atomically(path, format_csv(t));
  if (!e.empty()) fail_input({"", 0, e});
}

int run_spectra_command(const SpectraOptions& o) {
  const std::vector<double> dampings = parse_damping_option(o.damping);
  const std::vector<double> periods = load_periods_option(o.periods);
  if (!o.output.empty() && o.records.size() > 1)
    fail_usage({"-o", 0, "names one output file: give one record, or leave -o out"});
  for (const std::string& arg : o.records) {
    const RecordChannels r = load_record_channels(arg);
    if (o.rotd && r.data.size() < 2)
      fail_input({arg, 0, "--rotd needs two horizontal components; this record has one"});
    const std::filesystem::path out = o.output.empty() ? r.name + "-spectra.csv" : o.output;
    std::filesystem::path im = out;
    im.replace_filename(out.stem().string() + "-IM.csv");
    write_or_fail(out, spectra_table(r, periods, dampings, o.rotd));
    write_or_fail(im, intensity_table(r));
    fmt::print("{}: {} and {}\n", arg, out.string(), im.string());
  }
  return 0;
}

}  // namespace

CommandRunner add_spectra(CLI::App& app) {
  auto o = std::make_shared<SpectraOptions>();
  CLI::App* sub = app.add_subcommand("spectra", "Response spectra and intensity measures of records");
  sub->add_option("RECORD", o->records, "Record: a wave file, a file sitekit import reads, or a K-NET/KiK-net stem")
      ->required();
  sub->add_option("--damping", o->damping, "Damping ratios, comma-separated (default 0.05)");
  sub->add_option("--periods", o->periods, "peer (0 and PEER's 111 periods) or a file of periods in s");
  sub->add_flag("--rotd", o->rotd, "Also RotD50 and RotD100 of the two horizontals");
  sub->add_option("-o", o->output, "Output file (one record only); default NAME-spectra.csv");
  return [o] { return run_spectra_command(*o); };
}

}  // namespace sitekit::cli
