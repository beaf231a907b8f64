// Number editing: the digit step, the Iw/Fw.d/Ew.d fields and the free-form
// forms of reals and integers.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "textio/detail/digits.h"
#include "textio/detail/edit.h"

namespace siteresp::textio {
namespace {

constexpr float inf = std::numeric_limits<float>::infinity();
const float nan_value = std::nanf("");

// Runs a fixed-field editor on a buffer with guard bytes after the field, so
// a write past column w shows up as a failure.
template <class Edit>
std::string field(int w, Edit edit) {
  std::string buf(static_cast<std::size_t>(w) + 8, '#');
  edit(buf.data());
  EXPECT_EQ(buf.substr(static_cast<std::size_t>(w)), std::string(8, '#')) << "wrote past the field";
  return buf.substr(0, static_cast<std::size_t>(w));
}

std::string I(int w, std::int32_t v) {
  return field(w, [&](char* p) { edit_i(p, w, v); });
}
std::string F(int w, int d, float v) {
  return field(w, [&](char* p) { edit_f(p, w, d, v); });
}
std::string E(int w, int d, float v) {
  return field(w, [&](char* p) { edit_e(p, w, d, v); });
}

std::string free_real(float v) {
  char buf[32];
  const int n = edit_free_real(buf, v);
  return std::string(buf, static_cast<std::size_t>(n));
}

std::string free_integer(std::int32_t v) {
  char buf[32];
  const int n = edit_free_integer(buf, v);
  return std::string(buf, static_cast<std::size_t>(n));
}

// ---- digit step -------------------------------------------------------------

struct DigitCase {
  float v;
  int d;
  const char* digits;
  int point;
};

std::string digits_of(const Decimal& x) { return std::string(x.digit, static_cast<std::size_t>(x.n)); }

TEST(DigitStep, FixedDecimalsRoundFromTheExactBinaryValue) {
  const DigitCase cases[] = {
      {1.8f, 3, "18", 1},           // 1.79999995... rounds up to 1.800
      {1234.5f, 4, "12345", 4},
      {0.1f, 9, "100000001", 0},     // the float, not the decimal 0.1
      {0.00004f, 4, "", 0},          // rounds to zero
      {0.0001f, 4, "1", -3},
      {0.99995f, 4, "9999", 0},      // the float is 0.99994999..., below the tie
      {0.99996f, 4, "1", 1},         // carry into the integer part
      {999.99995f, 3, "1", 4},       // 999.99994 carries into a fourth digit
      {999.99995f, 4, "9999999", 3},
      {FLT_MAX, 0, "34028234663852885981170418348451692544", 39},
  };
  for (const auto& c : cases) {
    Decimal x;
    round_fixed(c.v, c.d, x);
    EXPECT_EQ(digits_of(x), c.digits) << c.v << " to " << c.d << " decimals";
    EXPECT_EQ(x.point, c.point) << c.v << " to " << c.d << " decimals";
  }
}

TEST(DigitStep, ExactTiesRoundToEven) {
  const DigitCase fixed[] = {
      {0.0625f, 3, "62", -1},  // 0.0625 -> 0.062
      {0.1875f, 3, "188", 0},  // 0.1875 -> 0.188
      {0.125f, 2, "12", 0},
      {0.375f, 2, "38", 0},
      {2.5f, 0, "2", 1},
      {3.5f, 0, "4", 1},
      {0.5f, 0, "", 0},        // 0.5 -> 0
  };
  for (const auto& c : fixed) {
    Decimal x;
    round_fixed(c.v, c.d, x);
    EXPECT_EQ(digits_of(x), c.digits) << c.v;
    EXPECT_EQ(x.point, c.point) << c.v;
  }
  const DigitCase significant[] = {
      {12.5f, 2, "12", 2},
      {13.5f, 2, "14", 2},
      {0.125f, 2, "12", 0},
  };
  for (const auto& c : significant) {
    Decimal x;
    round_significant(c.v, c.d, x);
    EXPECT_EQ(digits_of(x), c.digits) << c.v;
    EXPECT_EQ(x.point, c.point) << c.v;
  }
}

TEST(DigitStep, SignificantDigitsAndTheRoundedExponent) {
  const DigitCase cases[] = {
      {9.99996f, 4, "1", 2},  // the carry moves the point
      {1234.56f, 4, "1235", 4},
      {0.000123f, 4, "123", -3},
      {0.01f, 9, "999999978", -2},
      {123456789.0f, 9, "123456792", 9},
      {1.0e9f, 9, "1", 10},
      {0.0f, 4, "", 0},
      {1.0e-45f, 4, "1401", -44},  // smallest denormal
      {FLT_MAX, 4, "3403", 39},
  };
  for (const auto& c : cases) {
    Decimal x;
    round_significant(c.v, c.d, x);
    EXPECT_EQ(digits_of(x), c.digits) << c.v << " to " << c.d << " digits";
    EXPECT_EQ(x.point, c.point) << c.v << " to " << c.d << " digits";
  }
}

TEST(DigitStep, LongRequestsGiveEveryExactDigitThenZeros) {
  // 2^-149 has 105 significant digits, the last one 149 places after the point.
  const char* exact =
      "140129846432481707092372958328991613128026194187651577175706828388979108268586060148663818836212158203125";
  for (int d : {149, 150, 400}) {
    Decimal x;
    round_fixed(1.0e-45f, d, x);
    EXPECT_EQ(digits_of(x), exact) << d;
    EXPECT_EQ(x.point, -44) << d;
    EXPECT_EQ(x.at(x.n), '0');
  }
  Decimal x;
  round_significant(1.0e-45f, 300, x);
  EXPECT_EQ(digits_of(x), exact);
}

TEST(DigitStep, SignIsTheSignBit) {
  Decimal x;
  round_fixed(-0.0f, 2, x);
  EXPECT_TRUE(x.negative);
  EXPECT_EQ(x.n, 0);
  round_significant(-2.25f, 3, x);
  EXPECT_TRUE(x.negative);
  EXPECT_EQ(digits_of(x), "225");
  round_significant(2.25f, 3, x);
  EXPECT_FALSE(x.negative);
}

// ---- Iw -----------------------------------------------------------------------

TEST(IntegerField, RightAlignedOrAsterisks) {
  const struct {
    int w;
    std::int32_t v;
    const char* field;
  } cases[] = {
      {5, 3, "    3"},
      {6, -7, "    -7"},
      {5, 123456, "*****"},
      {5, 12345, "12345"},
      {5, -1234, "-1234"},
      {5, -12345, "*****"},  // the sign needs a column too
      {1, 0, "0"},
      {11, INT32_MIN, "-2147483648"},
      {10, INT32_MIN, "**********"},
      {12, INT32_MAX, "  2147483647"},
  };
  for (const auto& c : cases) EXPECT_EQ(I(c.w, c.v), c.field) << "I" << c.w << " " << c.v;
}

// ---- Fw.d ---------------------------------------------------------------------

struct RealCase {
  int w, d;
  float v;
  const char* field;
};

TEST(FixedField, Layout) {
  const RealCase cases[] = {
      {7, 3, 0.5f, "  0.500"},
      {8, 4, 12.5f, " 12.5000"},
      {9, 2, 1500.0f, "  1500.00"},
      {9, 3, 1.8f, "    1.800"},
      {10, 5, -1.5f, "  -1.50000"},
      {12, 3, 10.0f, "      10.000"},
      {12, 3, -1234567.0f, "-1234567.000"},
      {7, 3, 0.0625f, "  0.062"},  // exact tie, to even
      {4, 2, 0.125f, "0.12"},
      {3, 0, 2.5f, " 2."},
      {6, 4, 0.99996f, "1.0000"},   // rounding carry
      {8, 3, 999.99995f, "1000.000"},
      {9, 4, 0.1f, "   0.1000"},
  };
  for (const auto& c : cases) EXPECT_EQ(F(c.w, c.d, c.v), c.field) << "F" << c.w << "." << c.d << " " << c.v;
}

TEST(FixedField, NegativeRoundingToZeroHasNoSign) {
  const RealCase cases[] = {
      {8, 4, -0.00004f, "  0.0000"},
      {8, 4, -0.00005f, "  0.0000"},  // the float lies just below the tie
      {8, 4, -0.00006f, " -0.0001"},
      {5, 1, -0.04f, "  0.0"},
      {5, 1, -0.0f, "  0.0"},
      {8, 4, -1.0e-40f, "  0.0000"},
  };
  for (const auto& c : cases) EXPECT_EQ(F(c.w, c.d, c.v), c.field) << "F" << c.w << "." << c.d << " " << c.v;
}

TEST(FixedField, FieldOverflow) {
  const RealCase cases[] = {
      {5, 3, -0.5f, "-.500"},  // one column short: the leading 0 goes
      {4, 3, 0.5f, ".500"},
      {5, 4, -0.00004f, ".0000"},
      {1, 0, 0.4f, "."},
      {4, 3, -0.5f, "****"},  // two columns short
      {8, 4, 1234.5f, "********"},
      {7, 3, 999.99995f, "*******"},  // one short but no leading 0 to drop
      {10, 5, 100000.0f, "**********"},
      {12, 3, -12345678.0f, "************"},
      {2, 2, 0.0f, "**"},
      {8, 4, FLT_MAX, "********"},
  };
  for (const auto& c : cases) EXPECT_EQ(F(c.w, c.d, c.v), c.field) << "F" << c.w << "." << c.d << " " << c.v;
}

TEST(FixedField, ExtremeValuesStayInTheField) {
  EXPECT_EQ(F(8, 4, 1.0e-45f), "  0.0000");
  EXPECT_EQ(F(8, 4, FLT_MIN), "  0.0000");
  EXPECT_EQ(F(10, 5, -FLT_MAX), "**********");
  EXPECT_EQ(F(45, 4, FLT_MAX), " 340282346638528859811704183484516925440.0000");
  // Decimals past the 149th of a float are zeros.
  const std::string tiny = F(200, 160, 1.0e-45f);
  EXPECT_EQ(tiny.substr(0, 48), std::string(38, ' ') + "0.00000000");
  EXPECT_EQ(tiny.substr(200 - 18), "8203125" + std::string(11, '0'));
}

// ---- Ew.d ---------------------------------------------------------------------

TEST(ExponentField, Layout) {
  const RealCase cases[] = {
      {12, 4, 1234.56f, "  0.1235E+04"},
      {12, 4, 0.000123f, "  0.1230E-03"},
      {12, 4, -5.0f, " -0.5000E+01"},
      {12, 4, 0.0f, "  0.0000E+00"},
      {12, 4, -0.0f, "  0.0000E+00"},  // negative zero counts as zero
      {12, 4, 9.99996f, "  0.1000E+02"},
      {8, 2, 12.5f, "0.12E+02"},       // exact tie, to even
      {15, 7, 0.1f, "  0.1000000E+00"},
  };
  for (const auto& c : cases) EXPECT_EQ(E(c.w, c.d, c.v), c.field) << "E" << c.w << "." << c.d << " " << c.v;
}

TEST(ExponentField, RoomDecidesTheLeadingZero) {
  const RealCase cases[] = {
      {10, 4, 1234.56f, "0.1235E+04"},  // room 1: the 0, no blank
      {9, 4, 1234.56f, ".1235E+04"},    // room 0: no 0
      {8, 4, 1234.56f, "********"},     // room -1
      {10, 4, -5.0f, "-.5000E+01"},
      {9, 4, -5.0f, "*********"},
      {9, 4, -0.0f, ".0000E+00"},       // negative zero takes no sign column
      {4, 0, 1.0f, "****"},
  };
  for (const auto& c : cases) EXPECT_EQ(E(c.w, c.d, c.v), c.field) << "E" << c.w << "." << c.d << " " << c.v;
}

TEST(ExponentField, ExtremeValues) {
  const RealCase cases[] = {
      {12, 4, FLT_MAX, "  0.3403E+39"},
      {12, 4, -FLT_MAX, " -0.3403E+39"},
      {12, 4, FLT_MIN, "  0.1175E-37"},
      {12, 4, 1.0e-45f, "  0.1401E-44"},
      {12, 4, -1.0e-40f, " -0.1000E-39"},  // denormal, carry in the rounding
  };
  for (const auto& c : cases) EXPECT_EQ(E(c.w, c.d, c.v), c.field) << "E" << c.w << "." << c.d << " " << c.v;
}

TEST(SpecialValues, InfinityAndNanInFields) {
  EXPECT_EQ(F(8, 4, inf), "     Inf");
  EXPECT_EQ(F(8, 4, -inf), "    -Inf");
  EXPECT_EQ(F(8, 4, nan_value), "     NaN");
  EXPECT_EQ(F(3, 1, -inf), "***");
  EXPECT_EQ(E(12, 4, inf), "         Inf");
  EXPECT_EQ(E(12, 4, -inf), "        -Inf");
  EXPECT_EQ(E(12, 4, -nan_value), "         NaN");
  EXPECT_EQ(E(2, 1, nan_value), "**");
  EXPECT_EQ(free_real(inf), "  Inf");
  EXPECT_EQ(free_real(-inf), " -Inf");
  EXPECT_EQ(free_real(nan_value), "  NaN");
}

// ---- free form ----------------------------------------------------------------

TEST(FreeReal, NineSignificantDigits) {
  const struct {
    float v;
    const char* form;
  } cases[] = {
      {30.0f, "  30."},
      {12.5f, "  12.5"},
      {-2.25f, " -2.25"},
      {0.1f, "  0.100000001"},
      {0.01f, "  0.00999999978"},
      {0.0001f, "  9.99999975E-005"},      // 9 digits give exponent -5: exponent form
      {1.00000005e-4f, "  0.000100000005"},  // exponent -4: still fixed
      {0.000123f, "  0.000123000005"},
      {1234567.0f, "  1234567."},
      {123456.7f, "  123456.703"},
      {123456789.0f, "  123456792."},  // exponent 8: fixed
      {1.0e9f, "  1.E+009"},           // exponent 9: exponent form, point kept
      {-1.0e-5f, " -9.99999975E-006"},
      {0.0f, "  0."},
      {-0.0f, "  0."},
      {1.0e-45f, "  1.40129846E-045"},
      {FLT_MAX, "  3.40282347E+038"},
  };
  for (const auto& c : cases) EXPECT_EQ(free_real(c.v), c.form) << c.v;
}

TEST(FreeInteger, BlankThenDigits) {
  EXPECT_EQ(free_integer(5), " 5");
  EXPECT_EQ(free_integer(-12), " -12");
  EXPECT_EQ(free_integer(0), " 0");
  EXPECT_EQ(free_integer(INT32_MIN), " -2147483648");
}

}  // namespace
}  // namespace siteresp::textio
