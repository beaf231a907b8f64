// Elementary complex functions of the layer responses, in double precision
// on single-precision arguments, rounded once to single precision.
#include "response/one_frequency.h"

#include <cmath>

namespace siteresp {

float cabs(Cplx z)
{
  const double x = z.re, y = z.im;
  return static_cast<float>(std::sqrt(x * x + y * y));
}

Cplx csqrt(Cplx z)
{
  const double x = z.re, y = z.im;
  const double m = std::sqrt(x * x + y * y);
  if (m == 0.0) return {0.0f, 0.0f};
  if (x > 0.0) {
    const double r = std::sqrt((m + x) / 2.0);
    return put({r, y / (2.0 * r)});
  }
  double t = std::sqrt((m - x) / 2.0);
  if (y < 0.0) t = -t;
  return put({y / (2.0 * t), t});
}

Cplx cexp(Cplx z)
{
  const double e = std::exp(static_cast<double>(z.re));
  const double y = z.im;
  return put({e * std::cos(y), e * std::sin(y)});
}

}  // namespace siteresp
