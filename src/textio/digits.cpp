#include "textio/digits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace siteresp::textio {

namespace {

// A float is m * 2^e with m < 2^24 and e >= -149, so its exact decimal form
// has at most 149 decimals and at most 112 significant digits.  Asking
// std::to_chars for more would only append zeros, which Decimal leaves
// implicit; capping the request keeps every buffer a fixed size.
constexpr int max_decimals = 149;
constexpr int max_significant = 112;

// Room for the longest text either request produces: 39 integer digits, a
// point and 149 decimals, or a 112-digit mantissa and an exponent.
constexpr int text_capacity = 200;

void strip_trailing_zeros(Decimal& out) {
  while (out.n > 0 && out.digit[out.n - 1] == '0') --out.n;
  if (out.n == 0) out.point = 0;
}

}  // namespace

// std::to_chars with a precision is correctly rounded with ties to even and
// neither allocates nor consults the locale; it writes "ddd.ddd" here.
void round_fixed(float v, int d, Decimal& out) {
  char text[text_capacity];
  const int p = std::clamp(d, 0, max_decimals);
  const double a = std::fabs(static_cast<double>(v));
  const auto res = std::to_chars(text, text + text_capacity, a, std::chars_format::fixed, p);

  out.negative = std::signbit(v);
  out.n = 0;
  out.point = 0;
  bool after_point = false;
  for (const char* s = text; s < res.ptr; ++s) {
    if (*s == '.') {
      after_point = true;
    } else if (out.n == 0 && *s == '0') {
      if (after_point) --out.point;  // a leading zero decimal: 0.0d...
    } else {
      out.digit[out.n++] = *s;
      if (!after_point) ++out.point;
    }
  }
  strip_trailing_zeros(out);
}

// Here std::to_chars writes "d.ddde+XX": the mantissa digits, then the
// exponent of the rounded value, one less than the point of 0.ddd form.
void round_significant(float v, int d, Decimal& out) {
  char text[text_capacity];
  const int p = std::clamp(d, 1, max_significant) - 1;
  const double a = std::fabs(static_cast<double>(v));
  const auto res = std::to_chars(text, text + text_capacity, a, std::chars_format::scientific, p);

  out.negative = std::signbit(v);
  out.n = 0;
  const char* s = text;
  for (; s < res.ptr && *s != 'e'; ++s) {
    if (*s != '.') out.digit[out.n++] = *s;
  }
  int exp10 = 0;
  const bool exp_negative = s + 1 < res.ptr && s[1] == '-';
  for (s += 2; s < res.ptr; ++s) exp10 = exp10 * 10 + (*s - '0');
  out.point = (exp_negative ? -exp10 : exp10) + 1;
  strip_trailing_zeros(out);
}

}  // namespace siteresp::textio
