// The run flow: the record in, the spectra and the grid, the profile and its
// responses, then the shaping, the result files and the summary.
#include "driver/run.h"

#include <cmath>
#include <cstring>
#include <new>
#include <type_traits>

#include "driver/state.h"
#include "fft/wvfast.h"
#include "input/soilin.h"
#include "response/layers.h"
#include "textio/channel.h"
#include "textio/diag.h"
#include "textio/write.h"
#include "textio/read.h"

namespace siteresp {
namespace {

using textio::ListWriter;

void ask_wave_file(RunState& s) {
  static const textio::Format prompt("(/,1X,'Enter Wave Data (H1,H2,V1; e.g., wave.csv)')");
  ListWriter(textio::console_out()).end();
  textio::write_formatted(textio::console_out(), prompt, {});
  textio::name_read(textio::console_in(), s.infile1);
}

// The wave file name as used for the open: trailing blanks removed.
void trimmed_name(const RunState& s, char (&name)[31]) {
  int n = 30;
  while (n > 0 && s.infile1[n - 1] == ' ') --n;
  std::memcpy(name, s.infile1, static_cast<std::size_t>(n));
  name[n] = '\0';
}

// A record the grid cannot be built from ends the run before anything is
// computed: fewer than two rows, or a time step that is not a positive
// finite number.
void check_record(const RunState& s) {
  char name[31];
  trimmed_name(s, name);
  if (s.wave.nt < 2)
    textio::refuse("wave record: fewer than two rows", textio::unit_wave, name, true);
  if (!(s.dt > 0.0f) || !std::isfinite(s.dt))
    textio::refuse("wave record: time step is not positive", textio::unit_wave, name, true);
}

void load_spectra(RunState& s) {
  const WaveRecord& w = s.wave;
  for (int i = 0; i < s.nf; ++i) {
    const bool sample = i < w.nt;
    s.fx1[i] = {sample ? w.xr1[i] : 0.0f, 0.0f};
    s.fy1[i] = {sample ? w.yr1[i] : 0.0f, 0.0f};
    s.fz1[i] = {sample ? w.zr1[i] : 0.0f, 0.0f};
  }
  s.twiddles.prepare(s.nf);
  wvfast(s.nf, s.fx1, mom, -1, s.twiddles);
  wvfast(s.nf, s.fy1, mom, -1, s.twiddles);
  wvfast(s.nf, s.fz1, mom, -1, s.twiddles);
}

// Multiplies by (dt, 0) as a complex product, so that infinities and NaN
// spread exactly as in a full product.
void scale_by_dt(Cplx* a, int n, float dt) {
  for (int i = 0; i < n; ++i) {
    const double re = a[i].re, im = a[i].im;
    a[i] = {static_cast<float>(re * dt - im * 0.0), static_cast<float>(re * 0.0 + im * dt)};
  }
}

void report_grid(const RunState& s) {
  textio::OutChannel& out = textio::console_out();
  ListWriter(out).end();
  ListWriter(out).text(" DUR,DOM,NOM,EOM=").real(s.dur).real(s.dom).integer(s.nom).real(s.eom).end();
  ListWriter(out).text(" Highest Frequency (hz)=").real(s.eom / two_pi).end();
}

// Steps up to the frequency grid; false when the record is refused as too long.
bool prepare_spectra(RunState& s) {
  textio::OutChannel& out = textio::console_out();
  ask_wave_file(s);
  read_wave(s.infile1, 30, s.wave);
  s.dt = s.wave.time[1] - s.wave.time[0];
  ListWriter(out).text("NT and DT=").integer(s.wave.nt).real(s.dt).end();
  check_record(s);
  if (!choose_transform_length(s.wave.nt, s.nf, s.if1)) {
    ListWriter(out).text(" NT>2**15 !!!!!").end();
    return false;
  }
  ListWriter(out).end();
  ListWriter(out).text(" IF1,NF=").integer(s.if1).integer(s.nf).end();
  load_spectra(s);
  s.dur = static_cast<float>(s.nf) * s.dt;
  scale_by_dt(s.fx1, s.nf, s.dt);
  scale_by_dt(s.fy1, s.nf, s.dt);
  scale_by_dt(s.fz1, s.nf, s.dt);
  s.dom = two_pi / s.dur;
  s.iom = 1;
  s.nom = s.nf / 2 + 1;
  s.eom = static_cast<float>(s.nom) * s.dom;
  report_grid(s);
  return true;
}

void compute_responses(RunState& s) {
  soilin(s.dns, s.vp, s.qp, s.fp, s.vs, s.qs, s.fs, s.thk, s.theta, s.nl, ml, s.nin);
  s.fom = 0.0f;
  sbshml(s.fom, s.dom, s.nom, mom, s.dns, s.vs, s.qs, s.fs, s.thk, s.nl, ml, s.theta, s.samp);
  sbudml(s.fom, s.dom, s.nom, mom, s.dns, s.vp, s.qp, s.fp, s.vs, s.qs, s.fs, s.thk, s.nl, ml,
         s.theta, s.pamp);
}

}  // namespace

bool choose_transform_length(std::int64_t nt, std::int32_t& nf, std::int32_t& if1) {
  nf = 2;
  for (std::int32_t k = 2; k <= 15; ++k) {
    nf *= 2;
    if1 = k;
    if (nf >= nt) return true;
  }
  return false;
}

namespace {

// The run's storage: static zero bytes that the run state (an aggregate, so
// an implicit-lifetime type) takes over without a constructor, so that each
// page is first touched when the run first uses it and a short record
// touches few.  A second run in the same process clears what the first
// left, so that every run starts from zeros.
static_assert(std::is_aggregate_v<RunState>);
alignas(RunState) unsigned char storage[sizeof(RunState)];
bool used = false;

RunState& fresh_state() {
  if (used) std::memset(storage, 0, sizeof storage);
  used = true;
  return *std::launder(reinterpret_cast<RunState*>(storage));
}

}  // namespace

int run() {
  RunState& s = fresh_state();

  if (!prepare_spectra(s)) return 1;
  compute_responses(s);
  response_pass(s);
  ask_shaping(s);
  shape_spectra(s);
  write_amp1(s);
  synthesise(s);
  find_extremes(s);
  write_summary(s);
  write_wave1(s);
  return 0;
}

}  // namespace siteresp
