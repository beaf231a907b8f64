#pragma once
// Intensity measures of one acceleration history.
//
// Velocity and displacement come from the acceleration as given (no
// baseline correction, no filter): trapezoidal integration from rest,
// v(0) = d(0) = 0.  Units follow the record: with a in cm/s2, PGV is in
// cm/s, PGD in cm, Arias intensity in cm/s (g taken as 980.665 cm/s2 unless
// the caller says otherwise), CAV in cm/s and D5-95 in seconds.
#include <span>

namespace sitekit::spectra {

struct Intensity {
  double pga = 0;    // max |a|
  double pgv = 0;    // max |v|, v the trapezoidal integral of a
  double pgd = 0;    // max |d|, d the trapezoidal integral of v
  double arias = 0;  // pi / (2 g) * integral of a^2 (a linear between samples)
  double d5_95 = 0;  // time from 5 % to 95 % of the Arias integral
  double cav = 0;    // integral of |a| (a linear between samples)
};

inline constexpr double standard_gravity_cm_s2 = 980.665;

// An empty history or dt <= 0 gives all zeros.
Intensity intensity(std::span<const double> a, double dt, double g = standard_gravity_cm_s2);

}  // namespace sitekit::spectra
