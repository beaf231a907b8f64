#include "cli/run_info.h"

#include <fmt/format.h>

#include "cli/csv.h"
#include "cli/run_folder.h"
#include "cli/subcommand.h"

namespace sitekit::cli {

float dialogue_dt(const records::Record& rec) {
  const float t0 = static_cast<float>(rec.time[0]), t1 = static_cast<float>(rec.time[1]);
  return t1 - t0;
}

int dialogue_nf(std::size_t samples) {
  int nf = 4;
  while (static_cast<std::size_t>(nf) < samples) nf *= 2;
  return nf;
}

std::string run_info_text(const RunJob& job, const records::Record& rec,
                          const records::SoilProfile& soil) {
  const auto row = [](std::string_view key, std::string_view value) {
    return fmt::format("{},{}\n", key, csv_field(value));
  };
  std::string t = "key,value\n";
  t += row("record", job.name);
  t += row("record_files", fmt::format("{}", fmt::join(rec.files, ";")));
  t += row("soil", job.soil);
  t += row("wave_type", std::to_string(soil.wave_type));
  t += row("angle_deg", csv_number(soil.angle_deg));
  t += row("layers", std::to_string(soil.layers.size()));
  t += row("shaping", shaping_name(job.shaping));
  t += row("band_hz", job.band ? fmt::format("{}", fmt::join(job.band->text, ";")) : "");
  t += row("dt_s", csv_number(dialogue_dt(rec)));
  t += row("nt", std::to_string(rec.size()));
  t += row("nf", std::to_string(dialogue_nf(rec.size())));
  t += row("units", rec.units);
  t += row("sitekit", version());
  return t;
}

std::string write_run_info(const std::filesystem::path& dir, const RunJob& job,
                           const records::Record& rec, const records::SoilProfile& soil) {
  return write_file_atomically(dir / "run-info.csv", run_info_text(job, rec, soil));
}

}  // namespace sitekit::cli
