// Field layout for Iw, Fw.d, Ew.d and for free-form numbers.  The digits come
// from the digit step (digits.h); everything here is about columns.
//
// Infinities and NaN are not meant to be written by the program, but the
// editors must still do something sane with them.  In an F or E field they
// appear as "Inf", "-Inf" or "NaN" right-aligned in the field, or as
// asterisks when the field is narrower than that text; a free-form real
// writes them as "  Inf", " -Inf" and "  NaN" (NaN never carries a sign).
#include "textio/detail/edit.h"

#include <cmath>
#include <cstring>

#include "textio/detail/digits.h"

namespace siteresp::textio {

namespace {

void fill(char* dst, int n, char c) {
  if (n > 0) std::memset(dst, c, static_cast<std::size_t>(n));
}

// Writes `s` (n characters) right-aligned in w columns, or w asterisks.
void right_align(char* dst, int w, const char* s, int n) {
  if (n > w) {
    fill(dst, w, '*');
    return;
  }
  fill(dst, w - n, ' ');
  std::memcpy(dst + (w - n), s, static_cast<std::size_t>(n));
}

void edit_special(char* dst, int w, float v) {
  if (std::isnan(v))
    right_align(dst, w, "NaN", 3);
  else if (v < 0)
    right_align(dst, w, "-Inf", 4);
  else
    right_align(dst, w, "Inf", 3);
}

// Writes the digits of |v| to the end of tmp[12] and returns where they start.
char* integer_digits(char (&tmp)[12], std::int32_t v) {
  std::uint32_t m = v < 0 ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
  char* p = tmp + sizeof tmp;
  do {
    *--p = static_cast<char>('0' + m % 10);
    m /= 10;
  } while (m != 0);
  return p;
}

}  // namespace

void edit_i(char* dst, int w, std::int32_t v) {
  if (w <= 0) return;
  char tmp[12];
  char* p = integer_digits(tmp, v);
  if (v < 0) *--p = '-';
  right_align(dst, w, p, static_cast<int>(tmp + sizeof tmp - p));
}

// Shape: blanks, "-" when a nonzero digit survives the rounding, the integer
// digits ("0" below 1), ".", d decimals.  One column short and a leading "0":
// the "0" goes.  Otherwise too wide: asterisks.
void edit_f(char* dst, int w, int d, float v) {
  if (w <= 0) return;
  if (d < 0) d = 0;
  if (!std::isfinite(v)) return edit_special(dst, w, v);
  if (d >= w) return fill(dst, w, '*');  // not even room for the point

  Decimal x;
  round_fixed(v, d, x);
  const bool minus = x.negative && x.n > 0;
  const bool below_one = x.point <= 0;
  const int int_len = below_one ? 1 : x.point;
  const int need = (minus ? 1 : 0) + int_len + 1 + d;
  const bool drop_zero = need == w + 1 && below_one;
  if (need > w && !drop_zero) return fill(dst, w, '*');

  char* p = dst;
  fill(p, w - need, ' ');
  p += w > need ? w - need : 0;
  if (minus) *p++ = '-';
  if (below_one) {
    if (!drop_zero) *p++ = '0';
  } else {
    for (int i = 0; i < x.point; ++i) *p++ = x.at(i);
  }
  *p++ = '.';
  for (int j = 0; j < d; ++j) *p++ = x.at(x.point + j);
}

// Shape for E12.4: «  0.1235E+04» or « -0.5000E+01».  The room left after
// sign, point, d digits and the four exponent characters decides the rest:
// room - 1 blanks and a "0" when positive, nothing when zero, asterisks when
// negative.  Negative zero is written as zero; a float's decimal exponent
// lies within -44..39, so two exponent digits always suffice.
void edit_e(char* dst, int w, int d, float v) {
  if (w <= 0) return;
  if (!std::isfinite(v)) return edit_special(dst, w, v);
  if (d <= 0) return fill(dst, w, '*');  // no digits to show: not a usable field

  Decimal x;
  round_significant(v, d, x);
  const bool minus = x.negative && x.n > 0;
  const int exp10 = x.n > 0 ? x.point : 0;
  const int room = w - ((minus ? 1 : 0) + d + 5);
  if (room < 0) return fill(dst, w, '*');

  char* p = dst;
  if (room > 0) {
    fill(p, room - 1, ' ');
    p += room - 1;
  }
  if (minus) *p++ = '-';
  if (room > 0) *p++ = '0';
  *p++ = '.';
  for (int i = 0; i < d; ++i) *p++ = x.at(i);
  const int mag = exp10 < 0 ? -exp10 : exp10;
  *p++ = 'E';
  *p++ = exp10 < 0 ? '-' : '+';
  *p++ = static_cast<char>('0' + mag / 10);
  *p++ = static_cast<char>('0' + mag % 10);
}

namespace {

// Free-form magnitude, fixed notation: "30.", "12.5", "0.00999999978".
char* free_fixed(char* p, const Decimal& x) {
  if (x.point <= 0) {
    *p++ = '0';
    *p++ = '.';
    for (int i = x.point; i < 0; ++i) *p++ = '0';
    for (int i = 0; i < x.n; ++i) *p++ = x.digit[i];
    return p;
  }
  for (int i = 0; i < x.point; ++i) *p++ = x.at(i);
  *p++ = '.';
  for (int i = x.point; i < x.n; ++i) *p++ = x.digit[i];
  return p;
}

// Free-form magnitude, exponent notation: "9.99999975E-005", "1.E+009".
char* free_exponent(char* p, const Decimal& x) {
  *p++ = x.digit[0];
  *p++ = '.';
  for (int i = 1; i < x.n; ++i) *p++ = x.digit[i];
  const int e = x.point - 1;
  const int mag = e < 0 ? -e : e;
  *p++ = 'E';
  *p++ = e < 0 ? '-' : '+';
  *p++ = static_cast<char>('0' + mag / 100);
  *p++ = static_cast<char>('0' + mag / 10 % 10);
  *p++ = static_cast<char>('0' + mag % 10);
  return p;
}

}  // namespace

// Shape: a blank, "-" or a blank, then the magnitude to nine significant
// digits with trailing zeros dropped and always a point; fixed notation when
// the decimal exponent of the rounded value is -4..8, else d.ddE+ddd.
// Longest form: «  0.000123456789» or « -1.23456789E-038», under 20 characters.
int edit_free_real(char* dst, float v) {
  char* p = dst;
  *p++ = ' ';
  if (std::isnan(v)) {
    std::memcpy(p, " NaN", 4);
    return 5;
  }
  if (v == 0.0f) {  // either sign
    std::memcpy(p, " 0.", 3);
    return 4;
  }
  *p++ = v < 0 ? '-' : ' ';
  if (std::isinf(v)) {
    std::memcpy(p, "Inf", 3);
    return 5;
  }
  Decimal x;
  round_significant(v, 9, x);
  const int e = x.point - 1;
  p = (e >= -4 && e <= 8) ? free_fixed(p, x) : free_exponent(p, x);
  return static_cast<int>(p - dst);
}

int edit_free_integer(char* dst, std::int32_t v) {
  char tmp[12];
  char* p = integer_digits(tmp, v);
  if (v < 0) *--p = '-';
  const int n = static_cast<int>(tmp + sizeof tmp - p);
  dst[0] = ' ';
  std::memcpy(dst + 1, p, static_cast<std::size_t>(n));
  return n + 1;
}

}  // namespace siteresp::textio
