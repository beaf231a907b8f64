// ESM ASCII: KEY: value header, one sample per line.
#include <gtest/gtest.h>

#include "read_helpers.h"

namespace {

using namespace records_test;

std::string esm(const std::string& stream = "HNE", const std::string& units = "cm/s^2", const std::string& ndata = "4",
                const std::string& data = "0.5\n-1.25\n2e-1\n3\n") {
  return "EVENT_NAME: Test event\nEVENT_ID: EMSC-1\nNETWORK: IT\nSTATION_CODE: TST\nSTREAM: " + stream +
         "\nDATE_TIME_FIRST_SAMPLE_YYYYMMDD_HHMMSS: 20161030_064018.130\nSAMPLING_INTERVAL_S: 0.005000\nNDATA: " +
         ndata + "\nUNITS: " + units + "\nPGA_CM/S^2: 3.000000\nUSER5:\n" + data;
}

TEST(EsmSamples, ValuesUnitsAndStreams) {
  const auto cs = channels(esm(), Format::esm);
  ASSERT_EQ(cs.size(), 1u);
  EXPECT_EQ(cs[0].samples, (std::vector<double>{0.5, -1.25, 0.2, 3}));
  EXPECT_DOUBLE_EQ(cs[0].dt, 0.005);
  EXPECT_EQ(cs[0].station, "TST");
  EXPECT_EQ(cs[0].event, "Test event");
  const std::pair<const char*, Axis> streams[] = {
      {"HNE", Axis::east}, {"HGN", Axis::north}, {"HNZ", Axis::up}, {"HN2", Axis::horizontal}, {"HN3", Axis::up}};
  for (const auto& [stream, axis] : streams) EXPECT_EQ(channels(esm(stream), Format::esm).at(0).axis, axis) << stream;
  EXPECT_DOUBLE_EQ(channels(esm("HNE", "m/s^2"), Format::esm).at(0).samples[1], -125.0);
  EXPECT_EQ(channels(crlf(esm()), Format::esm).at(0).samples, cs[0].samples);
}

TEST(EsmErrors, AtTheirLine) {
  const std::pair<std::string, std::string> cases[] = {
      {esm("HNE", "cm/s"), "f:9: UNITS \"cm/s\" are not an acceleration sitekit knows"},
      {esm("HNE", "cm/s^2", "5"), "f:15: the file ends after 4 of NDATA = 5 samples"},
      {esm("HNE", "cm/s^2", "3"), "f:15: more samples than NDATA = 3"},
      {esm("HNE", "cm/s^2", "-3"), "f:8: NDATA \"-3\" is not a positive whole number"},
      {esm("HNE", "cm/s^2", "4", "1\n2\n3;\n4\n"), "f:14: field 1: \"3;\" is not a number"},
      {"NDATA: 3\n1\n2\n3\n", "f:0: the header has no SAMPLING_INTERVAL_S"},
  };
  for (const auto& [content, error] : cases) EXPECT_EQ(first_error(content, Format::esm), error);
}

}  // namespace
