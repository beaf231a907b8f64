#include "cli/surface_motion.h"

#include <cmath>
#include <complex>
#include <memory>
#include <thread>

#include "capacity.h"
#include "cli/fourier.h"
#include "cli/half_complex.h"
#include "response/layers.h"

namespace sitekit::cli {
namespace {

using siteresp::Cplx;
using siteresp::ml;

constexpr float two_pi = 6.2831855f;  // the frequency grid's single-precision 2 pi

using Bin = std::complex<double>;

// The dialogue's transform length: the padded length, up to its capacity
// (0 past it).
int transform_length(std::size_t nt) {
  return nt > static_cast<std::size_t>(siteresp::max_nf) ? 0 : padded_length(nt);
}

struct Band {
  bool on = false;
  float oml1 = 0.0f, oml2 = 0.0f, omh1 = 0.0f, omh2 = 99999.9f;
};

Band band_of(const RunSpectraInput& in) {
  Band b;
  if (!in.band) return b;
  const float pi2 = 8.0f * static_cast<float>(std::atan(1.0));
  b.on = true;
  b.oml1 = in.band_hz[0] * pi2;
  b.oml2 = in.band_hz[1] * pi2;
  b.omh1 = in.band_hz[2] * pi2;
  b.omh2 = in.band_hz[3] * pi2;
  return b;
}

// The trapezoid's gain inside the band: the falling edge wins where both apply.
float band_gain(const Band& b, float omega) {
  float aa = 1.0f;
  if (!b.on) return aa;
  const double w = omega;
  if (omega < b.oml2) aa = static_cast<float>((w - b.oml1) / (static_cast<double>(b.oml2) - b.oml1));
  if (omega > b.omh1) aa = static_cast<float>((b.omh2 - w) / (static_cast<double>(b.omh2) - b.omh1));
  return aa;
}

// The two columns of the SH and P-SV responses, as the dialogue computes
// them, each column nom rows long (the dialogue's columns are mom rows apart).
struct Responses {
  int rows;
  std::unique_ptr<Cplx[]> samp, pamp;
  explicit Responses(int nom) : rows(nom), samp(new Cplx[2 * nom]), pamp(new Cplx[2 * nom]) {}
  const Cplx* sh(int column) const { return samp.get() + (column - 1) * rows; }
  const Cplx* psv(int column) const { return pamp.get() + (column - 1) * rows; }
};

void compute_responses(const RunSpectraInput& in, float dom, int nom, Responses& r) {
  float dns[ml] = {}, vp[ml] = {}, qp[ml] = {}, fp[ml] = {}, vs[ml] = {}, qs[ml] = {}, fs[ml] = {}, thk[ml] = {};
  const int nl = static_cast<int>(in.layers.size());
  for (int i = 0; i < nl; ++i) {
    const RunLayer& l = in.layers[i];
    dns[i] = l.density, vp[i] = l.vp, qp[i] = l.qp, fp[i] = l.fp;
    vs[i] = l.vs, qs[i] = l.qs, fs[i] = l.fs, thk[i] = l.thickness;
  }
  const float theta = in.angle_deg * 0.017453292f;
  siteresp::sbshml(0.0f, dom, nom, r.rows, dns, vs, qs, fs, thk, nl, ml, theta, r.samp.get());
  siteresp::sbudml(0.0f, dom, nom, r.rows, dns, vp, qp, fp, vs, qs, fs, thk, nl, ml, theta, r.pamp.get());
}

// A channel's shaped history: the transform of its samples (zero-padded to
// nf), scaled by dt, times the response (null for the input series), zero
// at zero frequency, band-passed, transformed back and divided by the
// duration.  The spectrum is made again for the surface series rather than
// kept: a transform costs less than the fresh pages that would hold it.
// The upper half of the spectrum is the conjugate of the lower, which the
// real transform takes as given.
std::vector<double> shaped(const HalfComplex& t, std::span<const double> x, float dt, float dom, const Band& band,
                           const Cplx* response) {
  const int nf = t.size();
  double* const series = t.series();
  for (int i = 0; i < nf; ++i) series[i] = i < static_cast<int>(x.size()) ? static_cast<float>(x[i]) : 0.0f;
  t.forward();
  t.set_bin(0, 0.0);
  for (int k = 1; k <= nf / 2; ++k) {
    const float omega = static_cast<float>(k) * dom;
    Bin b = 0.0;
    if (omega >= band.oml1 && omega < band.omh2) {
      b = t.bin(k) * static_cast<double>(dt);
      if (response) b *= Bin(response[k].re, response[k].im);
      b *= static_cast<double>(band_gain(band, omega));
    }
    t.set_bin(k, b);
  }
  t.backward();
  const double dur = static_cast<double>(static_cast<float>(nf) * dt);
  std::vector<double> out(static_cast<std::size_t>(nf));
  for (int k = 0; k < nf; ++k) out[k] = series[k] / dur;
  return out;
}

}  // namespace

RunMotion synthesize_motion(const RunSpectraInput& in) {
  RunMotion m;
  const std::size_t nt = in.channels[0].size();
  const int nf = transform_length(nt);
  if (nt < 2 || nf == 0) {
    m.error = "the record must have 2 to 32768 samples";
    return m;
  }
  if (!(in.dt > 0.0f) || in.layers.empty() || in.layers.size() > static_cast<std::size_t>(ml) ||
      (in.wave_type != 1 && in.wave_type != 2)) {
    m.error = "no run to take spectra of (time step, layers or wave type out of range)";
    return m;
  }
  const float dur = static_cast<float>(nf) * in.dt;
  const float dom = two_pi / dur;
  const int nom = nf / 2 + 1;
  // The profile's responses on a second thread while the input series are
  // made here: neither needs the other.
  Responses r(nom);
  std::jthread responding([&] { compute_responses(in, dom, nom, r); });
  const Band band = band_of(in);
  const HalfComplex t(nf);
  for (int c = 0; c < 3; ++c) m.input[c] = shaped(t, in.channels[c], in.dt, dom, band, nullptr);
  responding.join();
  for (int c = 0; c < 3; ++c) {
    const Cplx* response = c < 2 ? r.sh(in.wave_type) : r.psv(in.wave_type);
    m.surface[c] = shaped(t, in.channels[c], in.dt, dom, band, response);
  }
  m.dt = in.dt;
  m.freq.resize(nom);
  for (auto& a : m.amp) a.resize(nom);
  const Cplx* cols[4] = {r.sh(1), r.sh(2), r.psv(1), r.psv(2)};
  for (int k = 0; k < nom; ++k) {
    m.freq[k] = static_cast<float>(static_cast<float>(k) * dom) / two_pi;
    for (int j = 0; j < 4; ++j) m.amp[j][k] = std::hypot(double(cols[j][k].re), double(cols[j][k].im));
  }
  return m;
}

}  // namespace sitekit::cli
