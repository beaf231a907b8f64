// sitekit import: recordings in the formats engineers have, turned into the
// dialogue's wave file.
#include <fmt/format.h>

#include <memory>

#include "cli/diagnostic.h"
#include "cli/subcommand.h"
#include "records/read.h"
#include "records/record.h"
#include "records/wave_file.h"

namespace sitekit::cli {

namespace {

struct ImportArgs {
  std::string format = "auto";
  std::string sensor;
  double scale = 1.0;
  std::optional<double> start, length, resample;
  std::string out;
  std::vector<std::string> files;
};

Problem from(const records::Diagnostic& d) { return {d.file, d.line, d.message}; }

records::ImportOptions options_of(const ImportArgs& a) {
  records::ImportOptions o;
  const auto format = records::parse_format(a.format);
  if (!format) fail_usage({"--format", 0, fmt::format("unknown format \"{}\": one of auto, knet, "
                                                      "at2, smc, cosmos, csmip, esm, wave", a.format)});
  o.format = *format;
  if (a.sensor == "surface") o.sensor = records::Sensor::surface;
  else if (a.sensor == "borehole") o.sensor = records::Sensor::borehole;
  o.scale = a.scale;
  o.start = a.start;
  o.length = a.length;
  o.resample_dt = a.resample;
  return o;
}

int import_files(const ImportArgs& a) {
  const records::ImportOptions options = options_of(a);
  records::Result<records::Record> r = records::import_record(a.files, options);
  if (!r) fail_input(from(r.error()));
  const records::Record& rec = r.value();
  for (const records::Diagnostic& w : rec.warnings) warn(from(w));
  const std::string out = a.out.empty() ? rec.name + ".csv" : a.out;
  const records::Status s = records::write_wave(out, rec);
  if (!s) fail_input(from(s.error()));
  say(fmt::format("{}: {} samples at {} s ({}, {}, {}) -> {}", rec.name, rec.size(), rec.dt,
                  rec.labels[1], rec.labels[2], rec.labels[3], out));
  return static_cast<int>(Exit::ok);
}

// CLI11's own range checks print the largest double in full; these say it
// in words.
CLI::Validator at_least(double low, bool inclusive) {
  return CLI::Validator(
      [=](std::string& text) -> std::string {
        double v = 0;
        try {
          v = std::stod(text);
        } catch (const std::exception&) {
          return fmt::format("\"{}\" is not a number", text);
        }
        if (inclusive ? v >= low : v > low) return {};
        return fmt::format("must be {} {}, not {}", inclusive ? "at least" : "above", low, text);
      },
      inclusive ? "NUMBER>=0" : "NUMBER>0");
}

}  // namespace

CommandRunner add_import(CLI::App& app) {
  auto args = std::make_shared<ImportArgs>();
  CLI::App* imp = app.add_subcommand(
      "import", "Turn recordings (K-NET, KiK-net, PEER .AT2, SMC, COSMOS, CSMIP, ESM) into a wave file.");
  imp->footer(
      "The format comes from the content (--format overrides). Three files, one file of several "
      "channels, or a triplet's stem give H1, H2, V1 in the order the headers give; the output "
      "is in cm/s2, at most 32768 samples, times k*dt from 0.");
  imp->add_option("--format", args->format, "auto, knet, at2, smc, cosmos, csmip, esm or wave")
      ->capture_default_str();
  imp->add_option("--sensor", args->sensor, "KiK-net triplet: surface or borehole")
      ->check(CLI::IsMember({"surface", "borehole"}));
  imp->add_option("--scale", args->scale, "Multiply every sample by FACTOR (after the units)")
      ->capture_default_str();
  imp->add_option("--start", args->start, "Drop the samples before SECONDS")->check(at_least(0, true));
  imp->add_option("--length", args->length, "Keep SECONDS from --start")->check(at_least(0, false));
  imp->add_option("--resample", args->resample, "Resample to the coarser interval DT (anti-alias low-pass)")
      ->check(at_least(0, false));
  imp->add_option("-o,--output", args->out, "Wave file to write (default: <record name>.csv)");
  imp->add_option("files", args->files, "The record's files, one of them, or a triplet's stem")
      ->required();
  return [args] { return import_files(*args); };
}

}  // namespace sitekit::cli
