// Numeric fields of the free-form read.
#include "textio/detail/listnumber.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "textio/detail/powers10.h"
#include "textio/detail/shortdecimal.h"

namespace siteresp::textio {
namespace {

constexpr std::int64_t max_exponent = 99999999;

void add_digit(Mantissa& m, int c) {
  m.any_digit = true;
  if (c == '0' && m.nsig == 0) {
    // Leading zeros are not significant; after the point they still move it.
    if (m.point) --m.scale;
    return;
  }
  if (m.nsig < max_significant) {
    m.digits[m.nsig++] = static_cast<char>(c);
    if (m.point) --m.scale;
  } else if (!m.point) {
    ++m.scale;  // a digit past the 40th before the point only scales
  }             // and one after the point is dropped
}

[[noreturn]] void bad_integer(const Cursor& cur) {
  cur.fail("invalid integer", "read unexpected character");
}

}  // namespace

int parse_sign(Cursor& cur, int c, bool& negative, bool& had_sign) {
  negative = c == '-';
  had_sign = c == '-' || c == '+';
  return had_sign ? cur.get() : c;
}

int parse_digits(Cursor& cur, int c, bool integer, Mantissa& m) {
  for (;; c = cur.get()) {
    if (is_digit(c)) {
      add_digit(m, c);
    } else if (c == '.' && !m.point) {
      if (integer) bad_integer(cur);
      m.point = true;
    } else {
      return c;
    }
  }
}

// «E3», «e-3», «D+3», «d3», or a bare sign after the digits as in «1.5-3».
// Integers take no exponent letter (an error), but a sign directly after
// the digits is an exponent for them too: «12+3» is 12000.
int parse_exponent(Cursor& cur, int c, bool integer, std::int64_t& exponent) {
  const bool letter = c == 'E' || c == 'e' || c == 'D' || c == 'd';
  const bool sign = c == '+' || c == '-';
  if (!letter && !sign) return c;
  if (letter && integer) bad_integer(cur);
  if (letter) c = cur.get();
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = cur.get();
  }
  if (!is_digit(c)) cur.fail("exponent field", "incomprehensible list input");
  std::int64_t e = 0;
  for (; is_digit(c); c = cur.get()) {
    e = e * 10 + (c - '0');
    if (e > max_exponent) cur.fail("exponent field", "incomprehensible list input");
  }
  exponent = negative ? -e : e;
  return c;
}

std::int64_t parse_repeat_count(const Cursor& cur, const Mantissa& m, bool had_sign) {
  // More than 40 significant digits show as a positive scale.
  if (had_sign || m.nsig == 0 || m.scale > 0) {
    cur.fail("bad repetition count", "incomprehensible list input");
  }
  // No list is anywhere near this long; the count only has to outlast it.
  constexpr std::int64_t cap = INT32_MAX;
  std::int64_t r = 0;
  for (int i = 0; i < m.nsig && r < cap; ++i) r = r * 10 + (m.digits[i] - '0');
  return r < cap ? r : cap;
}

double number_value(const Mantissa& m, bool negative, std::int64_t exponent) {
  if (m.nsig == 0) return negative ? -0.0 : 0.0;
  // Up to 15 digits are an exact integer in double, and 10^k an exact power
  // for |k| <= 22: one multiplication or division then rounds the exact
  // value once, which is the correctly rounded result strtod would give.
  const std::int64_t e10 = m.scale + exponent;
  if (m.nsig <= 15 && e10 >= -max_exact_power && e10 <= max_exact_power) {
    std::uint64_t digits = 0;
    for (int i = 0; i < m.nsig; ++i) digits = digits * 10 + static_cast<std::uint64_t>(m.digits[i] - '0');
    const double d = static_cast<double>(digits);
    const double v = e10 >= 0 ? d * powers10[e10] : d / powers10[-e10];
    return negative ? -v : v;
  }
  // The kept digits as an integer text with a decimal exponent: strtod
  // rounds it correctly to double whatever the locale's decimal point.
  char text[max_significant + 32];
  std::snprintf(text, sizeof text, "%s%.*se%lld", negative ? "-" : "", m.nsig, m.digits,
                static_cast<long long>(m.scale + exponent));
  return std::strtod(text, nullptr);
}

Field parse_full_number(Cursor& cur, int c, bool integer, bool count_allowed, ListValue& v) {
  bool negative = false, had_sign = false;
  c = parse_sign(cur, c, negative, had_sign);
  Mantissa m;
  c = parse_digits(cur, c, integer, m);
  if (!m.any_digit) {
    // A lone sign or point right before a comma or slash is an empty value.
    if (c == ',' || c == '/') {
      cur.unget(c);
      v.kind = ListValue::Kind::empty;
      return {};
    }
    cur.fail("invalid number", "incomprehensible list input");
  }
  if (c == '*' && count_allowed && !m.point) return {parse_repeat_count(cur, m, had_sign), false};
  std::int64_t exponent = 0;
  c = parse_exponent(cur, c, integer, exponent);
  cur.unget(c);
  v.kind = ListValue::Kind::number;
  v.num = number_value(m, negative, exponent);
  return {};
}

Field parse_number(Cursor& cur, int c, bool integer, bool count_allowed, ListValue& v) {
  if (read_short_decimal(cur, c, integer, v)) return {};
  return parse_full_number(cur, c, integer, count_allowed, v);
}

}  // namespace siteresp::textio
