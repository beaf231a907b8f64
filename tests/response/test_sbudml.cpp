// Vertical P-SV response: the SH recursion on equivalent velocities.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "profile.h"

namespace siteresp::layered {
namespace {

// vs = 100 over vs = 400, vp = 2 vs everywhere (Profile::layer's default).
Profile twice_shear(float qs1 = 0.0f, float qs2 = 0.0f)
{
  Profile p;
  p.layer(1.8f, 100.0f, 20.0f, qs1, 0.3f).layer(2.2f, 400.0f, 0.0f, qs2, 0.1f);
  return p;
}

// Equivalent velocity vs*sqrt(3/(1 - vs^2/vp^2)) of complex velocities.
cd equivalent(cd s, cd p) { return s * std::sqrt(3.0 / (1.0 - (s * s) / (p * p))); }

TEST(Sbudml, LimitRows)
{
  Profile p = twice_shear(10.0f, 30.0f);
  p.qp[0] = 20.0f;
  p.qp[1] = 60.0f;
  p.theta = 0.4f;
  const Response r = run_psv(p);
  EXPECT_TRUE(same_bits(r.col1(1), {2.0f, 0.0f}));
  EXPECT_TRUE(same_bits(r.col2(1), {1.0f, 0.0f}));
  p.nl = 1;
  const Response h = run_psv(p);
  for (int io = 1; io <= grid_nom; ++io) {
    ASSERT_TRUE(same_bits(h.col1(io), {2.0f, 0.0f})) << io;
    ASSERT_TRUE(same_bits(h.col2(io), {1.0f, 0.0f})) << io;
  }
}

// With vp = 2 vs the intermediate values 0.25, 0.75, 4 and 2 are exact, so
// the equivalent velocity is vp itself and the response is the SH response
// of the P velocities, bit for bit, at any angle.
TEST(Sbudml, TwiceShearSpeedIsShOfPSpeed)
{
  Profile p;
  p.layer(1.7f, 110.0f, 6.0f).layer(1.9f, 170.0f, 14.0f).layer(2.0f, 260.0f, 30.0f).layer(2.3f, 700.0f, 0.0f);
  p.theta = 0.35f;
  Profile sh = p;
  sh.vs = p.vp;
  EXPECT_TRUE(same_rows(run_psv(p), run_sh(sh)));
}

TEST(Sbudml, UndampedLayerMatchesClosedForm)
{
  const Response r = run_psv(twice_shear());
  for (int io = 2; io <= grid_nom; ++io)
    expect_rows(r, io, one_layer(omega(io), 200.0, 800.0, 1.8, 2.2, 20.0));
}

// Both wave types damped by their own Q laws; a zero P-wave Q inside a
// damped pass leaves that P velocity real.
TEST(Sbudml, DampedLayerMatchesClosedForm)
{
  struct Row { float qp1, qp2; };
  const Row rows[] = {{30.0f, 80.0f}, {0.0f, 80.0f}, {30.0f, 0.0f}, {0.0f, 0.0f}};
  for (const Row& w : rows) {
    Profile p = twice_shear(15.0f, 40.0f);
    p.vp[0] = 260.0f;
    p.qp[0] = w.qp1;
    p.fp[0] = 0.5f;
    p.qp[1] = w.qp2;
    p.fp[1] = 0.2f;
    const Response r = run_psv(p);
    for (int io = 2; io <= grid_nom; ++io) {
      const double om = omega(io), freq = static_cast<float>(om / 6.2831855f);
      const cd v1 = equivalent(damped(100.0, 15.0, 0.3, freq), damped(260.0, w.qp1, 0.5, freq));
      const cd v2 = equivalent(damped(400.0, 40.0, 0.1, freq), damped(800.0, w.qp2, 0.2, freq));
      expect_rows(r, io, one_layer(om, v1, v2, 1.8, 2.2, 20.0));
    }
  }
}

// The half-space enters the slowness with its undamped equivalent velocity
// and the recursion with its damped one.
TEST(Sbudml, DampedStackAtAnAngleMatchesPropagation)
{
  Profile p;
  p.layer(1.6f, 140.0f, 6.0f, 12.0f, 0.5f).layer(1.9f, 320.0f, 14.0f, 25.0f, 0.3f);
  p.layer(1.7f, 210.0f, 9.0f, 18.0f, 0.0f).layer(2.4f, 1200.0f, 0.0f, 80.0f, 0.1f);
  const float ratio[] = {3.5f, 1.9f, 2.6f, 1.8f};
  for (int i = 0; i < p.nl; ++i) {
    p.vp[i] = ratio[i] * p.vs[i];
    p.qp[i] = 1.5f * p.qs[i];
    p.fp[i] = 0.25f;
  }
  p.theta = 0.45f;
  const Response r = run_psv(p);
  const cd p2 = std::pow(std::sin(double(p.theta)) / equivalent(1200.0, p.vp[3]).real(), 2);
  for (int io = 2; io <= grid_nom; ++io) {
    const double om = omega(io), freq = static_cast<float>(om / 6.2831855f);
    std::vector<cd> v(p.nl);
    for (int i = 0; i < p.nl; ++i)
      v[i] = equivalent(damped(p.vs[i], p.qs[i], p.fs[i], freq), damped(p.vp[i], p.qp[i], p.fp[i], freq));
    expect_rows(r, io, propagate(p, v, om, p2));
  }
}

// The S-wave Q of the upper layer alone decides: when it is zero the pass
// stays undamped whatever the other three Q values are.
TEST(Sbudml, UndampedUpperLayerLeavesPassUndamped)
{
  Profile p = twice_shear(0.0f, 30.0f);
  p.qp[0] = 20.0f;
  p.qp[1] = 60.0f;
  EXPECT_TRUE(same_rows(run_psv(p), run_psv(twice_shear())));
}

TEST(Sbudml, HalfSpaceThicknessIsNeverRead)
{
  Profile p = twice_shear(12.0f, 30.0f);
  p.qp[0] = 25.0f;
  p.qp[1] = 70.0f;
  p.theta = 0.5f;
  const Response a = run_psv(p);
  p.thk[p.nl - 1] = 999.0f;
  EXPECT_TRUE(same_rows(a, run_psv(p)));
}

// With a constant ratio vp/vs the P-SV response is the SH response of the
// shear velocities scaled by sqrt(3/(1 - vs^2/vp^2)), up to rounding.  The
// impedance grows downwards, so every entry of the stack stays within 1 and
// the error is that of the phases, a few eps of the total phase.
TEST(Sbudml, ConstantRatioEqualsScaledSh)
{
  Profile p;
  p.layer(1.6f, 120.0f, 8.0f).layer(1.8f, 250.0f, 15.0f).layer(2.0f, 400.0f, 30.0f).layer(2.3f, 900.0f, 0.0f);
  p.theta = static_cast<float>(25.0 * std::numbers::pi / 180.0);
  const double scale = std::sqrt(3.0 / (1.0 - 1.0 / (1.8 * 1.8)));
  Profile sh = p;
  for (int i = 0; i < p.nl; ++i) {
    p.vp[i] = static_cast<float>(1.8 * p.vs[i]);
    sh.vs[i] = static_cast<float>(scale * p.vs[i]);
  }
  const Response a = run_psv(p), b = run_sh(sh);
  double travel = 0.0;
  for (int i = 0; i + 1 < p.nl; ++i) travel += p.thk[i] / sh.vs[i];
  for (int io = 2; io <= grid_nom; ++io) {
    const double tol = 16 * feps * (1.0 + omega(io) * travel);
    EXPECT_LE(std::abs(1.0 / as_cd(a.col1(io)) - 1.0 / as_cd(b.col1(io))), tol) << io;
    EXPECT_LE(std::abs(1.0 / as_cd(a.col2(io)) - 1.0 / as_cd(b.col2(io))), tol) << io;
  }
}

}  // namespace
}  // namespace siteresp::layered
