// COSMOS V1/V2 (v01.20): several channels, layouts read from the file, the
// interval from real header 62 in milliseconds.
#include <gtest/gtest.h>

#include <fmt/format.h>

#include "read_helpers.h"

namespace {

using namespace records_test;

struct Channel {
  long orientation = 360;
  double dt_ms = 10.0;
  std::string units = "cm/sec2(04)";
  std::string kind = "Corrected acceleration";
  std::string count = "6";
  std::string data = "       1.000000      -2.500000       3.000000\n"
                     "      -4.000000   5.000000E-01       6.000000\n";

  std::string text() const {
    std::string s = kind + "    (Format v01.20 with 13 text lines)\n";
    s += "Test earthquake, 2001\n";
    for (int i = 3; i <= 4; ++i) s += fmt::format("text line {}\n", i);
    s += "Station: TST  Test station\n";
    for (int i = 6; i <= 13; ++i) s += fmt::format("text line {}\n", i);
    s += "100 Integer-header values follow on  10 lines, Format= (10I8)\n";
    for (int i = 1; i <= 100; ++i) s += fmt::format("{:8}", i == 54 ? orientation : -999) + (i % 10 == 0 ? "\n" : "");
    s += "100 Real-header values follow on  20 lines, Format= (5F15.6)\n";
    for (int i = 1; i <= 100; ++i)
      s += fmt::format("{:15.6f}", i == 62 ? dt_ms : i == 34 ? 0.25 : -999.0) + (i % 5 == 0 ? "\n" : "");
    s += "  1 Comment line(s) follow, each starting with a \"|\":\n| processed by nobody\n";
    s += count + " acceleration pts, approx    0 secs, units=" + units + ",Format=(3E15.6)\n" + data;
    return s + "End-of-data for Chan  1 acceleration\n";
  }
};

TEST(CosmosChannels, EveryChannelOfTheFileInOrder) {
  Channel up;
  up.orientation = 400;
  up.units = "g(50)";
  Channel down;
  down.orientation = 500;
  const auto cs = channels(Channel{}.text() + up.text() + down.text(), Format::cosmos);
  ASSERT_EQ(cs.size(), 3u);
  EXPECT_EQ(cs[0].samples, (std::vector<double>{1, -2.5, 3, -4, 0.5, 6}));
  EXPECT_DOUBLE_EQ(cs[0].dt, 0.01) << "real header 62, not 34";
  EXPECT_EQ(cs[0].axis, Axis::north);
  EXPECT_EQ(cs[0].event, "Test earthquake, 2001");
  EXPECT_EQ(cs[0].station, "Station: TST  Test station");
  EXPECT_EQ(cs[1].axis, Axis::up);
  EXPECT_DOUBLE_EQ(cs[1].samples[1], -2.5 * 980.665);
  EXPECT_EQ(cs[2].axis, Axis::up);
  EXPECT_EQ(cs[2].samples[1], 2.5) << "a downward channel is turned up";
}

TEST(CosmosChannels, CrLfReadsTheSame) {
  const auto a = channels(Channel{}.text(), Format::cosmos), b = channels(crlf(Channel{}.text()), Format::cosmos);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(a[0].samples, b[0].samples);
}

TEST(CosmosErrors, AtTheirLine) {
  Channel velocity;
  velocity.kind = "Velocity";
  Channel counts;
  counts.units = "counts(01)";
  Channel lying;
  lying.count = "1000000000";
  Channel no_dt;
  no_dt.dt_ms = 0;
  Channel bad;
  bad.data = "       1.000000      -2.5.0000       3.000000\n";
  const std::pair<std::string, std::string> cases[] = {
      {velocity.text(), "f:1: \"Velocity    (Format v01.20 with 13 text ...\" is not an acceleration channel"},
      {counts.text(), "f:48: units \"counts\" are not an acceleration sitekit knows"},
      {lying.text(), "f:51: field 1: \"End-of-data for\" is not a number"},
      {no_dt.text(), "f:1: the sample interval (real header 62) is not positive"},
      {bad.text(), "f:49: field 2: \"-2.5.0000\" is not a number"},
      {Channel{}.text().substr(0, 400), "f:16: field 4 is empty"},
      {Channel{}.text().substr(0, 200), "f:11: the file ends inside the text header"},
  };
  for (const auto& [content, error] : cases) EXPECT_EQ(first_error(content, Format::cosmos), error);
}

}  // namespace
