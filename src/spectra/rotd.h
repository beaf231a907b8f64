#pragma once
// Orientation-independent spectra of two horizontal components: RotD50 and
// RotD100 as PEER defines them, over rotation angles 0..179 degrees in
// steps of 1 degree.
#include <span>
#include <vector>

namespace sitekit::spectra {

struct RotDValue {
  double period = 0;  // s
  double rotd50 = 0;  // median over the angles of omega^2 * peak |u(angle)|
  double rotd100 = 0; // largest of them
  // omega^2 * peak |u| of each component alone: the same numbers as the
  // psa of response_spectrum, which need not run the oscillators again;
  // psa3 that of the third (vertical) input, when one is given.
  double psa1 = 0, psa2 = 0, psa3 = 0;
};

// Period 0 rotates the accelerations themselves.  Both components share dt;
// the shorter length is used.  A third input a3 at least as long (the
// vertical) gets its single spectrum in psa3 from the same pass.
std::vector<RotDValue> rotd_spectrum(std::span<const double> a1, std::span<const double> a2,
                                     double dt, std::span<const double> periods, double zeta,
                                     unsigned threads = 1, std::span<const double> a3 = {});

// Peak of |x cos(angle) + y sin(angle)| over the points, for angle = 0..179
// degrees.  The peak of a projection lies on a vertex of the convex hull of
// the points and their mirror images, so only the hull is projected.
std::vector<double> rotated_peaks(std::span<const double> x, std::span<const double> y);

// RotD50 (the mean of the two middle values of 180) and RotD100 of the
// rotated peaks.
RotDValue percentiles_of(std::vector<double> peaks);

// RotD and the single components' peaks (psa1, psa2) of one pair of
// histories, unscaled.
RotDValue rotd_of(std::span<const double> x, std::span<const double> y);

}  // namespace sitekit::spectra
