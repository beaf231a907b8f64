// Hostile inputs give an error, never a crash, a hang or a huge allocation.
#include <gtest/gtest.h>

#include "read_helpers.h"
#include "records/soil.h"
#include "records/wave_file.h"
#include "support/scratch_dir.h"

namespace {

using namespace records_test;

const Format every_reader[] = {Format::knet, Format::at2, Format::smc, Format::cosmos, Format::csmip, Format::esm, Format::wave};

TEST(HostileContent, EveryReaderRefusesWithoutCrashing) {
  const std::string cases[] = {
      "",
      std::string(1000, '\0'),
      "Origin Time\nScale Factor\n",
      "PEER NGA\n\nACCELERATION TIME SERIES IN UNITS OF G\nNPTS= 1000000000, DT= .005\n",
      "PEER NGA\n\nACCELERATION TIME SERIES IN UNITS OF G\nNPTS= 99999999999999999999999, DT= 1e-300\n",
      "Corrected acceleration (Format v01.20 with 999999999999999999 text lines)\n",
      "Corrected acceleration (Format v01.20 with 1 text lines)\n1000000000 Integer-header values follow on 1 lines, Format= (10I8)\n",
      "   1000000000 points of accel data equally spaced at  .005 sec, in cm/sec2. (8f10.6)\n",
      "   3 points of accel data equally spaced at  .005 sec, in cm/sec2. (999999999f10.6)\n",
      "SAMPLING_INTERVAL_S: 0.005\nNDATA: 1000000000\n1\n",
      "2 CORRECTED ACCELEROGRAM\n",
      "time,H1,H2,V1\r\n0,1,2,3\r\n",
      "\r\r\r\n\n",
  };
  for (Format f : every_reader)
    for (const std::string& content : cases) {
      const auto r = read_components(content, "f", f);
      EXPECT_FALSE(r) << format_name(f) << ": " << content;
    }
}

TEST(HostileContent, ValuesThatOverflowOnceConverted) {
  // Each value is finite as written; the unit conversion or the mean
  // removal takes it beyond the range of doubles.
  const std::pair<Format, std::string> cases[] = {
      {Format::at2, "PEER NGA STRONG MOTION DATABASE RECORD\nX\nACCELERATION TIME SERIES IN UNITS OF G\n"
                    "NPTS=      3, DT=   .0050 SEC,\n  1.0E-03  150000000E300  2.0E-01\n"},
  };
  for (const auto& [format, content] : cases) {
    const auto r = read_components(content, "f", format);
    ASSERT_FALSE(r) << format_name(format);
    EXPECT_EQ(shown(r.error()), "f:0: sample 2 of channel 1 is beyond the range of numbers once converted to cm/s2");
  }
}

TEST(HostileFiles, DirectoriesMissingFilesAndDevices) {
  const testsupport::ScratchDir d;
  const std::pair<std::string, std::string> cases[] = {
      {d.str(), d.str() + ":0: is a directory, not a record file"},
      {d.file("none"), d.file("none") + ":0: cannot open: No such file or directory"},
      {"/dev/null", "/dev/null:0: is empty"},
  };
  for (const auto& [path, error] : cases) {
    const auto r = read_component_file(path);
    ASSERT_FALSE(r);
    EXPECT_EQ(shown(r.error()), error);
  }
  const auto z = slurp("/dev/zero");
  ASSERT_FALSE(z);
  EXPECT_EQ(z.error().message, "is larger than 256 MB, too large for a record file");
  EXPECT_FALSE(read_soil_file(d.str()));
  EXPECT_FALSE(read_wave_file(d.str()));
}

}  // namespace
