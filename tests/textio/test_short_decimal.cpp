// Short plain decimals take std::from_chars instead of the full reader: the
// fields it accepts, and the same double and the same position after the
// field as the full reader for every kind of text.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "golden/cases.h"
#include "support/scratch_dir.h"
#include "textio/channel.h"
#include "textio/detail/listnumber.h"
#include "textio/detail/shortdecimal.h"

namespace {

using namespace siteresp::textio;

// (text, integer item, length of the short decimal or 0 for the full reader)
TEST(ShortDecimalShape, WhatTheQuickWayTakes) {
  const std::string d40(40, '7'), d41(41, '7');
  struct Row { std::string text; bool integer; std::size_t length; };
  const std::vector<Row> rows = {
      {"12.5,", false, 4},         {"-0.5 ", false, 4},        {"+.5\n", false, 3},
      {"5./", false, 2},           {"7\t", false, 1},           {"1.5\r\n", false, 3},
      {"1.5e-3,", false, 6},       {"1.5E+03 ", false, 7},      {"2e12345678,", false, 10},
      {d40 + ",", false, 40},      {"0." + d41.substr(2) + ",", false, 41},
      {"42,", true, 2},            {"-42 ", true, 3},
      // Left to the full reader.
      {d41 + ",", false, 0},       {"2e123456789,", false, 0},  {"1.5d3,", false, 0},
      {"1.5D3,", false, 0},        {"1.5-3,", false, 0},        {"1.5+3,", false, 0},
      {"3*1.5,", false, 0},        {"3*,", true, 0},            {"1.5", false, 0},
      {"1.5x,", false, 0},         {"1.2.3,", false, 0},        {"1e,", false, 0},
      {"1e+,", false, 0},          {".,", false, 0},            {"-,", false, 0},
      {"--1,", false, 0},          {"inf,", false, 0},          {"nan,", false, 0},
      {"0x1p3,", false, 0},        {"1.5,", true, 0},           {"1e3,", true, 0},
      {"12+3,", true, 0},          {"", false, 0},              {" 1,", false, 0},
  };
  for (const Row& r : rows)
    EXPECT_EQ(short_decimal_length(r.text, r.integer), r.length) << r.text << (r.integer ? " (integer)" : "");
}

// Fields whose value lies beyond double are the full reader's (infinity,
// or zero after underflow); inside the range every one has a value.
TEST(ShortDecimalShape, RangeOfDouble) {
  struct Row { const char* field; bool quick; };
  const Row rows[] = {
      {"1e309", false},  {"1.7976931348623159e308", false}, {"2e-324", false},  {"1e-400", false},
      {"1e308", true},   {"1.7976931348623157e308", true},  {"4.9e-324", true}, {"0e99999999", true},
  };
  for (const Row& r : rows) {
    double v = 0.0;
    EXPECT_EQ(short_decimal_value(r.field, v), r.quick) << r.field;
  }
}

int next_field(Cursor& cur) {
  int c;
  do c = cur.get();
  while (c == '\n' || c == ' ' || c == ',' || c == '/' || c == '\t');
  return c;
}

std::uint64_t bits(double d) { return std::bit_cast<std::uint64_t>(d); }

struct Comparison {
  std::size_t mismatches = 0, quick = 0;
};

// Reads the fields, written to a file with assorted separators, twice in
// step: by the full reader on one channel, and the quick way where it takes
// them on another.  Compares each value bit for bit and the character
// after it; the first few differences are named.
Comparison two_ways(const std::vector<std::string>& fields, bool integer) {
  const char* seps[] = {",", " ", "\n", "\r\n", "/", "\t"};
  std::string bytes;
  for (std::size_t i = 0; i < fields.size(); ++i) bytes += fields[i] + seps[i % 6] + "\n";
  const testsupport::ScratchDir dir;
  const std::string path = dir.write("fields.txt", bytes);
  auto full_ch = std::make_unique<InChannel>(), quick_ch = std::make_unique<InChannel>();
  full_ch->open_existing(unit_wave, path.c_str(), path.size());
  quick_ch->open_existing(unit_wave, path.c_str(), path.size());
  Cursor full(*full_ch), quick(*quick_ch);
  Comparison r;
  for (const std::string& field : fields) {
    const int c = next_field(full);
    next_field(quick);
    ListValue f, q;
    parse_full_number(full, c, integer, false, f);
    if (read_short_decimal(quick, c, integer, q)) ++r.quick;
    else parse_full_number(quick, c, integer, false, q);
    const int full_after = full.get(), quick_after = quick.get();
    if ((bits(f.num) != bits(q.num) || full_after != quick_after) && ++r.mismatches <= 10)
      ADD_FAILURE() << field << ": " << f.num << " vs " << q.num;
  }
  full_ch->close();
  quick_ch->close();
  return r;
}

// Random plain decimals: 1 to 40 digits with leading zeros, the point
// anywhere or nowhere, signs, exponents of either letter case.
std::vector<std::string> random_fields(int n) {
  golden::Noise noise(17);
  auto pick = [&](int k) { return static_cast<int>((noise.next() + 1.0) * 0.5 * k); };
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) {
    std::string s = pick(3) == 0 ? "-" : pick(6) == 0 ? "+" : "";
    const int ndigits = pick(4) == 0 ? 1 + pick(40) : 1 + pick(9);
    const int zeros = pick(5) == 0 ? pick(ndigits) : 0;
    const int point = pick(ndigits + 2) - 1;  // -1: no point
    for (int k = 0; k < ndigits; ++k) {
      if (k == point) s += '.';
      s += static_cast<char>('0' + (k < zeros ? 0 : pick(10)));
    }
    if (point == ndigits) s += '.';
    if (pick(3) == 0) {
      s += pick(2) == 0 ? "e" : "E";
      s += pick(3) == 0 ? "-" : pick(3) == 0 ? "+" : "";
      s += std::to_string(pick(pick(4) == 0 ? 400 : 40));
    }
    out.push_back(s);
  }
  return out;
}

TEST(ShortDecimalIdentity, RandomPlainDecimals) {
  const auto fields = random_fields(200000);
  const Comparison r = two_ways(fields, false);
  EXPECT_EQ(r.mismatches, 0u);
  // Only the fields beyond double and the few cut by a buffer refill
  // take the long way.
  EXPECT_GT(r.quick, fields.size() * 95 / 100);
}

// Values next to the points where rounding to double or then to float
// turns: halfway between neighbouring floats and doubles, written with
// 9 to 40 significant digits, nudged a last digit either way.
std::vector<std::string> halfway_fields() {
  golden::Noise noise(23);
  std::vector<std::string> out;
  char buf[80];
  for (int i = 0; i < 4000; ++i) {
    const double x = std::ldexp(noise.next() + 1.5, static_cast<int>(noise.next() * 120.0));
    const float f = static_cast<float>(x);
    const double mid_float = (static_cast<double>(f) + static_cast<double>(std::nextafter(f, INFINITY))) / 2;
    const double mid_double = x + (std::nextafter(x, INFINITY) - x) / 2;  // rounds: near, not on
    for (double m : {mid_float, mid_double})
      for (int digits : {9, 10, 17, 20, 25, 40}) {
        std::snprintf(buf, sizeof buf, "%.*e", digits - 1, m);
        out.push_back(buf);
      }
  }
  return out;
}

TEST(ShortDecimalIdentity, HalfwayPoints) {
  const auto fields = halfway_fields();
  const Comparison r = two_ways(fields, false);
  EXPECT_EQ(r.mismatches, 0u);
  EXPECT_GT(r.quick, fields.size() * 95 / 100);
}

// The ends of the ranges of double and float, subnormals, signed zeros,
// leading zeros and the longest fields the quick way takes.
TEST(ShortDecimalIdentity, EdgesOfRange) {
  const std::vector<std::string> fields = {
      "1.7976931348623157e308", "1.7976931348623158e308", "1.7976931348623159e308", "1e309",
      "-1e309", "3.4028235e38", "3.40282356779733661637539395458142568448e38", "3.4028236e38",
      "2.2250738585072014e-308", "2.2250738585072011e-308", "4.9406564584124654e-324",
      "2.4703282292062328e-324", "2.4703282292062327e-324", "1e-310", "1.17549435e-38",
      "1.4e-45", "1.401298464324817e-45", "7.006492321624085e-46", "7.006492321624086e-46",
      "-0", "-0.0", "-.0", "-0e5", "+0", "0.", "0e-99999999", "-0e99999999",
      "0000000000000000000000000000000000000001", "00000000000000000000000000000000000000001",
      "1.000000000000000000000000000000000000001", "9999999999999999999999999999999999999999",
      "99999999999999999999999999999999999999999", "0.1e40", "1e22", "1e23", "1e-22", "1e-23",
      "9007199254740993", "9007199254740992.5", "1.00000005960464478", "1.0000000596046448",
      "123456789012345678901234567890.123456789", "1E8", "1e00000008", "1e-00000008",
  };
  EXPECT_EQ(two_ways(fields, false).mismatches, 0u);
}

// The full reader keeps 40 significant digits and drops the rest: a field
// exactly halfway between two doubles in its first 40 digits and just past
// it in the 41st rounds to even there, away from even when rounded whole.
TEST(ShortDecimalIdentity, DigitsPastTheFortieth) {
  const std::string past = std::string(24, '0') + "1";
  const std::vector<std::string> fields = {
      "9007199254740993." + past,      "18014398509481986." + past.substr(1),
      "-9007199254740993." + past,     "9007199254740993" + past + "e-25",
      "0.9007199254740993" + past + "e16",
  };
  const Comparison r = two_ways(fields, false);
  EXPECT_EQ(r.mismatches, 0u);
  EXPECT_EQ(r.quick, 0u);
}

// Integer items: digits and signs only, saturation left to the store.
TEST(ShortDecimalIdentity, Integers) {
  const std::vector<std::string> fields = {
      "0", "-0", "+0", "7", "007", "-2147483648", "2147483647", "2147483648", "-2147483649",
      "9007199254740993", "99999999999999999999999999999999999999999999", "12+3", "25-1",
  };
  const Comparison r = two_ways(fields, true);
  EXPECT_EQ(r.mismatches, 0u);
  EXPECT_EQ(r.quick, fields.size() - 3);
}

}  // namespace
