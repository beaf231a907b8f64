#include "textio/detail/digits.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "textio/detail/powers10.h"

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

// The quick way, for the fields a run writes: |v| times a power of ten in
// one correctly rounded double operation, then the nearest integer.  The
// product is within half a unit in the last place of the exact one, so
// unless its fraction lies within a few units of one half the exact value
// rounds to the same integer.  Products that close to a tie (exact ties
// among them), and scales outside what one operation covers, go the exact
// way instead.

// a * 10^k rounded once (|k| <= 22).
double scaled(double a, int k) { return k >= 0 ? a * powers10[k] : a / powers10[-k]; }

// The integer nearest to s (0 <= s < 2^52), or false when s lies within a
// few units in its last place of a tie.
bool nearest_integer(double s, std::uint64_t& out) {
  const auto whole = static_cast<std::uint64_t>(s);  // s >= 0: the floor
  const double frac = s - static_cast<double>(whole);  // exact
  if (std::fabs(frac - 0.5) <= s * 0x1p-50 + 0x1p-60) return false;
  out = whole + (frac > 0.5 ? 1 : 0);
  return true;
}

// "00" .. "99".
struct DigitPairs {
  char text[200];
  constexpr DigitPairs() : text() {
    for (int i = 0; i < 100; ++i) {
      text[2 * i] = static_cast<char>('0' + i / 10);
      text[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
  }
};
constexpr DigitPairs digit_pairs;

// The decimal digits of N, most significant first, trailing zeros dropped;
// point = number of digits + shift.
void from_integer(std::uint64_t N, int shift, Decimal& out) {
  out.n = 0;
  out.point = 0;
  if (N == 0) return;
  // The digits end at tmp + 24 (N < 2^64 has at most 20); a fixed 20-byte
  // copy from their start then stays inside tmp and needs no length.
  char tmp[44] = {};
  char* const end = tmp + 24;
  char* p = end;
  while (N >= 100) {
    const std::uint64_t q = N / 100;
    p -= 2;
    std::memcpy(p, digit_pairs.text + 2 * (N - q * 100), 2);
    N = q;
  }
  if (N >= 10) {
    p -= 2;
    std::memcpy(p, digit_pairs.text + 2 * N, 2);
  } else {
    *--p = static_cast<char>('0' + N);
  }
  const int len = static_cast<int>(end - p);
  std::memcpy(out.digit, p, 20);
  out.n = len;
  out.point = len + shift;
  strip_trailing_zeros(out);
}

bool quick_fixed(double a, int d, Decimal& out) {
  if (d > max_exact_power) return false;
  const double s = a * powers10[d];
  std::uint64_t N = 0;
  if (!(s < 0x1p52) || !nearest_integer(s, N)) return false;
  from_integer(N, -d, out);
  return true;
}

bool quick_significant(double a, int d, Decimal& out) {
  if (d > 15) return false;
  if (a == 0.0) {
    out.n = 0;
    out.point = 0;
    return true;
  }
  // a in [2^e2, 2^(e2+1)); first guess of p with 10^(p-1) <= a < 10^p from
  // floor(e2 log10(2)) (78913 / 2^18 is log10(2) to 1e-7), then corrected.
  const int e2 = static_cast<int>((std::bit_cast<std::uint64_t>(a) >> 52) & 0x7ff) - 1023;
  int p = ((e2 * 78913) >> 18) + 1;
  if (p >= 0 && p <= max_exact_power && a >= powers10[p]) ++p;
  const double lo = powers10[d - 1], hi = powers10[d];
  double s = 0.0;
  for (int tries = 0;; ++tries) {
    if (tries == 3 || d - p > max_exact_power || p - d > max_exact_power) return false;
    s = scaled(a, d - p);
    if (s < lo) {
      --p;
    } else if (s >= hi) {
      ++p;
    } else {
      break;
    }
  }
  std::uint64_t N = 0;
  if (!nearest_integer(s, N)) return false;
  // Rounding up to 10^d moves the point: 9.99996 to four digits is 0.1000E+02.
  from_integer(N, p - d, out);
  return true;
}

}  // namespace

// std::to_chars with a precision is correctly rounded with ties to even and
// neither allocates nor consults the locale; it writes "ddd.ddd" here.
void round_fixed(float v, int d, Decimal& out) {
  out.negative = std::signbit(v);
  const double a = std::fabs(static_cast<double>(v));
  if (d >= 0 && quick_fixed(a, d, out)) return;

  char text[text_capacity];
  const int p = std::clamp(d, 0, max_decimals);
  const auto res = std::to_chars(text, text + text_capacity, a, std::chars_format::fixed, p);
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
  out.negative = std::signbit(v);
  const double a = std::fabs(static_cast<double>(v));
  if (d >= 1 && quick_significant(a, d, out)) return;

  char text[text_capacity];
  const int p = std::clamp(d, 1, max_significant) - 1;
  const auto res = std::to_chars(text, text + text_capacity, a, std::chars_format::scientific, p);
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
