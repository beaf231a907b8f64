#include "cli/run_measures.h"

#ifdef SITEKIT_RUN_SPECTRA
#include <cstdlib>

#include "cli/run_info.h"
#include "cli/run_spectra.h"
#endif

namespace sitekit::cli {

#ifdef SITEKIT_RUN_SPECTRA

namespace {

RunSpectraInput spectra_input(const RunJob& job, const records::Record& rec,
                              const records::SoilProfile& soil) {
  RunSpectraInput in;
  in.dt = dialogue_dt(rec);
  in.channels = {rec.h1, rec.h2, rec.v1};
  for (const records::Layer& l : soil.layers)
    in.layers.push_back({static_cast<float>(l.density), static_cast<float>(l.vp),
                         static_cast<float>(l.qp), static_cast<float>(l.fp),
                         static_cast<float>(l.vs), static_cast<float>(l.qs),
                         static_cast<float>(l.fs), static_cast<float>(l.thickness)});
  in.angle_deg = static_cast<float>(soil.angle_deg);
  in.wave_type = soil.wave_type;
  in.band = job.band.has_value();
  // The edges as the computation reads them: the typed text, in single
  // precision directly (not through a double).
  if (job.band)
    for (int i = 0; i < 4; ++i) in.band_hz[i] = std::strtof(job.band->text[i].c_str(), nullptr);
  in.units = rec.units;
  return in;
}

template <typename Field>
MeasureColumn column(const char* name, const RunIntensities& m, Field field) {
  MeasureColumn c{name, {}, {}};
  for (int i = 0; i < 3; ++i) c.input[i] = m.input[i].*field, c.surface[i] = m.surface[i].*field;
  return c;
}

}  // namespace

std::string add_run_measures(const std::filesystem::path& dir, const RunJob& job,
                             const records::Record& rec, const records::SoilProfile& soil,
                             RunRow& row) {
  const RunSpectraResult r = write_run_spectra(dir, spectra_input(job, rec, soil));
  if (!r.error.empty()) return r.error;
  using spectra::Intensity;
  row.measures = {column("pga", r.measures, &Intensity::pga),
                  column("pgv", r.measures, &Intensity::pgv),
                  column("pgd", r.measures, &Intensity::pgd),
                  column("arias", r.measures, &Intensity::arias),
                  column("d5_95_s", r.measures, &Intensity::d5_95),
                  column("cav", r.measures, &Intensity::cav)};
  return {};
}

#else

// Built without the run's spectra: the run folder holds the dialogue's files
// and sitekit's own, and runs.csv has no measure columns.
std::string add_run_measures(const std::filesystem::path&, const RunJob&, const records::Record&,
                             const records::SoilProfile&, RunRow&) {
  return {};
}

#endif

}  // namespace sitekit::cli
