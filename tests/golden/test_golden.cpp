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
#include "golden/in_process.h"
#include "response/layer_pass.h"
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

// Recorded from the first build that ran these cases; every build since
// must reproduce them.
const Fingerprints example_prints = {
    "8b43c51ca41f1dfefbd53d0be24d58ad11f249a2eb4f83b989ef302af10714e8",
    "8620a0ecbe059e9e776a2561702ee0b5701cab0a452dafc20d3f52e48c814f2b",
    "786fd0185224c9b0785ed6241628a87685b7c86183b457efd905bf0ffde12558",
    "47ab6360dada4357bb3504f7420c73af004e7208cc6ba935bf9e7c3e0e3a633c"};
const Fingerprints largest_prints = {
    "52db89492b0cf2747b66bdc67e72151f8112ce3f8f144dd6631f513638c83609",
    "a624f12286dc98bedad18d25f75a53cb4a0acd8453b0f7882c4bf2949d54908e",
    "1dc431c126bb73492d8ecb9b04400dd5e351b60b872126cfaaa6371db81ebecd",
    "43e00673513718f78dbd213d45ee0ed36e773b12104257a41127bd47be41af23"};
const Fingerprints borehole_prints = {
    "b0b055257b247de9b264062c20506a30ad935c0f6d365865bb5182d42cd62e53",
    "fb327ca1f67e787b89d1e9a7b28a777fe358f1908021e27c8497035320f36adf",
    "323f8b9072803664ccbbdcb48b528f4681fa15f831a939b2dad6842119ef694b",
    "b69953925ebccfc022f3c5c24bca7eb77e7ecced23b68a58cd34238025501f9a"};
const Fingerprints undamped_prints = {
    "41172b9f086df529f3c00d9291234534bdf55fc4e25c66d9041ea33f11c9db08",
    "9b88fcd35643e4b598650429c95619ec485cd78379b920df37e1adc0a72a6c31",
    "fcbe1b6cb289394d307161b0f27ae1bcfaa3d3c4db22a7e97fb6d35fd4246fae",
    "19ce953eebaf4073fc41973d19639ddff2a43a576722d569543aa14954cf8d14"};
const Fingerprints short_prints = {
    "aebdf8285210a2d2395df276c23f931831b73c6250eeb8d7c1ad44e338032e8a",
    "a88d8672253a6a1faafdaaeb95323394aa99318a52d106c417866a8d6fa42c95",
    "70c1401b06ba69d157cfb54dfd3404d9c910ae930175fdbd399b8bd9e5492a8b",
    "a0f52a47aec390040c0895f0ec17d6aa9dc7da36f7be1dede458c92276f347c4"};

golden::CaseFiles example() {
  return {source_file("examples/wave.csv"), source_file("examples/soil.csv"),
          source_file("examples/answers.txt")};
}

void expect_files(const testsupport::TempDir& dir, const std::string& transcript, const Fingerprints& want) {
  EXPECT_EQ(sha256(dir.read("Amp-Factors.csv")), want.amp_factors) << "Amp-Factors.csv";
  EXPECT_EQ(sha256(dir.read("amp1.csv")), want.amp1) << "amp1.csv";
  EXPECT_EQ(sha256(dir.read("wave1.csv")), want.wave1) << "wave1.csv";
  EXPECT_EQ(sha256(transcript), want.transcript) << "console transcript:\n" << transcript;
}

// The built program, run as a child process.
void expect_fingerprints(const golden::CaseFiles& files, const Fingerprints& want) {
  testsupport::TempDir dir;
  dir.write("wave.csv", files.wave);
  dir.write("soil.csv", files.soil);
  testsupport::ChildOptions opt;
  opt.cwd = dir.str();
  const testsupport::ChildResult r = testsupport::run_child(SITERESP_EXE, files.answers, opt);
  ASSERT_TRUE(r.exited && r.code == 0) << r.err;
  EXPECT_EQ(r.err, "");
  expect_files(dir, r.out, want);
}

// The run in a child of this test with the two-lane response kernel, the
// one of processors without AVX2.
void expect_fingerprints_two_lanes(const golden::CaseFiles& files, const Fingerprints& want) {
  testsupport::TempDir dir;
  dir.write("wave.csv", files.wave);
  dir.write("soil.csv", files.soil);
  dir.write("answers.txt", files.answers);
  const golden::InProcess r = golden::run_in_process(
      dir.str(), [] { siteresp::allow_four_lanes(false); }, [] { return 0L; });
  ASSERT_TRUE(r.ok);
  expect_files(dir, dir.read("transcript.txt"), want);
}


TEST(GoldenOutput, BundledExample) { expect_fingerprints(example(), example_prints); }

TEST(GoldenOutput, LargestRun) { expect_fingerprints(golden::largest(), largest_prints); }

TEST(GoldenOutput, BoreholeEvanescentDifferentiated) {
  expect_fingerprints(golden::borehole(), borehole_prints);
}

TEST(GoldenOutput, UndampedVerticalIncidence) {
  expect_fingerprints(golden::undamped(), undamped_prints);
}

TEST(GoldenOutput, ShortPaddedRecord) { expect_fingerprints(golden::short_record(), short_prints); }

TEST(GoldenOutput, TwoLaneKernel) {
  expect_fingerprints_two_lanes(golden::largest(), largest_prints);
  expect_fingerprints_two_lanes(golden::borehole(), borehole_prints);
}

}  // namespace
