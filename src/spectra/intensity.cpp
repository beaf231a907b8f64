#include "spectra/intensity.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace sitekit::spectra {
namespace {

// Integral of x^2 over one step with x linear between x0 and x1.
double square_step(double x0, double x1, double dt) { return dt * (x0 * x0 + x0 * x1 + x1 * x1) / 3.0; }

// Integral of |x| over one step with x linear between x0 and x1 (a sign
// change splits the step at the zero crossing).
double abs_step(double x0, double x1, double dt) {
  if ((x0 >= 0.0) == (x1 >= 0.0)) return 0.5 * dt * std::fabs(x0 + x1);
  return 0.5 * dt * (x0 * x0 + x1 * x1) / (std::fabs(x0) + std::fabs(x1));
}

// Time at which the running Arias integral reaches `level`, linear inside
// the step where it is crossed.
double crossing_time(const std::vector<double>& running, double level, double dt) {
  const auto it = std::lower_bound(running.begin(), running.end(), level);
  if (it == running.begin()) return 0.0;
  if (it == running.end()) return dt * static_cast<double>(running.size() - 1);
  const std::size_t k = static_cast<std::size_t>(it - running.begin());
  const double lo = running[k - 1], hi = running[k];
  const double frac = hi > lo ? (level - lo) / (hi - lo) : 0.0;
  return dt * (static_cast<double>(k - 1) + frac);
}

}  // namespace

Intensity intensity(std::span<const double> a, double dt, double g) {
  Intensity m;
  if (a.empty() || !(dt > 0.0)) return m;
  std::vector<double> running(a.size(), 0.0);  // integral of a^2 up to each sample
  double v = 0.0, d = 0.0;
  m.pga = std::fabs(a[0]);
  for (std::size_t i = 1; i < a.size(); ++i) {
    const double v_next = v + 0.5 * dt * (a[i - 1] + a[i]);
    d += 0.5 * dt * (v + v_next);
    v = v_next;
    m.pga = std::max(m.pga, std::fabs(a[i]));
    m.pgv = std::max(m.pgv, std::fabs(v));
    m.pgd = std::max(m.pgd, std::fabs(d));
    running[i] = running[i - 1] + square_step(a[i - 1], a[i], dt);
    m.cav += abs_step(a[i - 1], a[i], dt);
  }
  const double total = running.back();
  m.arias = std::numbers::pi / (2.0 * g) * total;
  if (total > 0.0)
    m.d5_95 = crossing_time(running, 0.95 * total, dt) - crossing_time(running, 0.05 * total, dt);
  return m;
}

}  // namespace sitekit::spectra
