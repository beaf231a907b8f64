#include "cli/surface_motion.h"

#include <cmath>
#include <memory>
#include <thread>

#include "capacity.h"
#include "fft/wvfast.h"
#include "response/layers.h"

namespace sitekit::cli {
namespace {

using siteresp::Cplx;
using siteresp::ml;
using siteresp::mom;

constexpr float two_pi = 6.2831855f;  // the frequency grid's single-precision 2 pi

// Complex product, each part rounded once to single precision.
Cplx mul(Cplx a, Cplx b) {
  const double ar = a.re, ai = a.im, br = b.re, bi = b.im;
  return {static_cast<float>(ar * br - ai * bi), static_cast<float>(ar * bi + ai * br)};
}

// Smallest power of two >= nt, never below 4; 0 past 2**15.
int transform_length(std::size_t nt) {
  int nf = 2;
  for (int k = 2; k <= 15; ++k) {
    nf *= 2;
    if (static_cast<std::size_t>(nf) >= nt) return nf;
  }
  return 0;
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

// The two columns of the SH and P-SV responses, as the dialogue holds them.
struct Responses {
  std::unique_ptr<Cplx[]> samp{new Cplx[2 * mom]()}, pamp{new Cplx[2 * mom]()};
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
  siteresp::sbshml(0.0f, dom, nom, mom, dns, vs, qs, fs, thk, nl, ml, theta, r.samp.get());
  siteresp::sbudml(0.0f, dom, nom, mom, dns, vp, qp, fp, vs, qs, fs, thk, nl, ml, theta, r.pamp.get());
}

// A channel's spectrum: the transform of its samples (zero-padded to nf),
// scaled by dt.  The input and the surface series share it.
std::vector<Cplx> spectrum_of(const std::vector<float>& x, int nf, float dt) {
  std::vector<Cplx> a(nf);
  for (int i = 0; i < nf; ++i) a[i] = {i < static_cast<int>(x.size()) ? x[i] : 0.0f, 0.0f};
  siteresp::wvfast(nf, a.data(), nf, -1);
  for (Cplx& z : a) {
    const double re = z.re, im = z.im;
    z = {static_cast<float>(re * dt - im * 0.0), static_cast<float>(re * 0.0 + im * dt)};
  }
  return a;
}

// A channel's spectrum to the shaped history; `response` null for the
// input series.
std::vector<double> shape_channel(std::vector<Cplx> a, int nf, float dt, float dom, int nom,
                                  const Band& band, const Cplx* response) {
  if (response)
    for (int k = 0; k < nom; ++k) a[k] = mul(a[k], response[k]);
  a[0] = {0.0f, 0.0f};
  for (int k = 2; k <= nom; ++k) {
    const float omega = static_cast<float>(k - 1) * dom;
    Cplx& z = a[k - 1];
    if (omega < band.oml1 || omega >= band.omh2) {
      z = {0.0f, 0.0f};
      continue;
    }
    const float aa = band_gain(band, omega);
    z = {aa * z.re, aa * z.im};
  }
  for (int k = 2; k <= nf / 2; ++k) a[nf + 1 - k] = {a[k - 1].re, -a[k - 1].im};
  siteresp::wvfast(nf, a.data(), nf, +1);
  const float dur = static_cast<float>(nf) * dt;
  std::vector<double> out(nf);
  for (int k = 0; k < nf; ++k) out[k] = a[k].re / dur;
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
  Responses r;
  std::jthread responding([&] { compute_responses(in, dom, nom, r); });
  const Band band = band_of(in);
  std::array<std::vector<Cplx>, 3> spectra;
  for (int c = 0; c < 3; ++c) {
    spectra[c] = spectrum_of(in.channels[c], nf, in.dt);
    m.input[c] = shape_channel(spectra[c], nf, in.dt, dom, nom, band, nullptr);
  }
  responding.join();
  const int column = (in.wave_type - 1) * mom;
  for (int c = 0; c < 3; ++c) {
    const Cplx* response = (c < 2 ? r.samp.get() : r.pamp.get()) + column;
    m.surface[c] = shape_channel(std::move(spectra[c]), nf, in.dt, dom, nom, band, response);
  }
  m.dt = in.dt;
  for (int k = 0; k < nom; ++k) {
    const float om = static_cast<float>(k) * dom;
    m.freq.push_back(om / two_pi);
    const Cplx* cols[4] = {r.samp.get(), r.samp.get() + mom, r.pamp.get(), r.pamp.get() + mom};
    for (int j = 0; j < 4; ++j) m.amp[j].push_back(std::hypot(double(cols[j][k].re), double(cols[j][k].im)));
  }
  return m;
}

}  // namespace sitekit::cli
