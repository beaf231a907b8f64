// sitekit import as a command: where the wave file goes, what the terminal
// shows, and the exit status of each kind of failure.
#include <gtest/gtest.h>

#include "cli/cli_fixture.h"

namespace sitekit::cli::test {
namespace {

std::string at2(const std::string& comp, const std::string& samples) {
  return "PEER NGA STRONG MOTION DATABASE RECORD\n"
         "14383980, 7/29/2008, Anaheim, " + comp + "\n"
         "ACCELERATION TIME SERIES IN UNITS OF G\n"
         "NPTS=      4, DT=   .0050 SEC,\n" + samples + "\n";
}

TEST(ImportCommand, TwoHorizontalsBecomeAWaveFileInGal) {
  testsupport::ScratchDir dir;
  dir.write("EQ_000.AT2", at2("000", "  .1000000E+00  -.2000000E+00   .0000000E+00   .5000000E-01"));
  dir.write("EQ_090.AT2", at2("090", "  .0100000E+00   .0200000E+00   .0300000E+00   .0400000E+00"));
  const testsupport::Outcome r = sitekit(dir, {"import", "--scale", "2", "EQ_000.AT2", "EQ_090.AT2"});
  ASSERT_EQ(r.code(), 0) << r.err;
  EXPECT_EQ(r.err, "sitekit: warning: no vertical channel: V1 is all zeros\n");
  EXPECT_EQ(r.out, "EQ: 4 samples at 0.005 s (H1(000), H2(090), V1(none)) -> EQ.csv\n");
  const std::vector<std::string> rows = lines_of(dir.read("EQ.csv"));
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], "time,H1(000),H2(090),V1(none)");
  EXPECT_EQ(rows[1], "0,196.133,19.6133,0");            // 0.1 g and 0.01 g, times 2
  EXPECT_EQ(rows[2], "0.005,-392.266,39.2266,0");
  EXPECT_EQ(rows[4], "0.015,98.0665,78.4532,0");
}

struct ImportFailure {
  std::vector<std::string> args;
  int code;
  std::string err;
};

TEST(ImportCommand, FailuresWithTheirExitStatus) {
  const ImportFailure cases[] = {
      {{"import", "missing"}, 1,
       "sitekit: missing: no such file, nor missing.NS/.EW/.UD, nor missing.NS2/.EW2/.UD2\n"},
      {{"import", "--format", "seed", "x.AT2"}, 2,
       "sitekit: --format: unknown format \"seed\": one of auto, knet, at2, smc, cosmos, csmip, esm, wave\n"},
      {{"import"}, 2, "sitekit: import: files is required (see 'sitekit import --help')\n"},
      {{"import", "--sensor", "roof", "x.AT2"}, 2,
       "sitekit: import: --sensor: roof not in {surface,borehole} (see 'sitekit import --help')\n"},
      {{"import", "--length", "-1", "x.AT2"}, 2,
       "sitekit: import: --length: must be above 0, not -1 (see 'sitekit import --help')\n"},
  };
  for (const ImportFailure& c : cases) {
    testsupport::ScratchDir dir;
    dir.write("x.AT2", at2("000", "  .1 .2 .3 .4"));
    const testsupport::Outcome r = sitekit(dir, c.args);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.code(), c.code) << c.err;
    EXPECT_FALSE(dir.exists("x.csv"));
  }
}

}  // namespace
}  // namespace sitekit::cli::test
