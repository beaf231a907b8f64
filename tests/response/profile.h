#pragma once
// Profiles, runs and closed forms shared by the response tests.
#include <gtest/gtest.h>

#include <bit>
#include <complex>
#include <cstdint>
#include <limits>
#include <vector>

#include "capacity.h"
#include "response/layers.h"

namespace siteresp::layered {

using cd = std::complex<double>;
inline constexpr double feps = std::numeric_limits<float>::epsilon();

// The grid of a 1000-sample record at 0.01 s: nf = 1024.
inline constexpr int grid_nom = 513;
inline constexpr float grid_dom = 0.6135923f;

// Layer arrays sized exactly to the capacity, so that a read past them is
// caught by the address sanitizer.
struct Profile {
  std::vector<float> dns = std::vector<float>(ml), vp = std::vector<float>(ml),
                     qp = std::vector<float>(ml), fp = std::vector<float>(ml),
                     vs = std::vector<float>(ml), qs = std::vector<float>(ml),
                     fs = std::vector<float>(ml), thk = std::vector<float>(ml);
  int nl = 0;
  float theta = 0.0f;

  // Appends a layer (the last one added is the half-space).
  Profile& layer(float d, float s, float h, float q = 0.0f, float f = 0.0f)
  {
    dns[nl] = d;
    vs[nl] = s;
    thk[nl] = h;
    qs[nl] = q;
    fs[nl] = f;
    vp[nl] = 2.0f * s;
    ++nl;
    return *this;
  }
};

struct Response {
  std::vector<Cplx> amp;
  int mom;
  Cplx col1(int io) const { return amp[io - 1]; }
  Cplx col2(int io) const { return amp[mom + io - 1]; }
};

inline Response run_sh(const Profile& p, int nom = grid_nom, float dom = grid_dom, float fom = 0.0f,
                  int cap = mom)
{
  Response r{std::vector<Cplx>(2 * cap, Cplx{7.0f, 7.0f}), cap};
  sbshml(fom, dom, nom, cap, p.dns.data(), p.vs.data(), p.qs.data(), p.fs.data(), p.thk.data(),
         p.nl, ml, p.theta, r.amp.data());
  return r;
}

inline Response run_psv(const Profile& p, int nom = grid_nom, float dom = grid_dom, float fom = 0.0f,
                   int cap = mom)
{
  Response r{std::vector<Cplx>(2 * cap, Cplx{7.0f, 7.0f}), cap};
  sbudml(fom, dom, nom, cap, p.dns.data(), p.vp.data(), p.qp.data(), p.fp.data(), p.vs.data(),
         p.qs.data(), p.fs.data(), p.thk.data(), p.nl, ml, p.theta, r.amp.data());
  return r;
}

inline bool same_bits(Cplx a, Cplx b)
{
  return std::bit_cast<std::uint32_t>(a.re) == std::bit_cast<std::uint32_t>(b.re) &&
         std::bit_cast<std::uint32_t>(a.im) == std::bit_cast<std::uint32_t>(b.im);
}

inline bool same_rows(const Response& a, const Response& b, int nom = grid_nom)
{
  for (int io = 1; io <= nom; ++io)
    if (!same_bits(a.col1(io), b.col1(io)) || !same_bits(a.col2(io), b.col2(io))) return false;
  return true;
}

inline cd as_cd(Cplx z) { return {z.re, z.im}; }

// Angular frequency of row io as the routines form it.
inline double omega(int io, float dom = grid_dom) { return static_cast<float>((io - 1) * double(dom)); }

// Complex velocity v(1 + i/(2Q)) with Q = max(q0, q0*f^fs); q0 = 0 undamped.
inline cd damped(double v, double q0, double fexp, double freq)
{
  if (q0 == 0.0) return v;
  const double q = std::max(q0, q0 * std::pow(freq, fexp));
  return v * cd(1.0, 0.5 / q);
}

// Expected reciprocals of both columns.  The phase kH carries a relative
// error of a few eps from om/v, so its absolute error grows with |kH|; each
// rounded product adds a few eps of the largest summed term, which bound
// bounds.  Reciprocals stay finite at the resonances where the columns blow
// up, so the comparison is well conditioned everywhere.
struct Want {
  cd inv1, inv2;  // E/2 and (E+F)/2 at the top of the half-space
  double phase;   // sum of |kH|
  double bound;
};

inline void expect_rows(const Response& r, int io, const Want& want, double c = 4.0)
{
  const double tol = c * feps * (1.0 + want.phase) * want.bound;
  EXPECT_LE(std::abs(1.0 / as_cd(r.col1(io)) - want.inv1), tol) << "row " << io;
  EXPECT_LE(std::abs(1.0 / as_cd(r.col2(io)) - want.inv2), tol) << "row " << io;
}

// Principal vertical wavenumber om*sqrt(1/v^2 - p2).
inline cd vertical(double om, cd v, cd p2)
{
  const cd kz = om * std::sqrt(1.0 / (v * v) - p2);
  return (kz.real() < 0.0 || (kz.real() == 0.0 && kz.imag() < 0.0)) ? -kz : kz;
}

// One layer of thickness h over a half-space: column 1 = 2/(cos kH + i a sin kH),
// column 2 = 1/cos kH, a the impedance ratio d1 v1 / (d2 v2).
inline Want one_layer(double om, cd v1, cd v2, double d1, double d2, double h, cd p2 = 0.0)
{
  const cd a = d1 * v1 / (d2 * v2), kh = vertical(om, v1, p2) * h;
  const cd e = std::cos(kh) + cd(0.0, 1.0) * a * std::sin(kh);
  return {e / 2.0, std::cos(kh), std::abs(kh), std::exp(std::abs(kh.imag())) * std::max(1.0, std::abs(a))};
}

// Any stack, by carrying the up- and down-going amplitudes (E, F) = (1, 1)
// of the free surface down through each interface: continuity of motion and
// of stress gives E' + F' = E e^{ikH} + F e^{-ikH} and
// E' - F' = a (E e^{ikH} - F e^{-ikH}).  v holds the complex velocity of each
// layer; the same recursion on moduli bounds every summed term.
inline Want propagate(const Profile& p, const std::vector<cd>& v, double om, cd p2 = 0.0)
{
  cd e = 1.0, f = 1.0;
  double ea = 1.0, fa = 1.0, phase = 0.0;
  for (int i = 0; i + 1 < p.nl; ++i) {
    const cd kh = vertical(om, v[i], p2) * double(p.thk[i]);
    const cd a = double(p.dns[i]) * v[i] / (double(p.dns[i + 1]) * v[i + 1]);
    const cd down = e * std::exp(cd(0.0, 1.0) * kh), up = f * std::exp(cd(0.0, -1.0) * kh);
    e = ((1.0 + a) * down + (1.0 - a) * up) / 2.0;
    f = ((1.0 - a) * down + (1.0 + a) * up) / 2.0;
    const double da = ea * std::exp(-kh.imag()), ua = fa * std::exp(kh.imag());
    ea = (std::abs(1.0 + a) * da + std::abs(1.0 - a) * ua) / 2.0;
    fa = (std::abs(1.0 - a) * da + std::abs(1.0 + a) * ua) / 2.0;
    phase += std::abs(kh);
  }
  return {e / 2.0, (e + f) / 2.0, phase, ea + fa};
}

}  // namespace siteresp::layered
