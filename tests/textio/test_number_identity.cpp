// The value of a number read free-form against strtod of the same digits,
// bit for bit: short numbers take a quick way, long ones and large
// exponents the long way, and both must round exactly as strtod does.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "golden/cases.h"
#include "textio/detail/listnumber.h"

namespace {

using siteresp::textio::Mantissa;

// The digits as Mantissa keeps them (no leading zero) and the same number
// as a text for strtod.
struct Number {
  Mantissa m;
  std::string text;
};

Number make(const std::string& digits, std::int64_t scale, bool negative) {
  Number n;
  for (char c : digits) n.m.digits[n.m.nsig++] = c;
  n.m.scale = scale;
  n.m.any_digit = true;
  n.text = (negative ? "-" : "") + digits + "e" + std::to_string(scale);
  return n;
}

void expect_same(const std::string& digits, std::int64_t scale, std::int64_t exponent, bool negative,
                 int& failures) {
  const Number n = make(digits, scale + exponent, negative);
  const double want = std::strtod(n.text.c_str(), nullptr);
  Number shifted = n;
  shifted.m.scale = scale;
  const double got = siteresp::textio::number_value(shifted.m, negative, exponent);
  if (std::bit_cast<std::uint64_t>(got) != std::bit_cast<std::uint64_t>(want) && ++failures <= 10)
    ADD_FAILURE() << n.text << ": " << got << " vs " << want;
}

TEST(NumberIdentity, RandomDigitsAndExponents) {
  golden::Noise noise(5);
  int failures = 0;
  for (int k = 0; k < 200000; ++k) {
    const int nsig = 1 + static_cast<int>((noise.next() + 1.0) * 10.0);  // 1..20
    std::string digits;
    for (int i = 0; i < nsig; ++i) {
      const int d = static_cast<int>((noise.next() + 1.0) * 5.0);
      digits += static_cast<char>('0' + (i == 0 && d == 0 ? 7 : d));
    }
    const auto scale = static_cast<std::int64_t>(noise.next() * 30.0);
    const auto exponent = static_cast<std::int64_t>(noise.next() * 20.0);
    expect_same(digits, scale, exponent, noise.next() < 0.0, failures);
  }
  EXPECT_EQ(failures, 0);
}

// Halfway and near-halfway cases between doubles, the edges of the exact
// powers of ten, and values beyond the range of double.
TEST(NumberIdentity, HardCases) {
  int failures = 0;
  const struct {
    const char* digits;
    std::int64_t scale;
  } rows[] = {{"9007199254740993", 0}, {"9007199254740992", 0}, {"900719925474099", 1},
              {"123456789012345", -22}, {"123456789012345", 22}, {"1", 23}, {"1", -23},
              {"17976931348623157", 292}, {"2", 308}, {"49406564584124654", -340},
              {"5", -324}, {"1", -400}, {"1", 400}, {"999999999999999", 8},
              {"1000000000000000000000001", -24}, {"4503599627370497", -1}, {"3", -1},
              {"1", 0}, {"25", -1}, {"15", -1}, {"75", -2}};
  for (const auto& r : rows)
    for (bool negative : {false, true}) expect_same(r.digits, r.scale, 0, negative, failures);
  EXPECT_EQ(failures, 0);
}

}  // namespace
