// Whole runs whose result files and console transcript must stay the same
// to the last bit.  Each case is a folder of tests/golden/cases: its inputs
// (wave.csv, soil.csv, answers.txt), or a file "generate" naming the
// generator in cases.h that writes them; the console transcript as plain
// text (a change shows as a diff); and expected.sha256, in the format of
// coreutils' sha256sum, which checks it.  Optimised (-O2), unoptimised
// (-O0, sanitizer) and clang builds must all reproduce every case.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "driver/run.h"
#include "golden/cases.h"
#include "response/layer_pass.h"
#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::Options;
using testsupport::Outcome;
using testsupport::ScratchDir;

const fs::path cases_dir = fs::path(SITERESP_SOURCE_DIR) / "tests/golden/cases";

std::string read_file(const fs::path& p) {
  std::string s;
  if (std::FILE* f = std::fopen(p.c_str(), "rb")) {
    char buf[65536];
    for (std::size_t k; (k = std::fread(buf, 1, sizeof buf, f)) > 0;) s.append(buf, k);
    std::fclose(f);
  }
  return s;
}

std::vector<std::string> case_names() {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(cases_dir)) {
    if (e.is_directory()) names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The case's inputs written into `dir`.
void write_inputs(const std::string& name, const ScratchDir& dir) {
  const fs::path from = cases_dir / name;
  golden::CaseFiles files;
  if (fs::exists(from / "generate")) {
    std::string generator = read_file(from / "generate");
    generator.erase(generator.find_last_not_of(" \n") + 1);
    ASSERT_TRUE(golden::generate(generator, files)) << "unknown generator " << generator;
  } else {
    files = {read_file(from / "wave.csv"), read_file(from / "soil.csv"), read_file(from / "answers.txt")};
  }
  dir.write("wave.csv", files.wave);
  dir.write("soil.csv", files.soil);
  dir.write("answers.txt", files.answers);
}

// The run in `dir` against the case's references: the transcript as text,
// then every file named in expected.sha256.
void expect_reference_output(const std::string& name, const ScratchDir& dir, const Outcome& r) {
  ASSERT_TRUE(r.exited() && r.code() == 0) << r.err;
  EXPECT_EQ(r.err, "");
  const fs::path ref = cases_dir / name;
  dir.write("transcript.txt", r.out);
  if (r.out != read_file(ref / "transcript.txt")) {
    const Outcome diff = testsupport::run("/usr/bin/diff", {"-u", (ref / "transcript.txt").string(), "transcript.txt"},
                                          Options().in(dir.str()));
    ADD_FAILURE() << "console transcript differs:\n" << diff.out;
  }
  dir.write("expected.sha256", read_file(ref / "expected.sha256"));
  const Outcome check =
      testsupport::run("/usr/bin/sha256sum", {"--check", "--strict", "expected.sha256"}, Options().in(dir.str()));
  EXPECT_EQ(check.code(), 0) << check.out << check.err;
}

class GoldenOutput : public testing::TestWithParam<std::string> {};

// The built program, run as a user does.
TEST_P(GoldenOutput, Program) {
  ScratchDir dir;
  write_inputs(GetParam(), dir);
  const Outcome r = testsupport::run(SITERESP_EXE, {}, Options().in(dir.str()).with_input(dir.read("answers.txt")));
  expect_reference_output(GetParam(), dir, r);
}

// The run in a child of this test with the two-lane response kernel, the
// one of processors without AVX2.
TEST_P(GoldenOutput, TwoLaneKernel) {
  ScratchDir dir;
  write_inputs(GetParam(), dir);
  const Outcome r = testsupport::run_function(
      [] {
        siteresp::limit_lane_width(2);
        return siteresp::run();
      },
      Options().in(dir.str()).with_input(dir.read("answers.txt")));
  expect_reference_output(GetParam(), dir, r);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenOutput, testing::ValuesIn(case_names()),
                         [](const testing::TestParamInfo<std::string>& p) { return p.param; });

// The references of each case agree with each other: the transcript
// reference is the one its fingerprint names, and every result file is
// listed.
TEST(GoldenCases, ReferencesAgree) {
  ASSERT_FALSE(case_names().empty());
  for (const std::string& name : case_names()) {
    SCOPED_TRACE(name);
    const std::string sums = read_file(cases_dir / name / "expected.sha256");
    for (const char* file : {"Amp-Factors.csv", "amp1.csv", "wave1.csv", "transcript.txt"}) {
      EXPECT_NE(sums.find(std::string("  ") + file + "\n"), std::string::npos) << file;
    }
    const Outcome check = testsupport::run("/usr/bin/sha256sum", {"--check", "--ignore-missing", "expected.sha256"},
                                           Options().in((cases_dir / name).string()));
    EXPECT_EQ(check.out, "transcript.txt: OK\n") << check.err;
  }
}

}  // namespace
