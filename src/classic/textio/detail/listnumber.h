#pragma once
// Numbers of a free-form read: sign, digits with an optional point, an
// exponent, or a repeat count «r*».
#include <cstdint>

#include "textio/detail/listvalue.h"

namespace siteresp::textio {

// The digits of a number as far as they enter its value.
struct Mantissa {
  char digits[max_significant];
  int nsig = 0;             // significant digits kept
  std::int64_t scale = 0;   // power of ten the kept digits are multiplied by
  bool any_digit = false;
  bool point = false;
};

// Each parser takes the first character of its piece in `c` and returns the
// first character after it (not yet pushed back).
int parse_sign(Cursor& cur, int c, bool& negative, bool& had_sign);
int parse_digits(Cursor& cur, int c, bool integer, Mantissa& m);
int parse_exponent(Cursor& cur, int c, bool integer, std::int64_t& exponent);
// The count of «r*» from digits already read; ends the run when it is 0,
// signed or longer than 40 significant digits.
std::int64_t parse_repeat_count(const Cursor& cur, const Mantissa& m, bool had_sign);
// Value of the digits times ten to the exponent, formed in double.
double number_value(const Mantissa& m, bool negative, std::int64_t exponent);

// One numeric field starting with `c`.  With `count_allowed`, digits
// followed by '*' are a repeat count and the value is left to the caller.
// The character that ends the number is pushed back.
Field parse_full_number(Cursor& cur, int c, bool integer, bool count_allowed, ListValue& v);
// The same field, short plain decimals the quick way (shortdecimal.h):
// same value, same position after it.
Field parse_number(Cursor& cur, int c, bool integer, bool count_allowed, ListValue& v);

}  // namespace siteresp::textio
