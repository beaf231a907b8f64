// Spectral shaping and synthesis: the responses applied, the questions, the
// band and the integration, the completion, the inverse transform and the
// extreme values of the output histories.
#include <cmath>

#include "driver/state.h"
#include "fft/wvfast.h"
#include "textio/channel.h"
#include "textio/read.h"
#include "textio/write.h"

namespace siteresp {
namespace {

using textio::ListWriter;

// Complex product, each part rounded once to single precision.
Cplx mul(Cplx a, Cplx b) {
  const double ar = a.re, ai = a.im, br = b.re, bi = b.im;
  return {static_cast<float>(ar * br - ai * bi), static_cast<float>(ar * bi + ai * br)};
}

template <typename T>
void ask(T& answer) {
  const textio::Item items[] = {textio::Item::of(answer)};
  textio::list_read(textio::console_in(), items, false);
}

void ask_band_edges(RunState& s) {
  textio::OutChannel& out = textio::console_out();
  const float f1 = static_cast<float>(static_cast<double>(s.iom - 1) * s.dom / s.pi2);
  const float f2 = static_cast<float>(static_cast<double>(s.nom - 1) * s.dom / s.pi2);
  ListWriter(out).text("   Data for TRAPEZOIDAL BAND PASS FILTER:").end();
  ListWriter(out).text("   INITIAL AND FINAL Frequencies =").real(f1).real(f2).end();
  ListWriter(out).end();
  ListWriter(out).text("   Enter fL1,fL2,fH1 and fH2 (fL1<fL2<fH1<fH2: Hz): ").end();
  float fl1 = 0.0f, fl2 = 0.0f, fh1 = 0.0f, fh2 = 0.0f;
  const textio::Item items[] = {textio::Item::of(fl1), textio::Item::of(fl2),
                                textio::Item::of(fh1), textio::Item::of(fh2)};
  textio::list_read(textio::console_in(), items, false);
  s.oml1 = fl1 * s.pi2;
  s.oml2 = fl2 * s.pi2;
  s.omh1 = fh1 * s.pi2;
  s.omh2 = fh2 * s.pi2;
}

// Trapezoidal gain at omega inside the band: the falling edge wins where
// both edges apply.
float band_gain(const RunState& s, float omega) {
  float aa = 1.0f;
  if (s.nbd != 1) return aa;
  const double w = omega;
  if (omega < s.oml2) aa = static_cast<float>((w - s.oml1) / (static_cast<double>(s.oml2) - s.oml1));
  if (omega > s.omh1) aa = static_cast<float>((s.omh2 - w) / (static_cast<double>(s.omh2) - s.omh1));
  return aa;
}

// Gain, then integration (division by i*omega) or differentiation
// (multiplication by i*omega).
Cplx shape_point(Cplx x, float aa, float omega, std::int32_t nyes) {
  Cplx v{aa * x.re, aa * x.im};
  if (nyes == 1) v = {v.im / omega, -v.re / omega};
  if (nyes == 2) v = {-omega * v.im, omega * v.re};
  return v;
}

void conjugate_upper_half(Cplx* a, int nf) {
  for (int k = 2; k <= nf / 2; ++k) a[nf + 1 - k] = {a[k - 1].re, -a[k - 1].im};
}

void take_real_part(const Cplx* a, float* out, int nf, float dur) {
  for (int k = 0; k < nf; ++k) out[k] = a[k].re / dur;
}

void extremes(const float* h, int nf, float& hmin, float& hmax) {
  hmin = 0.0f;
  hmax = 0.0f;
  for (int k = 0; k < nf; ++k) {
    if (h[k] > hmax) hmax = h[k];
    if (h[k] < hmin) hmin = h[k];
  }
}

}  // namespace

void ask_shaping(RunState& s) {
  textio::OutChannel& out = textio::console_out();
  ListWriter(out).end();
  ListWriter(out).text(" You can integrate or differentiate the original wave.;").end();
  ListWriter(out).text("   Do not change   (Enter -> 0),").end();
  ListWriter(out).text("   Integrate       (Enter -> 1),").end();
  ListWriter(out).text("   Differentiate   (Enter -> 2):").end();
  ask(s.nyes);
  ListWriter(out).end();
  ListWriter(out).text(" Band Pass Filter? (Yes=1 or No=0) :").end();
  ask(s.nbd);

  s.pi2 = 8.0f * static_cast<float>(std::atan(1.0));
  s.oml1 = 0.0f;
  s.omh2 = 99999.9f;
  if (s.nbd == 1) ask_band_edges(s);
}

void shape_spectra(RunState& s) {
  s.fx1[0] = s.fy1[0] = s.fz1[0] = Cplx{0.0f, 0.0f};
  for (int k = 2; k <= s.nom; ++k) {
    const float omega = static_cast<float>(k - 1) * s.dom;
    Cplx& x = s.fx1[k - 1];
    Cplx& y = s.fy1[k - 1];
    Cplx& z = s.fz1[k - 1];
    if (omega < s.oml1 || omega >= s.omh2) {
      x = y = z = Cplx{0.0f, 0.0f};
      continue;
    }
    const float aa = band_gain(s, omega);
    x = shape_point({s.wave.xr1[k - 1], s.xi1[k - 1]}, aa, omega, s.nyes);
    y = shape_point({s.wave.yr1[k - 1], s.yi1[k - 1]}, aa, omega, s.nyes);
    z = shape_point({s.wave.zr1[k - 1], s.zi1[k - 1]}, aa, omega, s.nyes);
  }
}

void apply_response(RunState& s, int k) {
  const Cplx sh = s.samp[(s.nin - 1) * mom + k];
  const Cplx ps = s.pamp[(s.nin - 1) * mom + k];
  s.fx1[k] = mul(s.fx1[k], sh);
  s.fy1[k] = mul(s.fy1[k], sh);
  s.fz1[k] = mul(s.fz1[k], ps);
  s.wave.xr1[k] = s.fx1[k].re;
  s.xi1[k] = s.fx1[k].im;
  s.wave.yr1[k] = s.fy1[k].re;
  s.yi1[k] = s.fy1[k].im;
  s.wave.zr1[k] = s.fz1[k].re;
  s.zi1[k] = s.fz1[k].im;
}

void synthesise(RunState& s) {
  for (Cplx* a : {s.fx1, s.fy1, s.fz1}) conjugate_upper_half(a, s.nf);
  wvfast(s.nf, s.fx1, mom, +1, s.twiddles);
  wvfast(s.nf, s.fy1, mom, +1, s.twiddles);
  wvfast(s.nf, s.fz1, mom, +1, s.twiddles);
  take_real_part(s.fx1, s.wave.xr1, s.nf, s.dur);
  take_real_part(s.fy1, s.wave.yr1, s.nf, s.dur);
  take_real_part(s.fz1, s.wave.zr1, s.nf, s.dur);
}

void find_extremes(RunState& s) {
  extremes(s.wave.xr1, s.nf, s.xmin, s.xmax);
  extremes(s.wave.yr1, s.nf, s.ymin, s.ymax);
  extremes(s.wave.zr1, s.nf, s.zmin, s.zmax);
  s.amax = s.xmax;
  if (s.ymax > s.amax) s.amax = s.ymax;
  if (s.zmax > s.amax) s.amax = s.zmax;
  s.amin = s.xmin;
  if (s.ymin < s.amin) s.amin = s.ymin;
  if (s.zmin < s.amin) s.amin = s.zmin;
  s.aamax = s.amax;
  if (std::fabs(s.amin) > s.aamax) s.aamax = std::fabs(s.amin);
}

}  // namespace siteresp
