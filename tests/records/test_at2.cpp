// PEER NGA .AT2: samples in g, both forms of the size line.
#include <gtest/gtest.h>

#include "read_helpers.h"

namespace {

using namespace records_test;

std::string at2(const std::string& size_line, const std::string& comp = "90",
                const std::string& data = "  1.0000000E-03  -.8075668E-03 -2.0000000E-01  0.0000000E+00  5.0000000E-01\n"
                                          "  1.0000000E+00\n") {
  return "PEER NGA STRONG MOTION DATABASE RECORD\n"
         "14383980, 7/29/2008, Anaheim - Lakeview & Riverdale, " + comp + "\n"
         "ACCELERATION TIME SERIES IN UNITS OF G\n" + size_line + "\n" + data;
}

const std::string npts_6 = "NPTS=      6, DT=   .0050 SEC,";

TEST(At2Samples, GTimesStandardGravity) {
  for (const std::string& size : {npts_6, std::string("   6    0.0050    NPTS, DT")}) {
    const auto cs = channels(at2(size), Format::at2);
    ASSERT_EQ(cs.size(), 1u) << size;
    const double g[] = {1e-3, -.8075668e-3, -0.2, 0, 0.5, 1.0};
    ASSERT_EQ(cs[0].samples.size(), 6u);
    for (std::size_t k = 0; k < 6; ++k) EXPECT_DOUBLE_EQ(cs[0].samples[k], g[k] * 980.665) << k;
    EXPECT_DOUBLE_EQ(cs[0].dt, 0.005);
    EXPECT_EQ(cs[0].station, "Anaheim - Lakeview & Riverdale");
    EXPECT_EQ(cs[0].event, "14383980, 7/29/2008");
  }
}

TEST(At2Components, AzimuthsAndVerticals) {
  const std::tuple<const char*, Axis, std::optional<double>> cases[] = {
      {"90", Axis::east, 90.0},   {"360", Axis::north, 0.0}, {"067", Axis::horizontal, 67.0},
      {"UP", Axis::up, {}},       {"-UP", Axis::up, {}},     {"180 (USGS STATION 117)", Axis::horizontal, 180.0},
      {"FN", Axis::horizontal, {}},
  };
  for (const auto& [comp, axis, az] : cases) {
    const auto cs = channels(at2(npts_6, comp), Format::at2);
    ASSERT_EQ(cs.size(), 1u);
    EXPECT_EQ(cs[0].axis, axis) << comp;
    EXPECT_EQ(cs[0].azimuth, az) << comp;
  }
}

TEST(At2Errors, CountsThatLieAndBrokenSizeLines) {
  const std::pair<std::string, std::string> cases[] = {
      {at2("NPTS=      7, DT=   .0050 SEC,"), "f:6: the file ends after 6 of NPTS = 7 samples"},
      {at2("NPTS=      5, DT=   .0050 SEC,"), "f:6: more samples than NPTS = 5"},
      {at2("NPTS= 1000000000, DT= .005"), "f:6: the file ends after 6 of NPTS = 1000000000 samples"},
      {at2("NPTS=      6, DT=   0 SEC,"), "f:4: DT \"0\" is not a positive interval"},
      {at2("NPTS=   six, DT=   .005"), "f:4: NPTS \"six\" is not a positive whole number"},
      {at2(npts_6, "90", "  1.0E-03 1.0E-03 1.0.3\n"), "f:5: field 3: \"1.0.3\" is not a number"},
      {"PEER NGA STRONG MOTION DATABASE RECORD\nx\n", "f:0: the header ends before its NPTS, DT line"},
  };
  for (const auto& [content, error] : cases) EXPECT_EQ(first_error(content, Format::at2), error);
}

}  // namespace
