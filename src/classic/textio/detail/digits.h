#pragma once
// The digit step of number editing: a float becomes a short string of decimal
// digits and the position of the decimal point, nothing more.  The layout of
// fields (widths, signs, exponents, asterisks) is done by the editors.
//
// The float is widened exactly to double and the digits are correctly rounded
// from that exact binary value.  A value exactly halfway between two results
// rounds to the one whose last digit is even: 0.0625 to three decimals gives
// 0.062, 0.1875 gives 0.188, 2.5 to no decimals gives 2.
namespace siteresp::textio {

struct Decimal {
  static constexpr int capacity = 192;
  // Digits '0'..'9', most significant first, with neither leading nor
  // trailing zeros; every digit past n is zero.
  char digit[capacity];
  int n = 0;              // 0 when the rounded value is zero
  int point = 0;          // rounded |value| = 0.d1d2...dn x 10^point (0 for zero)
  bool negative = false;  // sign bit of the float, set for -0 too

  // Digit i (0-based) with the zeros on either side made explicit.
  char at(int i) const { return i >= 0 && i < n ? digit[i] : '0'; }
};

// |v| rounded to d >= 0 decimals.  v must be finite.
void round_fixed(float v, int d, Decimal& out);

// |v| rounded to d >= 1 significant digits; the rounding decides the point
// (9.99996 to four digits gives "1", point 2).  v must be finite.
void round_significant(float v, int d, Decimal& out);

}  // namespace siteresp::textio
