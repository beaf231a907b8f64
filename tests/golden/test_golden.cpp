// Whole runs whose result files and console transcript must stay the same
// to the last bit: SHA-256 fingerprints recorded from a plain build.  Any
// change to the arithmetic, the editing or the file writing that moves one
// character of the output fails here.  Optimised (-O2) and unoptimised
// (-O0, sanitizer) builds must agree on every fingerprint.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "golden/cases.h"
#include "support/child.h"
#include "support/sha256.h"

namespace {

using testsupport::sha256;

struct Fingerprints {
  const char* amp_factors;
  const char* amp1;
  const char* wave1;
  const char* transcript;
};

std::string source_file(const std::string& relative) {
  std::ifstream f(std::string(SITERESP_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

golden::CaseFiles example() {
  return {source_file("examples/wave.csv"), source_file("examples/soil.csv"),
          source_file("examples/answers.txt")};
}

void expect_fingerprints(const golden::CaseFiles& files, const Fingerprints& want) {
  testsupport::TempDir dir;
  dir.write("wave.csv", files.wave);
  dir.write("soil.csv", files.soil);
  testsupport::ChildOptions opt;
  opt.cwd = dir.str();
  const testsupport::ChildResult r = testsupport::run_child(SITERESP_EXE, files.answers, opt);
  ASSERT_TRUE(r.exited && r.code == 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(sha256(dir.read("Amp-Factors.csv")), want.amp_factors) << "Amp-Factors.csv";
  EXPECT_EQ(sha256(dir.read("amp1.csv")), want.amp1) << "amp1.csv";
  EXPECT_EQ(sha256(dir.read("wave1.csv")), want.wave1) << "wave1.csv";
  EXPECT_EQ(sha256(r.out), want.transcript) << "console transcript:\n" << r.out;
}

TEST(GoldenOutput, BundledExample) {
  expect_fingerprints(example(), {"", "", "", ""});
}

TEST(GoldenOutput, LargestRun) {
  expect_fingerprints(golden::largest(), {"", "", "", ""});
}

TEST(GoldenOutput, BoreholeEvanescentDifferentiated) {
  expect_fingerprints(golden::borehole(), {"", "", "", ""});
}

TEST(GoldenOutput, UndampedVerticalIncidence) {
  expect_fingerprints(golden::undamped(), {"", "", "", ""});
}

TEST(GoldenOutput, ShortPaddedRecord) {
  expect_fingerprints(golden::short_record(), {"", "", "", ""});
}

}  // namespace
