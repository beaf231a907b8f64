// A real K-NET triplet run end to end in one command: imported, computed by
// siteresp, and the same as the dialogue's run on the imported record.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_fixture.h"

namespace sitekit::cli::test {
namespace {

const std::string records_dir = SITEKIT_RECORDS_DIR;

TEST(RealRecords, KnetTripletRunsInOneCommand) {
  if (!std::filesystem::exists(records_dir + "/AOM0011801241951.NS"))
    GTEST_SKIP() << "no real records at " << records_dir;
  testsupport::ScratchDir dir;
  dir.write("soil.csv", example("soil.csv"));
  const testsupport::Outcome r = sitekit(
      dir, {"run", "--soil", "soil.csv", "--band", "0.1,0.2,20,25", "--out", "out",
            records_dir + "/AOM0011801241951.NS"});
  ASSERT_EQ(r.code(), 0) << r.err;
  const std::string run = "out/AOM0011801241951/";
  const std::vector<std::string> input = lines_of(dir.read(run + "input.csv"));
  EXPECT_EQ(input.front(), "time,H1(N-S),H2(E-W),V1(U-D)");
  EXPECT_EQ(input.size(), 10201u);  // 102 s at 100 Hz
  const std::string info = dir.read(run + "run-info.csv");
  EXPECT_NE(info.find("\nnt,10200\nnf,16384\nunits,cm/s2\n"), std::string::npos) << info;

  // The dialogue, given the imported record, computes the same files.
  dir.write("input.csv", dir.read(run + "input.csv"));
  const testsupport::Outcome d = siteresp(dir, "input.csv\nsoil.csv\n0\n1\n0.1,0.2,20,25\n");
  ASSERT_EQ(d.code(), 0) << d.err;
  for (const char* f : {"Amp-Factors.csv", "amp1.csv", "wave1.csv"})
    EXPECT_EQ(dir.read(run + f), dir.read(f)) << f;
  const std::vector<std::string> rows = lines_of(dir.read("out/runs.csv"));
  ASSERT_EQ(rows.size(), 2u);
  expect_starts(rows[1], records_dir + "/AOM0011801241951.NS,AOM0011801241951,ok,,out/AOM0011801241951,"
                             "soil.csv,none,0.1;0.2;20;25,1,cm/s2,");
}

}  // namespace
}  // namespace sitekit::cli::test
