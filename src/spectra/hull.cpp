#include "spectra/hull.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace sitekit::spectra::detail {
namespace {

double cross(Point o, Point a, Point b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

// The points that lie farthest along four directions (0, 45, 90 and 135
// degrees) and their mirrors, in counter-clockwise order: a symmetric
// octagon inside the hull.  Whatever lies strictly inside it cannot be a
// vertex of the hull.  One pass over the points.
std::vector<Point> probe_polygon(std::span<const double> x, std::span<const double> y) {
  double hi[4] = {-INFINITY, -INFINITY, -INFINITY, -INFINITY}, lo[4] = {INFINITY, INFINITY, INFINITY, INFINITY};
  std::size_t ihi[4] = {}, ilo[4] = {};
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double p[4] = {x[i], x[i] + y[i], y[i], y[i] - x[i]};  // along d * sqrt(2) for the diagonals
    for (int d = 0; d < 4; ++d) {
      if (p[d] > hi[d]) hi[d] = p[d], ihi[d] = i;
      if (p[d] < lo[d]) lo[d] = p[d], ilo[d] = i;
    }
  }
  std::vector<Point> poly;
  if (x.empty()) return poly;
  // Farthest along direction d is the larger of +p at ihi and -p at ilo.
  auto far = [&](int d, bool mirror) {
    const bool use_hi = hi[d] >= -lo[d];
    const std::size_t i = use_hi ? ihi[d] : ilo[d];
    const double sign = (use_hi ? 1.0 : -1.0) * (mirror ? -1.0 : 1.0);
    return Point{sign * x[i], sign * y[i]};
  };
  for (int d = 0; d < 4; ++d) poly.push_back(far(d, false));
  for (int d = 0; d < 4; ++d) poly.push_back(far(d, true));
  return poly;
}

// Radius of a circle about the origin inside the polygon (0 if the polygon
// is degenerate).
double inner_radius(const std::vector<Point>& poly) {
  double r = INFINITY;
  for (std::size_t i = 0; i < poly.size(); ++i) {
    const Point a = poly[i], b = poly[(i + 1) % poly.size()];
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    if (len == 0.0) continue;
    r = std::min(r, std::fabs(cross(a, b, Point{0.0, 0.0})) / len);
  }
  return std::isfinite(r) ? r : 0.0;
}

bool strictly_inside(const std::vector<Point>& poly, Point p) {
  for (std::size_t i = 0; i < poly.size(); ++i)
    if (cross(poly[i], poly[(i + 1) % poly.size()], p) <= 0.0) return false;
  return true;
}

// Andrew's monotone chain.
std::vector<Point> hull_of(std::vector<Point> pts) {
  std::sort(pts.begin(), pts.end(), [](Point a, Point b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  pts.erase(std::unique(pts.begin(), pts.end(), [](Point a, Point b) { return a.x == b.x && a.y == b.y; }),
            pts.end());
  if (pts.size() < 3) return pts;
  std::vector<Point> h(2 * pts.size());
  std::size_t k = 0;
  for (const Point& p : pts) {
    while (k >= 2 && cross(h[k - 2], h[k - 1], p) <= 0.0) --k;
    h[k++] = p;
  }
  for (std::size_t i = pts.size() - 1, lower = k + 1; i-- > 0;) {
    while (k >= lower && cross(h[k - 2], h[k - 1], pts[i]) <= 0.0) --k;
    h[k++] = pts[i];
  }
  h.resize(k - 1);
  return h;
}

}  // namespace

std::vector<Point> symmetric_hull(std::span<const double> x, std::span<const double> y) {
  const std::size_t n = std::min(x.size(), y.size());
  x = x.first(n), y = y.first(n);
  const std::vector<Point> poly = probe_polygon(x, y);
  const double r = inner_radius(poly);
  const double r2 = r * r * (1.0 - 1e-12);
  std::vector<Point> keep(poly);
  for (std::size_t i = 0; i < n; ++i) {
    const Point p{x[i], y[i]};
    if (p.x * p.x + p.y * p.y < r2) continue;
    if (strictly_inside(poly, p)) continue;
    keep.push_back(p);
    keep.push_back({-p.x, -p.y});
  }
  return hull_of(std::move(keep));
}

}  // namespace sitekit::spectra::detail
