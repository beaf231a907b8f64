// Inputs far beyond anything the program is meant for: each must end within
// seconds, in bounded memory, with the outcome the rules give.
#include <fstream>

#include "hostile.h"

namespace {

using namespace hardening;

const std::string wave_prompt = "\n\n Enter Wave Data (H1,H2,V1; e.g., wave.csv)\n";

void expect_bounded(const Timed& t) {
  EXPECT_LT(t.seconds, wall_limit_s);
  EXPECT_LT(peak_child_rss_kb(), rss_limit_kb);
}

// Written out row by row: the test itself must stay small (see
// peak_child_rss_kb).
void write_rows(const TempDir& dir, const std::string& name, const std::string& head, long rows,
                const std::string& row_end) {
  std::ofstream f(dir.path() / name, std::ios::binary);
  f << head;
  for (long i = 0; i < rows; ++i) f << i << row_end;
}

TEST(HugeInputs, MillionRowWaveFile) {
  TempDir dir;
  write_rows(dir, "w.csv", "time,H1,H2,V1\n", 1000000, ",0.5,-0.5,0\n");
  const Timed t = timed_run(dir, "w.csv\n");
  ASSERT_TRUE(t.r.exited()) << "signal " << t.r.signal();
  EXPECT_EQ(t.r.code(), 1);
  EXPECT_EQ(t.r.out, wave_prompt + " NT and DT= 1000000  1.\n  NT>2**15 !!!!!\n");
  EXPECT_EQ(t.r.err, "");
  for (const char* name : {"Amp-Factors.csv", "amp1.csv", "wave1.csv"}) EXPECT_FALSE(dir.exists(name)) << name;
  expect_bounded(t);
}

// A label of a megabyte is cut to its first 10 characters; one whose quote
// never closes runs into the end of the file, which ends the header without
// a diagnostic and leaves no rows.
TEST(HugeInputs, MegabyteLabel) {
  std::string mb_quoted = "'";
  while (mb_quoted.size() < (1u << 20)) mb_quoted += "Time, (s) ";
  mb_quoted += '\'';
  const std::string mb_bare(1u << 20, 'T');
  struct Case {
    const char* what;
    std::string header;
    std::string wave1_heading;  // empty: the run is refused
  };
  const Case cases[] = {
      {"quoted", mb_quoted + ",H1,H2,V1\n", " Time, (s) ,H1        ,H2        ,V1        "},
      {"unquoted", mb_bare + ",H1,H2,V1\n", " TTTTTTTTTT,H1        ,H2        ,V1        "},
      {"quote never closed", mb_quoted.substr(0, mb_quoted.size() - 1) + ",H1,H2,V1\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    dir.write("w.csv", c.header + record(300).substr(std::string("time,H1,H2,V1\n").size()));
    dir.write("s.csv", two_layers());
    const Timed t = timed_run(dir, all_answers());
    if (c.wave1_heading.empty()) {
      EXPECT_TRUE(t.r.aborted());
      EXPECT_EQ(t.r.err, "wave record: fewer than two rows\napparent state: unit 11 named w.csv\n" + lately_reading);
      EXPECT_EQ(t.r.out, wave_prompt + " NT and DT= 0  0.\n");
      EXPECT_FALSE(dir.exists("Amp-Factors.csv"));
    } else {
      EXPECT_EQ(t.r.code(), 0) << t.r.err;
      EXPECT_EQ(e2e::lines_of(dir.read("wave1.csv"))[0], c.wave1_heading);
      EXPECT_EQ(e2e::lines_of(dir.read("amp1.csv"))[0], " frequency(Hz),H1        ,H2        ,V1        ");
    }
    expect_bounded(t);
  }
}

// The count is refused before any row is read: the first row would fail as
// a number, and it never gets the chance.
TEST(HugeInputs, MillionLayerProfile) {
  TempDir dir;
  dir.write("w.csv", record(300));
  write_rows(dir, "s.csv",
             "Profile\n30.0,angle\n1,wave type\nlayers\n1000000\nheading\nnot a number\n", 100000,
             ", 1.8, 1500, 20, 0.5, 200, 10, 0.5, 10\n");
  const Timed t = timed_run(dir, all_answers());
  EXPECT_TRUE(t.r.aborted());
  EXPECT_EQ(t.r.err, "soil profile: number of layers must be 1 to 50\napparent state: unit 4 named s.csv\n" +
                         lately_reading);
  const std::string tail =
      "\n   Total Number of Layers =*****\n"
      "   Layer,Density,Vp(real),    Qp  ,  Fp  ,Vs(real),    Qs  ,  Fs  ,Thickness(m)\n";
  ASSERT_GE(t.r.out.size(), tail.size());
  EXPECT_EQ(t.r.out.substr(t.r.out.size() - tail.size()), tail);
  EXPECT_FALSE(dir.exists("Amp-Factors.csv"));
  expect_bounded(t);
}

}  // namespace
