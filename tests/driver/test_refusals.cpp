// Records the run refuses, and the diagnostics of a wave file that cannot
// be read.
#include <gtest/gtest.h>

#include <cmath>

#include "driver/state.h"
#include "run_fixture.h"

namespace {

using namespace e2e;

TEST(TransformLength, SmallestPowerOfTwoNotBelowFour) {
  struct Row { std::int64_t nt; std::int32_t nf, if1; };
  const Row rows[] = {
      {0, 4, 2},         {1, 4, 2},         {2, 4, 2},         {3, 4, 2},
      {4, 4, 2},         {5, 8, 3},         {1023, 1024, 10},  {1024, 1024, 10},
      {1025, 2048, 11},  {16384, 16384, 14}, {16385, 32768, 15}, {32768, 32768, 15},
  };
  for (const Row& r : rows) {
    std::int32_t nf = 0, if1 = 0;
    ASSERT_TRUE(siteresp::choose_transform_length(r.nt, nf, if1)) << r.nt;
    EXPECT_EQ(nf, r.nf) << r.nt;
    EXPECT_EQ(if1, r.if1) << r.nt;
  }
  std::int32_t nf = 0, if1 = 0;
  EXPECT_FALSE(siteresp::choose_transform_length(32769, nf, if1));
  EXPECT_FALSE(siteresp::choose_transform_length(1000000, nf, if1));
}

struct Refusal {
  const char* name;
  std::string wave;       // content of w.csv (written unless the name is missing)
  std::string typed;      // the answer to the wave prompt
  std::string err;        // the whole of standard error
};

const std::string prompt = "\n\n Enter Wave Data (H1,H2,V1; e.g., wave.csv)\n";
const std::string lately = "lately reading sequential formatted external IO\n";

TEST(WaveDiagnostics, ExactText) {
  const Refusal cases[] = {
      {"missing file", "", "nosuch.csv",
       "open: No such file or directory\napparent state: unit 11 named nosuch.csv\n" + lately},
      {"empty file", "", "w.csv",
       "list in: end of file\napparent state: unit 11 named w.csv\nlast format: list io\n" + lately},
      {"header cut short", "time,H1", "w.csv",
       "list in: end of file\napparent state: unit 11 named w.csv\nlast format: list io\n" + lately},
      {"letter in a number", "t,a,b,c\n0,1,2,3\n1,a,2,3\n", "w.csv",
       "invalid number: incomprehensible list input\napparent state: unit 11 named w.csv\n"
       "last format: list io\n" + lately},
      {"semicolon separator", "t,a,b,c\n0;1;2;3\n", "w.csv",
       "invalid number: incomprehensible list input\napparent state: unit 11 named w.csv\n"
       "last format: list io\n" + lately},
      {"exponent without digits", "t,a,b,c\n0,1.5E,2,3\n", "w.csv",
       "exponent field: incomprehensible list input\napparent state: unit 11 named w.csv\n"
       "last format: list io\n" + lately},
      {"header only", "time,H1,H2,V1\n", "w.csv",
       "wave record: fewer than two rows\napparent state: unit 11 named w.csv\n" + lately},
      {"one row", "time,H1,H2,V1\n0,1,2,3\n", "w.csv",
       "wave record: fewer than two rows\napparent state: unit 11 named w.csv\n" + lately},
      {"time standing still", "time,H1,H2,V1\n1,1,2,3\n1,1,2,3\n", "w.csv",
       "wave record: time step is not positive\napparent state: unit 11 named w.csv\n" + lately},
      {"time running back", "time,H1,H2,V1\n1,1,2,3\n0.5,1,2,3\n", "w.csv",
       "wave record: time step is not positive\napparent state: unit 11 named w.csv\n" + lately},
  };
  for (const Refusal& c : cases) {
    TempDir dir;
    if (std::string(c.name) != "missing file") dir.write("w.csv", c.wave);
    ChildResult r = run_in(dir, c.typed + "\n", false);
    EXPECT_TRUE(r.aborted()) << c.name;
    EXPECT_EQ(r.err, c.err) << c.name;
    EXPECT_EQ(r.out.substr(0, prompt.size()), prompt) << c.name;
    EXPECT_FALSE(dir.exists("Amp-Factors.csv")) << c.name;
  }
}

struct BlankName {
  const char* answers;  // typed at the two prompts
  std::string err;      // the whole of standard error
};

// A blank answer to either file prompt is a null file name, however it is
// typed: an empty line, blanks, blanks with a line end of CR LF, or 20
// blanks with the rest of the line beyond the field.  The channel keeps the
// blank name: "named", one blank, nothing after it.
TEST(BlankFileNames, WaveAndSoilPrompts) {
  const std::string wave = "open: null file name\napparent state: unit 11 named \n" + lately;
  const std::string soil = "open: null file name\napparent state: unit 4 named \nlast format: list io\n"
                           "lately writing sequential formatted external IO\n";
  const BlankName cases[] = {
      {"\n",                                  wave},
      {"   \n",                               wave},
      {"  \r\n",                              wave},
      {"                    w.csv\n",          wave},
      {"w.csv\n\n",                           soil},
      {"w.csv\n     \n",                      soil},
      {"w.csv\n\r\n",                         soil},
      {"w.csv\n                    s.csv\n",  soil},
  };
  for (const BlankName& c : cases) {
    SCOPED_TRACE(c.answers);
    TempDir dir;
    dir.write("w.csv", "t,a,b,c\n0,1,1,1\n0.01,1,1,1\n");
    dir.write("s.csv", halfspace(1));
    const ChildResult r = run_in(dir, c.answers, false);
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.err, c.err);
    EXPECT_FALSE(dir.exists("Amp-Factors.csv"));
  }
}

TEST(WaveDiagnostics, TooLongRecord) {
  TempDir dir;
  std::string w = "time,H1,H2,V1\n";
  for (int i = 0; i < 32769; ++i) w += std::to_string(i) + ",0,0,0\n";
  dir.write("w.csv", w);
  ChildResult r = run_in(dir, "w.csv\n", false);
  ASSERT_TRUE(r.exited());
  EXPECT_EQ(r.code(), 1);
  EXPECT_EQ(r.out, prompt + " NT and DT= 32769  1.\n  NT>2**15 !!!!!\n");
  EXPECT_EQ(r.err, "");
  EXPECT_FALSE(dir.exists("Amp-Factors.csv"));
  EXPECT_FALSE(dir.exists("wave1.csv"));
}

TEST(WaveDiagnostics, NameCutTo20AndLeadingBlanksKept) {
  TempDir dir;
  dir.write("abcdefghijklmnopqrst", "t,a,b,c\n0,1,1,1\n1,1,1,1\n");
  ChildResult r = run_in(dir, "abcdefghijklmnopqrstuvwxyz\n", false);
  EXPECT_NE(r.out.find(" NT and DT= 2  1.\n"), std::string::npos) << r.out << r.err;
  ChildResult blank = run_in(dir, " abcdefghijklmnopqrst\n", false);
  EXPECT_EQ(blank.err.substr(0, 32), "open: No such file or directory\n");
  EXPECT_NE(blank.err.find("named  abcdefghijklmnopqrs\n"), std::string::npos) << blank.err;
}

TEST(WaveDiagnostics, EndOfInputAtTheFirstPrompt) {
  TempDir dir;
  ChildResult r = run_in(dir, "", false);
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.err, "fmt: end of file\napparent state: unit 5 (unnamed)\nlast format: (A20)\n" + lately);
}

}  // namespace

namespace {

using namespace e2e;

// Records of 16,385 to 32,768 rows need the longest transform; they are
// processed like any other.
TEST(Capacity, LongestTransformIsProcessed) {
  for (int nt : {16385, 32768}) {
    TempDir dir;
    dir.write("w.csv", wave_csv(nt, "0.005", 0.005, 0.0, [](int i) { return std::sin(0.01 * i); },
                                [](int i) { return std::cos(0.02 * i); }, [](int i) { return (i % 5) * 0.1; }));
    dir.write("s.csv", halfspace(2));
    ChildResult r = run_in(dir, answers("w.csv", "s.csv", 0, 0));
    ASSERT_EQ(r.code(), 0) << r.out;
    EXPECT_NE(r.out.find("\n  IF1,NF= 15 32768\n"), std::string::npos) << nt;
    EXPECT_NE(r.out.find("\n  Nmber of data points    = 32768\n"), std::string::npos) << nt;
    EXPECT_EQ(lines_of(dir.read("Amp-Factors.csv")).size(), 16386u) << nt;
    const auto rows = lines_of(dir.read("wave1.csv"));
    ASSERT_EQ(rows.size(), 32769u) << nt;
    // unit response: the output is the record less its window mean and its first sample
    EXPECT_NEAR(fields(rows[101])[1], std::sin(1.0) - std::sin(0.0), 2e-3) << nt;
  }
}

}  // namespace
