// SH response of layered profiles: limits, closed forms and physics.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "profile.h"

namespace siteresp::layered {
namespace {

// A soft layer of 20 m at 200 m/s over rock at 800 m/s: fundamental
// resonance vs/(4H) = 2.5 Hz.
Profile soft_over_rock(float q1 = 0.0f, float q2 = 0.0f, float f1 = 0.0f, float f2 = 0.0f)
{
  Profile p;
  p.layer(1.8f, 200.0f, 20.0f, q1, f1).layer(2.2f, 800.0f, 0.0f, q2, f2);
  return p;
}

TEST(Sbshml, ZeroFrequencyRowIsExact)
{
  Profile p = soft_over_rock(10.0f, 30.0f, 0.5f, 0.3f);
  p.theta = 0.4f;
  const Response r = run_sh(p);
  EXPECT_TRUE(same_bits(r.col1(1), {2.0f, 0.0f}));
  EXPECT_TRUE(same_bits(r.col2(1), {1.0f, 0.0f}));
  // Not even a profile that breaks the recursion reaches row 1.
  p.dns[1] = 0.0f;
  const Response broken = run_sh(p);
  EXPECT_TRUE(same_bits(broken.col1(1), {2.0f, 0.0f}));
  EXPECT_TRUE(same_bits(broken.col2(1), {1.0f, 0.0f}));
  EXPECT_FALSE(std::isfinite(broken.col1(2).re));
}

TEST(Sbshml, HalfSpaceAloneDoublesEverywhere)
{
  Profile p;
  p.layer(2.0f, 500.0f, 0.0f, 25.0f, 0.4f);
  p.theta = 0.3f;
  const Response r = run_sh(p);
  for (int io = 1; io <= grid_nom; ++io) {
    ASSERT_TRUE(same_bits(r.col1(io), {2.0f, 0.0f})) << io;
    ASSERT_TRUE(same_bits(r.col2(io), {1.0f, 0.0f})) << io;
  }
}

// Rows past nom and the rest of each column keep what they held; column 2
// starts at the capacity.
TEST(Sbshml, WritesOnlyRowsOneToNom)
{
  const int cap = 600, nom = 513;
  const Response r = run_sh(soft_over_rock(), nom, grid_dom, 0.0f, cap);
  EXPECT_TRUE(same_bits(r.amp[cap], {1.0f, 0.0f}));
  for (int io = nom + 1; io <= cap; ++io) {
    ASSERT_TRUE(same_bits(r.col1(io), {7.0f, 7.0f})) << io;
    ASSERT_TRUE(same_bits(r.col2(io), {7.0f, 7.0f})) << io;
  }
}

TEST(Sbshml, UndampedLayerMatchesClosedForm)
{
  const Profile p = soft_over_rock();
  const Response r = run_sh(p);
  for (int io = 2; io <= grid_nom; ++io)
    expect_rows(r, io, one_layer(omega(io), 200.0, 800.0, 1.8, 2.2, 20.0));
}

// Q = max(qs, qs f^fs), the velocity v(1 + i/(2Q)); a negative Q is used as
// read, giving a velocity with negative imaginary part.
TEST(Sbshml, DampedLayerMatchesClosedForm)
{
  struct Row { float q1, f1, q2, f2; };
  const Row rows[] = {{10.0f, 0.5f, 40.0f, 0.8f}, {25.0f, 0.0f, 60.0f, 0.0f}, {-20.0f, 0.5f, 50.0f, 0.0f}};
  for (const Row& w : rows) {
    const Response r = run_sh(soft_over_rock(w.q1, w.q2, w.f1, w.f2));
    for (int io = 2; io <= grid_nom; ++io) {
      const double om = omega(io), freq = static_cast<float>(om / 6.2831855f);
      expect_rows(r, io, one_layer(om, damped(200.0, w.q1, w.f1, freq),
                                        damped(800.0, w.q2, w.f2, freq), 1.8, 2.2, 20.0));
    }
  }
}

// Below 1 Hz a positive exponent cannot lower Q under qs: the rows agree
// bit for bit with a frequency-independent Q, and part ways above 1 Hz.
TEST(Sbshml, QualityFloorBelowOneHertz)
{
  const Response law = run_sh(soft_over_rock(15.0f, 40.0f, 0.6f, 0.9f));
  const Response flat = run_sh(soft_over_rock(15.0f, 40.0f, 0.0f, 0.0f));
  for (int io = 2; io <= grid_nom; ++io) {
    const bool below = omega(io) / 6.2831855f < 1.0;
    EXPECT_EQ(same_bits(law.col1(io), flat.col1(io)), below) << io;
  }
}

TEST(Sbshml, HalfSpaceThicknessIsNeverRead)
{
  Profile p = soft_over_rock(12.0f, 30.0f, 0.3f, 0.1f);
  p.theta = 0.5f;
  const Response a = run_sh(p);
  p.thk[p.nl - 1] = 12345.0f;
  EXPECT_TRUE(same_rows(a, run_sh(p)));
}

// The upper layer's Q alone decides whether a pass is damped.
TEST(Sbshml, UndampedUpperLayerLeavesPassUndamped)
{
  const Response mixed = run_sh(soft_over_rock(0.0f, 30.0f, 0.0f, 0.5f));
  EXPECT_TRUE(same_rows(mixed, run_sh(soft_over_rock())));
}

// A layer cut in two identical parts is the same layer: the inner interface
// passes the waves unchanged and the phases of the parts add up, which holds
// only if each new layer matrix multiplies the stack on the right.
TEST(Sbshml, SplitLayerIsOneLayer)
{
  Profile p;
  p.layer(1.8f, 200.0f, 8.0f, 20.0f, 0.4f).layer(1.8f, 200.0f, 12.0f, 20.0f, 0.4f).layer(2.2f, 800.0f, 0.0f);
  const Response r = run_sh(p);
  for (int io = 2; io <= grid_nom; ++io) {
    const double om = omega(io), freq = static_cast<float>(om / 6.2831855f);
    expect_rows(r, io, one_layer(om, damped(200.0, 20.0, 0.4, freq), 800.0, 1.8, 2.2, 20.0));
  }
}

TEST(Sbshml, DampedStackAtAnAngleMatchesPropagation)
{
  Profile p;
  p.layer(1.6f, 140.0f, 6.0f, 12.0f, 0.5f).layer(1.9f, 320.0f, 14.0f, 25.0f, 0.3f);
  p.layer(1.7f, 210.0f, 9.0f, 18.0f, 0.0f).layer(2.1f, 600.0f, 35.0f, 40.0f, 0.2f);
  p.layer(2.4f, 1200.0f, 0.0f, 80.0f, 0.1f);
  p.theta = 0.45f;
  const Response r = run_sh(p);
  const cd p2 = std::pow(std::sin(double(p.theta)) / 1200.0, 2);
  for (int io = 2; io <= grid_nom; ++io) {
    const double om = omega(io), freq = static_cast<float>(om / 6.2831855f);
    std::vector<cd> v(p.nl);
    for (int i = 0; i < p.nl; ++i) v[i] = damped(p.vs[i], p.qs[i], p.fs[i], freq);
    expect_rows(r, io, propagate(p, v, om, p2));
  }
}

// A damped pass meeting a zero Q below keeps that velocity real instead of
// dividing by zero.
TEST(Sbshml, ZeroQualityBelowDampedLayerIsUndamped)
{
  const Response r = run_sh(soft_over_rock(20.0f, 0.0f, 0.3f, 0.7f));
  for (int io = 2; io <= grid_nom; ++io) {
    const double om = omega(io), freq = static_cast<float>(om / 6.2831855f);
    expect_rows(r, io, one_layer(om, damped(200.0, 20.0, 0.3, freq), 800.0, 1.8, 2.2, 20.0));
  }
}

// Grid rows where |column 1| has a local maximum.
std::vector<int> peaks(const Response& r)
{
  std::vector<int> rows;
  for (int io = 3; io < grid_nom; ++io) {
    const double m = std::abs(as_cd(r.col1(io)));
    if (m > std::abs(as_cd(r.col1(io - 1))) && m >= std::abs(as_cd(r.col1(io + 1)))) rows.push_back(io);
  }
  return rows;
}

double hz(int io) { return omega(io) / (2.0 * std::numbers::pi); }

// Peaks at (2m-1) vs/(4H), within one grid step (0.098 Hz); with damping they
// fall with m and stay below the undamped ones.
TEST(Sbshml, ResonancesOfDampedLayer)
{
  const Response damp = run_sh(soft_over_rock(20.0f, 50.0f));
  const Response bare = run_sh(soft_over_rock());
  const std::vector<int> rows = peaks(damp);
  ASSERT_EQ(rows.size(), 10u);
  const double step = hz(2);
  for (std::size_t m = 1; m <= rows.size(); ++m) {
    const int io = rows[m - 1];
    EXPECT_NEAR(hz(io), (2.0 * m - 1.0) * 200.0 / 80.0, step) << "mode " << m;
    EXPECT_LT(std::abs(as_cd(damp.col1(io))), std::abs(as_cd(bare.col1(io)))) << "mode " << m;
    if (m > 1) {
      EXPECT_LT(std::abs(as_cd(damp.col1(io))), std::abs(as_cd(damp.col1(rows[m - 2]))));
    }
  }
}

// At incidence theta the wave in the layer travels at phi with
// sin(phi) = vs1/vs2 sin(theta), and the resonances rise by 1/cos(phi).
TEST(Sbshml, ObliqueIncidenceRaisesResonances)
{
  Profile p;
  p.layer(1.9f, 400.0f, 40.0f).layer(2.1f, 500.0f, 0.0f);
  p.theta = static_cast<float>(60.0 * std::numbers::pi / 180.0);
  const Response r = run_sh(p);
  const double phi = std::asin(400.0 / 500.0 * std::sin(double(p.theta)));
  const std::vector<int> rows = peaks(r);
  ASSERT_EQ(rows.size(), 7u);
  for (std::size_t m = 1; m <= rows.size(); ++m) {
    const double normal = (2.0 * m - 1.0) * 400.0 / 160.0;
    EXPECT_NEAR(hz(rows[m - 1]), normal / std::cos(phi), hz(2)) << "mode " << m;
  }
  const cd p2 = std::pow(std::sin(double(p.theta)) / 500.0, 2);
  for (int io = 2; io <= grid_nom; ++io)
    expect_rows(r, io, one_layer(omega(io), 400.0, 500.0, 1.9, 2.1, 40.0, p2));
}

// A layer faster than the apparent horizontal velocity carries an evanescent
// wave, decaying downwards: the vertical wavenumber is on the positive
// imaginary axis.
TEST(Sbshml, EvanescentLayer)
{
  Profile p;
  p.layer(2.0f, 600.0f, 10.0f).layer(2.0f, 300.0f, 0.0f);
  p.theta = static_cast<float>(60.0 * std::numbers::pi / 180.0);
  const Response r = run_sh(p);
  const cd p2 = std::pow(std::sin(double(p.theta)) / 300.0, 2);
  for (int io = 2; io <= grid_nom; ++io)
    expect_rows(r, io, one_layer(omega(io), 600.0, 300.0, 2.0, 2.0, 10.0, p2));
  // E = cosh(kH) - 2 sinh(kH) turns negative once kH exceeds atanh(1/2).
  EXPECT_LT(r.col1(grid_nom).re, 0.0f);
}

TEST(Sbshml, LayerOrderMatters)
{
  Profile a, b;
  a.layer(1.7f, 150.0f, 10.0f, 15.0f).layer(1.9f, 300.0f, 25.0f, 25.0f).layer(2.2f, 800.0f, 0.0f, 50.0f);
  b.layer(1.9f, 300.0f, 25.0f, 25.0f).layer(1.7f, 150.0f, 10.0f, 15.0f).layer(2.2f, 800.0f, 0.0f, 50.0f);
  const Response ra = run_sh(a), rb = run_sh(b);
  double most = 0.0;
  for (int io = 2; io <= grid_nom; ++io) most = std::max(most, std::abs(as_cd(ra.col1(io)) - as_cd(rb.col1(io))));
  EXPECT_GT(most, 0.5);
}

// A start frequency other than zero computes row 1 too; with an exact step
// the rows are those of the zero-start grid shifted.
TEST(Sbshml, NonZeroStartShiftsTheGrid)
{
  const Profile p = soft_over_rock(20.0f, 50.0f, 0.4f, 0.2f);
  const Response zero = run_sh(p, 100, 0.5f, 0.0f), five = run_sh(p, 95, 0.5f, 2.5f);
  for (int io = 1; io <= 95; ++io) {
    ASSERT_TRUE(same_bits(five.col1(io), zero.col1(io + 5))) << io;
    ASSERT_TRUE(same_bits(five.col2(io), zero.col2(io + 5))) << io;
  }
}

TEST(Sbshml, FullCapacityProfile)
{
  Profile p;
  for (int i = 0; i < ml - 1; ++i) p.layer(1.8f + 0.005f * i, 150.0f + 10.0f * i, 2.0f, 20.0f, 0.3f);
  p.layer(2.4f, 1500.0f, 0.0f, 100.0f);
  p.theta = 0.2f;
  const Response r = run_sh(p);
  for (int io = 1; io <= grid_nom; ++io) {
    ASSERT_TRUE(std::isfinite(r.col1(io).re) && std::isfinite(r.col1(io).im)) << io;
    ASSERT_TRUE(std::isfinite(r.col2(io).re) && std::isfinite(r.col2(io).im)) << io;
  }
}

TEST(Sbshml, LayerCountOutsideCapacityWritesNothing)
{
  for (int nl : {0, -1, ml + 1}) {
    Profile p = soft_over_rock();
    p.nl = nl;
    const Response r = run_sh(p);
    for (int io = 1; io <= grid_nom; ++io) ASSERT_TRUE(same_bits(r.col1(io), {7.0f, 7.0f}));
  }
}

}  // namespace
}  // namespace siteresp::layered
