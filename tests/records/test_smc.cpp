// USGS SMC: fixed columns, touching negative fields, CR LF.
#include <gtest/gtest.h>

#include <fmt/format.h>

#include "read_helpers.h"

namespace {

using namespace records_test;

struct Smc {
  std::string kind = "2 CORRECTED ACCELEROGRAM";
  long vertical = 90, azimuth = 360, comments = 2, npts = 10;
  double sps = 100.0;
  std::string data = "-2.2223E+0-1.9234E+0    1.0000    2.0000   -3.0000    4.0000    5.0000    6.0000\n"
                     "    7.0000    8.0000\n";

  std::string text() const {
    std::string s = kind + "\n";
    for (int i = 2; i <= 5; ++i) s += fmt::format("text line {}\n", i);
    s += fmt::format("CE1234 TEST STATION   component={}\n", vertical == 90 ? std::to_string(azimuth) : "up");
    s += "pk = 8.0\n";
    for (int i = 8; i <= 11; ++i) s += "\n";
    for (int i = 1; i <= 48; ++i) {
      const long v = i == 13 ? vertical : i == 14 ? azimuth : i == 16 ? comments : i == 17 ? npts : -32768;
      s += fmt::format("{:10}", v) + (i % 8 == 0 ? "\n" : "");
    }
    for (int i = 1; i <= 50; ++i) s += fmt::format("{:15.7E}", i == 2 ? sps : 1.7e38) + (i % 5 == 0 ? "\n" : "");
    for (long i = 0; i < comments; ++i) s += "| comment\n";
    return s + data;
  }
};

TEST(SmcSamples, TouchingFieldsCutByColumnInEitherLineEnd) {
  for (bool crlf_ends : {false, true}) {
    const std::string content = crlf_ends ? crlf(Smc{}.text()) : Smc{}.text();
    const auto cs = channels(content, Format::smc);
    ASSERT_EQ(cs.size(), 1u);
    EXPECT_EQ(cs[0].samples, (std::vector<double>{-2.2223, -1.9234, 1, 2, -3, 4, 5, 6, 7, 8}));
    EXPECT_DOUBLE_EQ(cs[0].dt, 0.01);
    EXPECT_EQ(cs[0].axis, Axis::north);
    EXPECT_EQ(cs[0].orientation, "360");
    EXPECT_EQ(cs[0].station, "CE1234 TEST STATION");
    EXPECT_TRUE(cs[0].warnings.empty());
  }
}

TEST(SmcOrientation, FromTheIntegerHeader) {
  const std::tuple<long, long, Axis, double> cases[] = {
      {90, 90, Axis::east, 1.0}, {90, 45, Axis::horizontal, 1.0}, {0, -32768, Axis::up, 1.0}, {180, -32768, Axis::up, -1.0},
  };
  for (const auto& [vertical, azimuth, axis, sign] : cases) {
    Smc s;
    s.vertical = vertical;
    s.azimuth = azimuth;
    const auto cs = channels(s.text(), Format::smc);
    ASSERT_EQ(cs.size(), 1u);
    EXPECT_EQ(cs[0].axis, axis) << vertical << " " << azimuth;
    EXPECT_EQ(cs[0].samples[2], sign) << "a downward channel is turned up";
  }
}

TEST(SmcKinds, UncorrectedIsWarnedAboutAndVelocityRefused) {
  Smc s;
  s.kind = "1 UNCORRECTED ACCELEROGRAM";
  const auto cs = channels(s.text(), Format::smc);
  ASSERT_EQ(cs.size(), 1u);
  ASSERT_EQ(cs[0].warnings.size(), 1u);
  EXPECT_EQ(shown(cs[0].warnings[0]), "f:1: uncorrected accelerogram: no baseline correction applied");
  s.kind = "3 VELOCITY";
  EXPECT_EQ(first_error(s.text(), Format::smc), "f:1: \"3 VELOCITY\" is not an accelerogram");
}

TEST(SmcErrors, CountsThatLie) {
  Smc more;
  more.npts = 11;
  Smc huge;
  huge.npts = 1000000000;
  Smc bad;
  bad.data = "    1.0000    2.0.00\n";
  bad.npts = 2;
  Smc rate;
  rate.sps = 0;
  const std::pair<std::string, std::string> cases[] = {
      {more.text(), "f:31: field 3 is empty"},
      {Smc{}.text().substr(0, Smc{}.text().size() - 21), "f:30: the file ends after 8 of 10 samples"},
      {huge.text(), "f:14: header integers 16 and 17 (2 comment lines, 1000000000 samples) do not fit the file"},
      {bad.text(), "f:30: field 2: \"2.0.00\" is not a number"},
      {rate.text(), "f:18: samples per second (real 2) must be positive"},
      {Smc{}.text().substr(0, 300), "f:14: the header ends early"},
  };
  for (const auto& [content, error] : cases) EXPECT_EQ(first_error(content, Format::smc), error);
}

}  // namespace
