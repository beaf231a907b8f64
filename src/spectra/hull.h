#pragma once
// Convex hull of a point set together with its mirror image through the
// origin (the set of +p and -p), the points a projection peak can lie on.
#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace sitekit::spectra::detail {

struct Point {
  double x, y;
};

// Vertices of the hull in counter-clockwise order; fewer than three for a
// degenerate set (all points on a line through the origin, or all zero).
std::vector<Point> symmetric_hull(std::span<const double> x, std::span<const double> y);

// The same hull for a trajectory given in runs, without its points at hand:
// some of its points (sub_x, sub_y), the box of every run (least x, most x,
// least y, most y; four values per run), and points_of(r, x, y), which
// appends run r's points.  Only the runs whose box pokes out of the hull of
// the given points are asked for.
using RunPoints = std::function<void(std::size_t, std::vector<double>&, std::vector<double>&)>;
std::vector<Point> symmetric_hull_of_runs(std::span<const double> sub_x, std::span<const double> sub_y,
                                          std::span<const double> boxes, const RunPoints& points_of);

}  // namespace sitekit::spectra::detail
