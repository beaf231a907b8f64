#pragma once
// Convex hull of a point set together with its mirror image through the
// origin (the set of +p and -p), the points a projection peak can lie on.
#include <span>
#include <vector>

namespace sitekit::spectra::detail {

struct Point {
  double x, y;
};

// Vertices of the hull in counter-clockwise order; fewer than three for a
// degenerate set (all points on a line through the origin, or all zero).
std::vector<Point> symmetric_hull(std::span<const double> x, std::span<const double> y);

}  // namespace sitekit::spectra::detail
