// Result files: replacement, partial runs, fields that overflow, times.
#include <gtest/gtest.h>

#include "run_fixture.h"

namespace {

using namespace e2e;

std::string small_record(int nt, const std::string& dt_text, double dt) {
  return wave_csv(nt, dt_text, dt, 0.0, [](int i) { return (i * 37 % 11) - 5.0; },
                  [](int i) { return (i * 13 % 7) - 3.0; }, [](int i) { return i % 3 - 1.0; });
}

TEST(ResultFiles, EndOfInputAtEachQuestion) {
  const std::string full = answers("w.csv", "s.csv", 0, 1, "1,2,10,20");
  // Cut the answers after the file names, after the first and after the second answer.
  const std::size_t cuts[] = {full.find("0\n1\n"), full.find("1\n1,2"), full.find("1,2,10")};
  for (std::size_t cut : cuts) {
    TempDir dir;
    dir.write("w.csv", small_record(300, "0.01", 0.01));
    dir.write("s.csv", halfspace(1));
    dir.write("amp1.csv", "old spectrum\n");
    dir.write("wave1.csv", "old wave\n");
    ChildResult r = run_in(dir, full.substr(0, cut), false);
    EXPECT_TRUE(r.aborted()) << r.out << r.err;
    EXPECT_EQ(r.err.substr(0, 22), "list in: end of file\na") << r.err;
    EXPECT_EQ(lines_of(dir.read("Amp-Factors.csv")).size(), 258u);  // nom = 257, plus heading
    EXPECT_EQ(dir.read("amp1.csv"), "old spectrum\n");
    EXPECT_EQ(dir.read("wave1.csv"), "old wave\n");
  }
}

TEST(ResultFiles, ASecondRunReplacesAllThree) {
  TempDir dir;
  dir.write("w.csv", small_record(1000, "0.01", 0.01));
  dir.write("s.csv", halfspace(1));
  ASSERT_EQ(run_in(dir, answers("w.csv", "s.csv", 0, 0)).code(), 0);
  dir.write("w.csv", small_record(100, "0.01", 0.01));
  ChildResult r = run_in(dir, answers("w.csv", "s.csv", 0, 0));
  ASSERT_EQ(r.code(), 0) << r.out;
  EXPECT_EQ(lines_of(dir.read("Amp-Factors.csv")).size(), 66u);
  EXPECT_EQ(lines_of(dir.read("amp1.csv")).size(), 65u);
  EXPECT_EQ(lines_of(dir.read("wave1.csv")).size(), 129u);
  EXPECT_EQ(dir.read("wave1.csv").back(), '\n');
}

// 0.0004 s puts grid frequencies above 1000 Hz: the frequency field fills
// with asterisks from the first such row on, and rows keep their length.
TEST(ResultFiles, FrequencyFieldOverflow) {
  TempDir dir;
  dir.write("w.csv", small_record(256, "0.0004", 0.0004));
  dir.write("s.csv", halfspace(1));
  ChildResult r = run_in(dir, answers("w.csv", "s.csv", 0, 0));
  ASSERT_EQ(r.code(), 0) << r.out;
  for (const char* name : {"Amp-Factors.csv", "amp1.csv"}) {
    const auto rows = lines_of(dir.read(name));
    bool starred = false;
    for (std::size_t i = 1; i < rows.size(); ++i) {
      const double f = fields(rows[i])[0];
      if (rows[i].substr(0, 8) == "********") {
        starred = true;
      } else {
        ASSERT_FALSE(starred) << name << " row " << i << " after a starred row";
        ASSERT_LT(f, 1000.0) << name << " row " << i;
      }
      ASSERT_EQ(rows[i].size(), std::string(name) == "amp1.csv" ? 48u : 61u);
    }
    EXPECT_TRUE(starred) << name;
    EXPECT_EQ(rows.back().substr(0, 9), "********,") << name;
  }
}

TEST(ResultFiles, RecordTimesKeptSummaryFromZero) {
  TempDir dir;
  std::string w = "time,H1,H2,V1\n";
  for (int i = 0; i < 100; ++i) w += std::to_string(5 + i) + ".5,1,2,3\n";
  dir.write("w.csv", w);
  dir.write("s.csv", halfspace(1));
  ChildResult r = run_in(dir, answers("w.csv", "s.csv", 0, 0));
  ASSERT_EQ(r.code(), 0) << r.out;
  EXPECT_NE(r.out.find("  Nmber of data points    = 128\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("  Duration and Delta Time =  128.  1.\n"), std::string::npos);
  EXPECT_NE(r.out.find("  Initial and final times =  0.  127.\n"), std::string::npos);
  const auto rows = lines_of(dir.read("wave1.csv"));
  ASSERT_EQ(rows.size(), 129u);
  EXPECT_EQ(rows[1].substr(0, 11), "   5.50000,");
  EXPECT_EQ(rows[100].substr(0, 11), " 104.50000,");
  EXPECT_EQ(rows[101].substr(0, 11), "   0.00000,");
  EXPECT_EQ(rows[128].substr(0, 11), "   0.00000,");
}

// An uncounted last row leaves its time in the array, and the file shows it.
TEST(ResultFiles, UncountedLastRowTimeShows) {
  TempDir dir;
  std::string w = "time,H1,H2,V1\n";
  for (int i = 0; i < 10; ++i) w += std::to_string(i) + ",1,2,3\n";
  w += "42,1,2";  // too short: not counted
  dir.write("w.csv", w);
  dir.write("s.csv", halfspace(1));
  ChildResult r = run_in(dir, answers("w.csv", "s.csv", 0, 0));
  ASSERT_EQ(r.code(), 0) << r.out;
  EXPECT_NE(r.out.find(" NT and DT= 10  1.\n"), std::string::npos) << r.out;
  const auto rows = lines_of(dir.read("wave1.csv"));
  ASSERT_EQ(rows.size(), 17u);
  EXPECT_EQ(rows[11].substr(0, 11), "  42.00000,");
  EXPECT_EQ(rows[12].substr(0, 11), "   0.00000,");
}

}  // namespace
