#include "spectra/hull.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>

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

// By x, then y; a lambda, so that the sort inlines it.
constexpr auto before = [](Point a, Point b) { return a.x < b.x || (a.x == b.x && a.y < b.y); };

// The hull of the points and their mirrors, by Andrew's monotone chain.
// Only the given side is sorted: its mirrors, negated in reverse order, are
// sorted too, and one merge gives the whole set in order.  The upper chain
// of a set symmetric about the origin is its lower chain negated (a cross
// product of negated points is the same number), so only the lower chain is
// built.
std::vector<Point> hull_of(std::vector<Point> side) {
  std::sort(side.begin(), side.end(), before);
  std::vector<Point> mirrors(side.rbegin(), side.rend());
  for (Point& p : mirrors) p = {-p.x, -p.y};
  std::vector<Point> pts(2 * side.size());
  std::merge(side.begin(), side.end(), mirrors.begin(), mirrors.end(), pts.begin(), before);
  pts.erase(std::unique(pts.begin(), pts.end(), [](Point a, Point b) { return a.x == b.x && a.y == b.y; }),
            pts.end());
  if (pts.size() < 3) return pts;
  std::vector<Point> h(pts.size());
  std::size_t k = 0;
  for (const Point& p : pts) {
    while (k >= 2 && cross(h[k - 2], h[k - 1], p) <= 0.0) --k;
    h[k++] = p;
  }
  h.resize(k);
  for (std::size_t i = 1; i + 1 < k; ++i) h.push_back({-h[i].x, -h[i].y});
  return h;
}

// The points and their mirrors filtered through the octagon of their
// extremes, then the hull of what is left.  Fine for a few thousand points;
// on long histories the octagon lets too many through and the sort
// dominates.
std::vector<Point> octagon_hull(std::span<const double> x, std::span<const double> y) {
  const std::vector<Point> poly = probe_polygon(x, y);
  const double r = inner_radius(poly);
  const double r2 = r * r * (1.0 - 1e-12);
  std::vector<Point> keep(poly);
  for (std::size_t i = 0; i < x.size(); ++i) {
    const Point p{x[i], y[i]};
    if (p.x * p.x + p.y * p.y < r2) continue;
    if (strictly_inside(poly, p)) continue;
    keep.push_back(p);
  }
  return hull_of(std::move(keep));
}

// A monotone stand-in for the angle of a point folded into the upper half
// plane (p and -p share it): 0 along +x, 1 along +y, towards 2 along -x.
// One division instead of an arc tangent.
double folded_pseudo_angle(Point p) {
  if (p.y < 0.0 || (p.y == 0.0 && p.x < 0.0)) p = {-p.x, -p.y};
  const double s = std::fabs(p.x) + p.y;
  return s > 0.0 ? 1.0 - p.x / s : 0.0;
}

// The direction with folded pseudo-angle t in [0, 2].
Point direction_of(double t) { return t <= 1.0 ? Point{1.0 - t, t} : Point{1.0 - t, 2.0 - t}; }

// For a convex polygon symmetric about the origin, the squared distance
// below which a point is surely inside, per sector of folded pseudo-angle.
// A sector's bound is the smallest of the boundary's distance along its two
// edge rays and the distances of the edge lines whose normals point into it:
// the boundary's distance from the origin has its minima at such feet.
class SectorBounds {
public:
  static constexpr int count = 128;

  explicit SectorBounds(const std::vector<Point>& poly) {
    rays(poly);
    for (int k = 0; k < count; ++k) bound_[k] = std::min(ray_[k], ray_[k + 1]);
    for (std::size_t i = 0; i < poly.size(); ++i) {
      const Point a = poly[i], b = poly[(i + 1) % poly.size()];
      const Point n{b.y - a.y, a.x - b.x};  // outward for counter-clockwise order
      const double len = std::hypot(n.x, n.y);
      if (len == 0.0) continue;
      const double d = (n.x * a.x + n.y * a.y) / len;
      const int k = sector_of(n);
      bound_[k] = std::min(bound_[k], d);
    }
    for (double& b : bound_) b = b > 0.0 ? b * b * (1.0 - 1e-9) : 0.0;
    least_ = *std::min_element(bound_, bound_ + count);
  }

  // The bounds hold to the ninth digit only where the polygon is not too
  // thin: a point's sector may be off by a rounding of its pseudo-angle,
  // and the boundary's distance changes fast near the tips of a needle.
  bool usable(const std::vector<Point>& poly) const {
    double far = 0.0;
    for (const Point& p : poly) far = std::max(far, p.x * p.x + p.y * p.y);
    return least_ > 1e-6 * far;
  }

  // True when p lies surely inside the polygon.
  bool inside(Point p) const {
    const double r2 = p.x * p.x + p.y * p.y;
    if (r2 < least_) return true;
    return r2 < bound_[sector_of(p)];
  }

private:
  static int sector_of(Point p) {
    return std::min(count - 1, static_cast<int>(folded_pseudo_angle(p) * (count / 2)));
  }

  // Distance from the origin to the boundary along direction u: the
  // nearest of the edge lines that u meets from inside, over edges i - 1,
  // i and i + 1 (the edge u crosses, and its neighbours in case rounding
  // put u on the wrong side of a corner).  Other lines only lie farther.
  static double along(const std::vector<Point>& poly, Point u, double ulen, std::size_t i) {
    const std::size_t h = poly.size();
    double best = INFINITY;
    for (std::size_t j : {i + h - 1, i, i + 1}) {
      const Point a = poly[j % h], b = poly[(j + 1) % h];
      const Point n{b.y - a.y, a.x - b.x};
      const double d = n.x * a.x + n.y * a.y, nu = (n.x * u.x + n.y * u.y) / ulen;
      if (nu > 0.0) best = std::min(best, d / nu);
    }
    return std::isfinite(best) ? best : 0.0;
  }

  static double cross0(Point a, Point b) { return a.x * b.y - a.y * b.x; }

  // The sector edge rays and their lengths, the same for every polygon.
  struct Rays {
    Point u[count + 1];
    double len[count + 1];
    Rays() {
      for (int k = 0; k <= count; ++k) u[k] = direction_of(2.0 * k / count), len[k] = std::hypot(u[k].x, u[k].y);
    }
  };

  // The boundary's distance along every sector edge ray, walking the
  // polygon's edges with the rays (both turn counter-clockwise): one pass
  // over the edges, not one per ray.  All zero unless the origin is
  // strictly inside.
  void rays(const std::vector<Point>& poly) {
    const std::size_t h = poly.size();
    std::fill(ray_, ray_ + count + 1, 0.0);
    for (std::size_t j = 0; j < h; ++j)
      if (cross0(poly[j], poly[(j + 1) % h]) <= 0.0) return;
    std::size_t i = 0;
    const Point first = direction_of(0.0);
    while (i < h && !(cross0(poly[i], first) >= 0.0 && cross0(first, poly[(i + 1) % h]) > 0.0)) ++i;
    if (i == h) return;
    static const Rays r;
    for (int k = 0; k <= count; ++k) {
      const Point u = r.u[k];
      for (std::size_t steps = 0; steps < h && cross0(u, poly[(i + 1) % h]) <= 0.0; ++steps) i = (i + 1) % h;
      ray_[k] = along(poly, u, r.len[k], i);
    }
  }

  double ray_[count + 1];
  double bound_[count];
  double least_ = 0.0;
};

// Two lanes: what every x86-64 and AArch64 processor has.
using v2 = double __attribute__((vector_size(16)));

v2 load2(const double* p) {
  v2 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// The bounding box of a run of points.
struct Box {
  double x0, x1, y0, y1;
};

Box box_of(const double* x, const double* y, std::size_t n) {
  v2 lx = load2(x), hx = lx, ly = load2(y), hy = ly;
  std::size_t i = 2;
  for (; i + 2 <= n; i += 2) {
    const v2 vx = load2(x + i), vy = load2(y + i);
    lx = vx < lx ? vx : lx, hx = vx > hx ? vx : hx;
    ly = vy < ly ? vy : ly, hy = vy > hy ? vy : hy;
  }
  Box b{std::min(lx[0], lx[1]), std::max(hx[0], hx[1]), std::min(ly[0], ly[1]), std::max(hy[0], hy[1])};
  for (; i < n; ++i)
    b = {std::min(b.x0, x[i]), std::max(b.x1, x[i]), std::min(b.y0, y[i]), std::max(b.y1, y[i])};
  return b;
}

// A convex polygon holds a box when it holds the box's corners.
bool holds(const SectorBounds& inner, const Box& b) {
  return inner.inside({b.x0, b.y0}) && inner.inside({b.x1, b.y0}) && inner.inside({b.x0, b.y1}) &&
         inner.inside({b.x1, b.y1});
}

// Adds to keep every point not surely inside the inner polygon.
void keep_outside(const SectorBounds& inner, const double* x, const double* y, std::size_t n,
                  std::vector<Point>& keep) {
  for (std::size_t i = 0; i < n; ++i) {
    const Point p{x[i], y[i]};
    if (!inner.inside(p)) keep.push_back(p);
  }
}

// The hull of some of the points, and its sector bounds when they can be
// trusted; otherwise the caller takes every point.
struct InnerHull {
  std::vector<Point> keep;
  std::optional<SectorBounds> inner;
};

InnerHull inner_hull(std::span<const double> x, std::span<const double> y) {
  InnerHull h{symmetric_hull(x, y), std::nullopt};
  if (h.keep.size() < 3) return h;
  h.inner.emplace(h.keep);
  if (!h.inner->usable(h.keep)) h.inner.reset();
  return h;
}

}  // namespace

// Long histories: the hull of every eighth point lies inside the whole hull
// and is close to it, so nearly every point is dropped by one comparison
// against its sector's bound before anything is sorted.
std::vector<Point> symmetric_hull(std::span<const double> x, std::span<const double> y) {
  constexpr std::size_t direct_up_to = 1024, stride = 8;
  const std::size_t n = std::min(x.size(), y.size());
  x = x.first(n), y = y.first(n);
  if (n <= direct_up_to) return octagon_hull(x, y);
  std::vector<double> sx, sy;
  sx.reserve(n / stride + 1), sy.reserve(n / stride + 1);
  for (std::size_t i = 0; i < n; i += stride) sx.push_back(x[i]), sy.push_back(y[i]);
  InnerHull h = inner_hull(sx, sy);
  if (!h.inner) return octagon_hull(x, y);
  // A history moves little from one sub-step to the next, so most runs of
  // 32 points lie in a box well inside and are dropped together.
  constexpr std::size_t run = 32;
  for (std::size_t b = 0; b < n; b += run) {
    const std::size_t e = std::min(n, b + run);
    if (e - b >= 2 && holds(*h.inner, box_of(&x[b], &y[b], e - b))) continue;
    keep_outside(*h.inner, &x[b], &y[b], e - b, h.keep);
  }
  return hull_of(std::move(h.keep));
}

std::vector<Point> symmetric_hull_of_runs(std::span<const double> sub_x, std::span<const double> sub_y,
                                          std::span<const double> boxes, const RunPoints& points_of) {
  const std::size_t runs = boxes.size() / 4;
  std::vector<double> x, y;
  InnerHull h = inner_hull(sub_x, sub_y);
  if (!h.inner) {
    for (std::size_t r = 0; r < runs; ++r) points_of(r, x, y);
    x.insert(x.end(), sub_x.begin(), sub_x.end()), y.insert(y.end(), sub_y.begin(), sub_y.end());
    return symmetric_hull(x, y);
  }
  for (std::size_t r = 0; r < runs; ++r) {
    const double* b = &boxes[4 * r];
    if (holds(*h.inner, {b[0], b[1], b[2], b[3]})) continue;
    x.clear(), y.clear();
    points_of(r, x, y);
    keep_outside(*h.inner, x.data(), y.data(), x.size(), h.keep);
  }
  return hull_of(std::move(h.keep));
}

}  // namespace sitekit::spectra::detail
