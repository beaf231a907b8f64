// The fast layer responses (both lane kernels) against the plain recursion,
// bit for bit, over many profiles: damped and undamped passes, zero Q values in either layer
// of a pass, exponents that vary, repeat or are zero, evanescent layers,
// steep angles, grids that start away from zero and capacities below nom.
#include <gtest/gtest.h>

#include "response/profile.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "capacity.h"
#include "golden/cases.h"
#include "response/reference_response.h"
#include "response/layer_pass.h"
#include "response/layers.h"
#include "response/split.h"

namespace {

using siteresp::Cplx;
using siteresp::ml;

using siteresp::layered::Profile;

struct Grid {
  float fom, dom;
  int nom, mom;
};

// Uniform in [lo, hi) from the deterministic noise.
float pick(golden::Noise& n, double lo, double hi) {
  return static_cast<float>(lo + (hi - lo) * (0.5 * n.next() + 0.5));
}

// A profile of nl layers.  zero_q is the chance of a zero Q in a layer,
// fast the chance of a layer faster than the half-space's apparent
// horizontal velocity (evanescent at an angle).
Profile random_profile(std::uint64_t seed, int nl, double zero_q, double fast) {
  golden::Noise n(seed);
  static const float exps[] = {0.0f, 0.3f, 0.5f, 0.5f, 0.8f, 1.0f, 0.45f};
  Profile p;
  p.nl = nl;
  p.theta = pick(n, 0.0, 1.4);
  for (int i = 0; i < nl; ++i) {
    p.dns[i] = pick(n, 1.4, 2.8);
    p.vs[i] = pick(n, 80.0, 1200.0);
    if (pick(n, 0.0, 1.0) < fast) p.vs[i] = pick(n, 2500.0, 4000.0);
    p.vp[i] = p.vs[i] * pick(n, 1.5, 4.5);
    p.qs[i] = pick(n, 0.0, 1.0) < zero_q ? 0.0f : pick(n, 2.0, 60.0);
    p.qp[i] = pick(n, 3.0, 120.0);
    p.fs[i] = exps[static_cast<int>(pick(n, 0.0, 6.999))];
    p.fp[i] = exps[static_cast<int>(pick(n, 0.0, 6.999))];
    p.thk[i] = pick(n, 0.5, 30.0);
  }
  p.vs[nl - 1] = pick(n, 1000.0, 2500.0);
  p.vp[nl - 1] = 2.2f * p.vs[nl - 1];
  return p;
}

// Equal bits, except that a NaN matches any NaN: no output shows the sign
// or payload of a NaN ("NaN" in every field and item).
bool same(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b) ||
         (std::isnan(a) && std::isnan(b));
}
bool same(Cplx a, Cplx b) { return same(a.re, b.re) && same(a.im, b.im); }

// Rows 1..nom of both columns, and the untouched rows past them, agree.
void expect_same(const std::vector<Cplx>& fast, const std::vector<Cplx>& plain, const Grid& g,
                 const char* what, std::uint64_t seed) {
  int bad = 0;
  for (std::size_t k = 0; k < fast.size(); ++k) {
    if (!same(fast[k], plain[k]) && ++bad <= 3)
      ADD_FAILURE() << what << " seed " << seed << " nom " << g.nom << " element " << k << ": ("
                    << fast[k].re << ", " << fast[k].im << ") vs (" << plain[k].re << ", "
                    << plain[k].im << ")";
  }
}

void compare_kernel(const Profile& p, const Grid& g, std::uint64_t seed) {
  std::vector<Cplx> fast(2 * g.mom, Cplx{7.0f, 7.0f}), plain = fast;
  siteresp::sbshml(g.fom, g.dom, g.nom, g.mom, p.dns.data(), p.vs.data(), p.qs.data(), p.fs.data(),
                   p.thk.data(), p.nl, ml, p.theta, fast.data());
  golden::plain::sh(g.fom, g.dom, g.nom, g.mom, p.dns.data(), p.vs.data(), p.qs.data(), p.fs.data(),
                    p.thk.data(), p.nl, p.theta, plain.data());
  expect_same(fast, plain, g, "SH", seed);

  fast.assign(fast.size(), Cplx{7.0f, 7.0f});
  plain = fast;
  siteresp::sbudml(g.fom, g.dom, g.nom, g.mom, p.dns.data(), p.vp.data(), p.qp.data(), p.fp.data(),
                   p.vs.data(), p.qs.data(), p.fs.data(), p.thk.data(), p.nl, ml, p.theta,
                   fast.data());
  golden::plain::psv(g.fom, g.dom, g.nom, g.mom, p.dns.data(), p.vp.data(), p.qp.data(),
                     p.fp.data(), p.vs.data(), p.qs.data(), p.fs.data(), p.thk.data(), p.nl,
                     p.theta, plain.data());
  expect_same(fast, plain, g, "P-SV", seed);
}

// Every kernel the processor has: eight lanes, four and two.
void compare(const Profile& p, const Grid& g, std::uint64_t seed) {
  for (int widest : {8, 4, 2}) {
    siteresp::limit_lane_width(widest);
    compare_kernel(p, g, seed);
  }
  siteresp::limit_lane_width(8);
}

TEST(ResponseIdentity, RandomProfiles) {
  // (layers, chance of zero Q, chance of a fast layer) per group of seeds.
  struct Row {
    int nl;
    double zero_q, fast;
  };
  const Row rows[] = {{1, 0.0, 0.0},  {2, 0.0, 0.0},  {2, 0.5, 0.0},  {3, 0.3, 0.3},
                      {7, 0.2, 0.2},  {12, 0.0, 0.0}, {20, 0.3, 0.1}, {50, 0.1, 0.05},
                      {50, 1.0, 0.0}, {5, 1.0, 0.5}};
  const Grid grid{0.0f, 0.6135923f, 513, 513};
  std::uint64_t seed = 1;
  for (const Row& r : rows)
    for (int k = 0; k < 4; ++k, ++seed) compare(random_profile(seed, r.nl, r.zero_q, r.fast), grid, seed);
}

// Grids: a fine one crossing 1 Hz (where Q stops being its floor), one that
// starts away from zero, one cut by a small capacity, and a single point.
TEST(ResponseIdentity, Grids) {
  const Grid grids[] = {{0.0f, 0.0383495f, 700, 800},
                        {0.37f, 0.25f, 300, 300},
                        {0.0f, 1.2271847f, 400, 150},
                        {3.0f, 1.0f, 1, 4},
                        {0.0f, 0.5f, 0, 4}};
  std::uint64_t seed = 100;
  for (const Grid& g : grids)
    for (int nl : {2, 9, 30}) {
      ++seed;
      compare(random_profile(seed, nl, 0.2, 0.1), g, seed);
    }
}

// The profiles of the golden runs on the grid of the largest run.
TEST(ResponseIdentity, GoldenProfiles) {
  Profile p;
  const auto layers = golden::deep_profile();
  p.nl = static_cast<int>(layers.size());
  p.theta = 30.0f * 0.017453292f;
  for (int i = 0; i < p.nl; ++i) {
    const golden::Layer& l = layers[static_cast<std::size_t>(i)];
    p.dns[i] = static_cast<float>(l.dns);
    p.vp[i] = static_cast<float>(l.vp);
    p.qp[i] = static_cast<float>(l.qp);
    p.fp[i] = static_cast<float>(l.fp);
    p.vs[i] = static_cast<float>(l.vs);
    p.qs[i] = static_cast<float>(l.qs);
    p.fs[i] = static_cast<float>(l.fs);
    p.thk[i] = static_cast<float>(l.thk);
  }
  compare(p, {0.0f, 0.0383495f, 2000, 2000}, 0);
}

// With the helper thread the rows of a sweep are shared between two threads
// in chunks; every row still gets the plain recursion's bits, whichever
// thread took it, on grids of many chunks with a partial last one, a start
// away from zero and a capacity cut.
TEST(ResponseIdentity, TwoThreads) {
  siteresp::start_sweep_helper();
  if (!siteresp::sweep_helper_running()) GTEST_SKIP() << "a single processor: no helper thread";
  const Grid grids[] = {{0.0f, 0.0383495f, 4097, 4097}, {0.37f, 0.05f, 3000, 2500}};
  std::uint64_t seed = 300;
  for (const Grid& g : grids)
    for (int nl : {3, 25}) {
      ++seed;
      compare(random_profile(seed, nl, 0.2, 0.1), g, seed);
    }
}

// One unusual layer in the middle of an ordinary damped stack, so that the
// layers of a block take different ways through the recursion: a value of
// one layer given to another, or kept from an earlier block, shows in the
// columns.  (phenomenon, the layer: vs, qs, fs, thickness; angle)
TEST(ResponseIdentity, OneUnusualLayerAmongOrdinaryOnes) {
  struct Row {
    const char* phenomenon;
    float vs, qs, fs, thk, theta;
  };
  const Row rows[] = {
      {"phase beyond the series' range", 300.0f, 0.6f, 0.5f, 30000.0f, 0.3f},
      {"evanescent undamped layer, zero phase", 3000.0f, 0.0f, 0.0f, 20.0f, 1.2f},
      {"evanescent damped layer", 3000.0f, 8.0f, 0.5f, 20.0f, 1.2f},
      {"damping fixed among varying", 400.0f, 20.0f, 0.0f, 10.0f, 0.5f},
      {"undamped layer among damped", 400.0f, 0.0f, 0.5f, 10.0f, 0.5f},
      {"thin stiff layer", 2400.0f, 60.0f, 1.0f, 0.01f, 0.5f},
  };
  const Grid grid{0.0f, 0.3067962f, 1025, 1025};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.phenomenon);
    Profile p;
    p.theta = r.theta;
    for (int i = 0; i < 11; ++i) p.layer(1.8f + 0.02f * i, 150.0f + 40.0f * i, 6.0f, 15.0f + i, 0.5f);
    p.layer(2.4f, 1500.0f, 0.0f, 80.0f, 0.5f);
    p.vs[5] = r.vs;
    p.vp[5] = 2.0f * r.vs;
    p.qs[5] = r.qs;
    p.fs[5] = r.fs;
    p.thk[5] = r.thk;
    for (int i = 0; i < p.nl; ++i) {
      p.qp[i] = 2.0f * p.qs[i];
      p.fp[i] = p.fs[i];
    }
    compare(p, grid, 0);
  }
}

// Profiles outside what the routines are meant for still give the same
// numbers (infinities and NaN included): zero and negative Q, zero velocity,
// vp equal to vs, and a thick layer of tiny Q whose phase factors leave the
// double range.
TEST(ResponseIdentity, DegenerateProfiles) {
  const Grid grid{0.0f, 0.6135923f, 100, 100};
  for (int variant = 0; variant < 6; ++variant) {
    Profile p = random_profile(200 + variant, 6, 0.0, 0.0);
    switch (variant) {
      case 0: p.qp[2] = 0.0f; break;           // damped pass meets qp = 0
      case 1: p.qs[3] = -5.0f; break;          // negative Q
      case 2: p.vs[1] = 0.0f; break;           // zero velocity
      case 3: p.vp[4] = p.vs[4]; break;        // vp = vs
      case 4: p.qs[2] = 0.0f; p.qs[3] = 0.0f; break;  // a run of undamped passes
      case 5: p.qs[0] = 0.6f; p.qp[0] = 0.6f; p.thk[0] = 30000.0f; break;
    }
    compare(p, grid, 200 + variant);
  }
}

}  // namespace
