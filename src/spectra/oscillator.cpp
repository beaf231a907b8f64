#include "spectra/oscillator.h"

#include <algorithm>
#include <cmath>

namespace sitekit::spectra {

StepCoefficients nigam_jennings(double omega, double zeta, double h) {
  const double w = omega, z = zeta;
  const double root = std::sqrt(1.0 - z * z);
  const double wd = w * root;
  const double e = std::exp(-z * w * h);
  const double s = std::sin(wd * h);
  const double c = std::cos(wd * h);
  const double r = z / root;
  const double w2 = w * w;
  const double t1 = (2.0 * z * z - 1.0) / (w2 * h);
  const double t2 = 2.0 * z / (w2 * w * h);
  // Pairs of the decaying sine and cosine that recur in the velocity row.
  const double crs = c - r * s;
  const double wsc = wd * s + z * w * c;
  StepCoefficients k{};
  k.a11 = e * (r * s + c);
  k.a12 = e * s / wd;
  k.a21 = -(w / root) * e * s;
  k.a22 = e * crs;
  k.b11 = e * ((t1 + z / w) * s / wd + (t2 + 1.0 / w2) * c) - t2;
  k.b12 = -e * (t1 * s / wd + t2 * c) - 1.0 / w2 + t2;
  k.b21 = e * ((t1 + z / w) * crs - (t2 + 1.0 / w2) * wsc) + 1.0 / (w2 * h);
  k.b22 = -e * (t1 * crs - t2 * wsc) - 1.0 / (w2 * h);
  return k;
}

int substeps(double dt, double period) {
  const double m = std::ceil(10.0 * dt / period);
  return m > 1.0 ? static_cast<int>(std::min(m, 1e6)) : 1;
}

}  // namespace sitekit::spectra
