// CSMIP / CGS Volume 2: all channels in one file, touching F10.6 fields.
#include <gtest/gtest.h>

#include <fmt/format.h>

#include "read_helpers.h"

namespace {

using namespace records_test;

std::string channel(int number, const std::string& orientation, const std::string& accel_line,
                    const std::string& data) {
  std::string s = fmt::format("Corrected accelerogram                              Chan {:2}:  {}\n", number, orientation);
  s += "Earthquake of Tuesday, July 29, 2008\n";
  s += "Station No. 13849  Test station\n";
  for (int i = 4; i <= 25; ++i) s += fmt::format("text line {}\n", i);
  for (int i = 0; i < 7; ++i) s += std::string(80, ' ').replace(0, 5, "   -1") + "\n";
  for (int i = 0; i < 13; ++i) s += "  -999.000  -999.000\n";
  s += accel_line + "\n" + data;
  s += "    3 points of veloc data equally spaced at  .005 sec, in cm/sec. (8f10.6)\n  1.000000  1.000000  1.000000\n";
  s += "    3 points of displ data equally spaced at  .005 sec, in cm.     (8f10.6)\n  1.000000  1.000000  1.000000\n";
  return s + fmt::format("/&  ----------  End of data for channel {}  ----------\n", number);
}

const std::string accel_3 = "    3 points of accel data equally spaced at  .005 sec, in cm/sec2. (8f10.6)";
const std::string touching = "-77.280340-10.000000  1.500000\n";

TEST(CsmipChannels, EveryChannelTouchingFieldsCutByColumn) {
  const std::string file = channel(1, "360 Deg", accel_3, touching) + channel(2, "Up", accel_3, "       1.0       2.0       3.0\n") +
                           channel(3, "90 Deg", accel_3, touching);
  for (const std::string& content : {file, crlf(file)}) {
    const auto cs = channels(content, Format::csmip);
    ASSERT_EQ(cs.size(), 3u);
    EXPECT_EQ(cs[0].samples, (std::vector<double>{-77.28034, -10, 1.5}));
    EXPECT_DOUBLE_EQ(cs[0].dt, 0.005);
    EXPECT_EQ(cs[0].axis, Axis::north);
    EXPECT_EQ(cs[0].orientation, "360");
    EXPECT_EQ(cs[1].axis, Axis::up);
    EXPECT_EQ(cs[1].samples, (std::vector<double>{1, 2, 3})) << "columns 1-10, 11-20, 21-30";
    EXPECT_EQ(cs[2].axis, Axis::east);
    EXPECT_EQ(cs[0].station, "13849  Test station");
    EXPECT_EQ(cs[0].event, "Earthquake of Tuesday, July 29, 2008");
  }
}

TEST(CsmipErrors, AtTheirLine) {
  const std::pair<std::string, std::string> cases[] = {
      {channel(1, "360 Deg", "    3 points of accel data equally spaced at  .005 sec, in cm/sec. (8f10.6)", touching),
       "f:46: units \"CM/SEC\" are not an acceleration sitekit knows"},
      {channel(1, "360 Deg", "    3 points of accel data equally spaced at  0 sec, in cm/sec2. (8f10.6)", touching),
       "f:46: cannot read the count, interval and layout from \"3 points of accel data equally spaced at...\""},
      {channel(1, "360 Deg", "    9 points of accel data equally spaced at  .005 sec, in cm/sec2. (8f10.6)", touching),
       "f:47: field 4 is empty"},
      {channel(1, "360 Deg", accel_3, "-77.280340-10.0.0000  1.500000\n"), "f:47: field 2: \"-10.0.0000\" is not a number"},
      {"Corrected accelerogram\nnothing else\n", "f:1: no \"points of accel data\" line follows the channel's header"},
  };
  for (const auto& [content, error] : cases) EXPECT_EQ(first_error(content, Format::csmip), error);
}

}  // namespace
