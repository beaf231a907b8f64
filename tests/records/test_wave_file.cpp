// The dialogue's wave file: reading with errors at their line, writing whole
// or not at all, and the round trip.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>

#include "read_helpers.h"
#include "records/wave_file.h"
#include "support/scratch_dir.h"

namespace {

using namespace records_test;
using namespace std::string_literals;

std::string wave_error(const std::string& content) {
  auto r = read_wave(content, "wave.csv");
  return r ? std::string("no error") : shown(r.error());
}

TEST(WaveRows, ValuesLabelsAndStep) {
  const std::string content = "time,'H1 (gal)',\"H2, E\",V1,extra\n0,1.5,-2,3\n\n0.01 , 2.5E1\t.5 4 9\r\n0.02,1.5D-1,1.5-1,-0\n";
  auto r = read_wave(content, "wave.csv");
  ASSERT_TRUE(r) << r.error().message;
  const Record& w = r.value();
  EXPECT_EQ(w.labels, (std::array<std::string, 4>{"time", "H1 (gal)", "H2, E", "V1"}));
  EXPECT_EQ(w.time, (std::vector<double>{0, 0.01, 0.02}));
  EXPECT_EQ(w.h1, (std::vector<double>{1.5, 25, 0.15}));
  EXPECT_EQ(w.h2, (std::vector<double>{-2, 0.5, 0.15}));
  EXPECT_EQ(w.v1, (std::vector<double>{3, 4, -0.0}));
  EXPECT_DOUBLE_EQ(w.dt, 0.01);
  EXPECT_TRUE(w.warnings.empty());
  EXPECT_TRUE(w.units.empty());
}

// Rows of plain decimals are read in one pass, any other form by the
// general field reader: both must give the same numbers.
TEST(WaveRows, EveryFormOfARowGivesTheSameNumbers) {
  const std::pair<std::string, std::array<double, 4>> rows[] = {
      {"0.0050,-0.0001,0.0049,0.00002", {0.005, -0.0001, 0.0049, 0.00002}},
      {"\t0.01 ,  2 , 3.\t4\r", {0.01, 2, 3, 4}},
      {"0.01,1,2,3,", {0.01, 1, 2, 3}},
      {"0.01,1,2,3 junk,", {0.01, 1, 2, 3}},
      {"+0.01,-.5,.25,-0", {0.01, -0.5, 0.25, -0.0}},
      {"0.01,2.5e-1,1.5D-1,1.5-1", {0.01, 0.25, 0.15, 0.15}},
      {"0.01,0000000000000000000000000000000000000000000000000000000000000001.5,2,3", {0.01, 1.5, 2, 3}},
  };
  for (const auto& [line, want] : rows) {
    auto r = read_wave("time,H1,H2,V1\n0,0,0,0\n" + line + "\n", "w");
    ASSERT_TRUE(r) << line << ": " << r.error().message;
    const Record& w = r.value();
    ASSERT_EQ(w.size(), 2u) << line;
    EXPECT_EQ((std::array<double, 4>{w.time[1], w.h1[1], w.h2[1], w.v1[1]}), want) << line;
    EXPECT_EQ(std::signbit(w.v1[1]), std::signbit(want[3])) << line;
  }
}

TEST(WaveErrors, AtTheLineAndFieldWhereTheyAre) {
  const std::pair<std::string, std::string> cases[] = {
      {"time,H1,H2,V1\n0,1,2,3\n0.01,1,1.2.3,3\n", "wave.csv:3: field 3: \"1.2.3\" is not a number"},
      {"time,H1,H2,V1\n0,1,2,3\n0.01,1,,3\n", "wave.csv:3: field 3 is empty"},
      {"time,H1,H2,V1\n0,1,2\n", "wave.csv:2: expected 4 values (time, H1, H2, V1), found 3"},
      {"time,H1,H2,V1\n0;1;2;3\n", "wave.csv:2: expected 4 values (time, H1, H2, V1), found 1"},
      {"time,H1,H2\n0,1,2,3\n", "wave.csv:1: the heading needs four labels (time, H1, H2, V1), found 3"},
      {"time,H1,H2,V1\n", "wave.csv:0: the file has a heading but no rows"},
      {"", "wave.csv:0: the file is empty: expected a heading of four labels"},
      {"time,H1,H2,V1\n0,1,2,3\n", "wave.csv:2: one row is not a record: the time step needs two"},
      {"time,H1,H2,V1\n0,1,2,3\n0,1,2,3\n", "wave.csv:3: the time step 0 s is not positive"},
      {"time,H1,H2,V1\n0,1,2,3\n0.01,1,2,3/\n", "wave.csv:3: field 4: \"3/\" is not a number"},
      {"time,H1,H2,V1\n0,1,2,3\n0.01,1,2\0,3\n"s, "wave.csv:3: field 3: \"2\\x00\" is not a number"},
      {"\ntime,H1,H2,V1\n\n0,1,2,3\n\n0,1,2,3\n", "wave.csv:6: the time step 0 s is not positive"},
      {"time,H1,H2,V1\n\n\n0,1,2,3\n", "wave.csv:4: one row is not a record: the time step needs two"},
  };
  for (const auto& [content, error] : cases) EXPECT_EQ(wave_error(content), error) << content;
}

TEST(WaveWarnings, AStepThatChangesAndLongLabels) {
  auto r = read_wave("t,H1,H2,V1\n0,1,2,3\n0.01,1,2,3\n0.02,1,2,3\n0.04,1,2,3\n0.05,1,2,3\n0.07,1,2,3\n", "w");
  ASSERT_TRUE(r);
  ASSERT_EQ(r.value().warnings.size(), 1u);
  EXPECT_EQ(shown(r.value().warnings[0]), "w:5: the time step is not constant: 0.02 s here, 0.01 s at the start (2 rows like this)");
  r = read_wave("t,H1,H2,V1\n\n0,1,2,3\n\n0.01,1,2,3\n0.03,1,2,3\n", "w");
  ASSERT_TRUE(r);
  ASSERT_EQ(r.value().warnings.size(), 1u);
  EXPECT_EQ(shown(r.value().warnings[0]), "w:6: the time step is not constant: 0.02 s here, 0.01 s at the start");
  r = read_wave("time,acceleration_north,H2,V1\n0,1,2,3\n0.01,1,2,3\n", "w");
  ASSERT_TRUE(r);
  ASSERT_EQ(r.value().warnings.size(), 1u);
  EXPECT_EQ(shown(r.value().warnings[0]), "w:1: label \"acceleration_north\" is cut to its first 10 characters in the results");
}

Record small_record() {
  Record r;
  r.labels = {"time", "H1(N-S)", "H2(E-W)", "V1(U-D)"};
  r.dt = 0.01;
  r.h1 = {0.1, -1.0 / 3.0, 1e-300};
  r.h2 = {123456789.125, 0, -0.0};
  r.v1 = {2.0 / 3.0, 5e-324, 1.7976931348623157e308};
  return r;
}

TEST(WaveWriting, TimesKDtAndSamplesThatReadBackExactly) {
  const Record r = small_record();
  const std::string text = format_wave(r);
  EXPECT_EQ(text.substr(0, text.find('\n', text.find('\n') + 1) + 1),
            "time,H1(N-S),H2(E-W),V1(U-D)\n0,0.1,123456789.125,0.6666666666666666\n");
  auto back = read_wave(text, "w");
  ASSERT_TRUE(back) << back.error().message;
  EXPECT_EQ(back.value().time, (std::vector<double>{0, 0.01, 0.02}));
  EXPECT_EQ(back.value().h1, r.h1);
  EXPECT_EQ(back.value().h2, r.h2);
  EXPECT_EQ(back.value().v1, r.v1);
  Record many;
  many.dt = 0.01;
  many.h1 = many.h2 = many.v1 = std::vector<double>(30001, 0.0);
  const std::string t = format_wave(many);
  EXPECT_NE(t.find("\n0.03,0,0,0\n"), std::string::npos) << "k*dt printed to 9 digits, not 0.030000000000000002";
  EXPECT_NE(t.find("\n300,0,0,0\n"), std::string::npos);
}

TEST(WaveWriting, WholeOrNotAtAll) {
  const testsupport::ScratchDir dir;
  const std::string path = dir.file("wave.csv");
  ASSERT_TRUE(write_wave(path, small_record()));
  EXPECT_EQ(dir.read("wave.csv"), format_wave(small_record()));
  const auto st = write_wave(dir.file("missing/wave.csv"), small_record());
  ASSERT_FALSE(st);
  EXPECT_EQ(shown(st.error()), dir.file("missing/wave.csv") + ":0: cannot write: No such file or directory");
  // Only the finished file is left: no temporary beside it.
  std::size_t entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) entries += !e.path().empty();
  EXPECT_EQ(entries, 1u);
}

}  // namespace
