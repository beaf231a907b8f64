// The digit step of number editing against the exact conversion of the
// standard library, digit for digit: random floats of every magnitude,
// exact ties, values next to ties and next to powers of ten, for the
// precisions the program writes and a few more.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "golden/cases.h"
#include "textio/detail/digits.h"

namespace {

using siteresp::textio::Decimal;

std::string shown(bool negative, const std::string& digits, int point) {
  std::string r;
  if (negative) r += '-';
  r += digits.empty() ? std::string("0") : digits;
  r += 'e';
  r += std::to_string(point);
  return r;
}

// The digits std::to_chars gives, in Decimal's form, as text: "-123e4" for
// -0.123 x 10^4 ("0e0" for zero).
std::string reference(float v, int d, bool fixed) {
  char text[256];
  const double a = std::fabs(static_cast<double>(v));
  const auto res = fixed ? std::to_chars(text, text + sizeof text, a, std::chars_format::fixed, d)
                         : std::to_chars(text, text + sizeof text, a, std::chars_format::scientific, d - 1);
  std::string digits;
  int point = 0, exp10 = 0;
  bool after = false;
  const char* s = text;
  for (; s < res.ptr && *s != 'e'; ++s) {
    if (*s == '.') {
      after = true;
    } else if (digits.empty() && *s == '0') {
      if (after && fixed) --point;
    } else {
      digits += *s;
      if (!after && fixed) ++point;
    }
  }
  if (!fixed) {
    std::from_chars(s + 1 + (s[1] == '+'), res.ptr, exp10);
    point = exp10 + 1;
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) point = 0;
  return shown(std::signbit(v), digits, point);
}

std::string ours(float v, int d, bool fixed) {
  Decimal x;
  if (fixed)
    siteresp::textio::round_fixed(v, d, x);
  else
    siteresp::textio::round_significant(v, d, x);
  return shown(x.negative, std::string(x.digit, static_cast<std::size_t>(x.n)), x.point);
}

void expect_all(float v, int& failures) {
  if (!std::isfinite(v)) return;
  for (int d : {1, 4, 7, 9})
    if (ours(v, d, false) != reference(v, d, false) && ++failures <= 10)
      ADD_FAILURE() << "E, " << d << " digits of " << v << ": " << ours(v, d, false) << " vs "
                    << reference(v, d, false);
  for (int d : {0, 2, 3, 4, 5})
    if (ours(v, d, true) != reference(v, d, true) && ++failures <= 10)
      ADD_FAILURE() << "F, " << d << " decimals of " << v << ": " << ours(v, d, true) << " vs "
                    << reference(v, d, true);
}

TEST(DigitIdentity, RandomFloatsOfEveryMagnitude) {
  golden::Noise n(3);
  int failures = 0;
  for (int k = 0; k < 60000; ++k) {
    const auto bits = static_cast<std::uint32_t>(static_cast<std::uint64_t>((n.next() + 1.0) * 0x1p31));
    const float v = std::bit_cast<float>(bits & 0xffffffffu);
    expect_all(v, failures);
  }
  EXPECT_EQ(failures, 0);
}

// Exact ties (k + 1/2) * 10^-d that floats hold, their float neighbours, and
// neighbours of powers of ten where the rounding moves the point.
TEST(DigitIdentity, TiesAndPowersOfTen) {
  int failures = 0;
  const float ties[] = {0.5f,    1.5f,    2.5f,    0.25f,    0.125f,   0.0625f,  0.1875f,
                        0.03125f, 12.5f,  1234.5f, 0.00048828125f, 9.5f, 99.5f, 1024.5f};
  for (float t : ties)
    for (float v : {t, std::nextafter(t, 0.0f), std::nextafter(t, 1e30f), -t}) expect_all(v, failures);
  for (int e = -40; e <= 38; ++e) {
    const float p = std::pow(10.0f, static_cast<float>(e));
    float v = p;
    for (int step = 0; step < 40; ++step) v = std::nextafter(v, 0.0f);
    for (int step = 0; step < 80; ++step, v = std::nextafter(v, 1e38f)) expect_all(v, failures);
    for (float m : {9.99995f, 9.9999995f, 0.99995f, 9.5f, 0.95f})
      expect_all(m * p, failures);
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
