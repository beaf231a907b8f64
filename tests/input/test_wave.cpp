// Reading of the wave record file: labels, rows, and the rules for the last row.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "input/wave.h"
#include "support/scratch_dir.h"

namespace {

using siteresp::WaveRecord;

struct Loaded {
  std::unique_ptr<WaveRecord> w = std::make_unique<WaveRecord>();
  std::string label(int i) const {
    const char* h[] = {w->head1, w->head2, w->head3, w->head4};
    return std::string(h[i], 10);
  }
};

Loaded load(const std::string& content) {
  testsupport::ScratchDir dir;
  dir.write("w.csv", content);
  Loaded l;
  const std::string name = (dir.path() / "w.csv").string();
  siteresp::read_wave(name.c_str(), static_cast<int>(name.size()), *l.w);
  return l;
}

struct LabelCase {
  const char* header;
  const char* labels[4];
};

TEST(WaveHeader, Labels) {
  const LabelCase cases[] = {
      {"time,H1,H2,V1\n", {"time      ", "H1        ", "H2        ", "V1        "}},
      {"'t (s)','H1, gal',\"H2 (gal)\",V1\n", {"t (s)     ", "H1, gal   ", "H2 (gal)  ", "V1        "}},
      {"TimeInSeconds,EastWestComponent,b,c\n", {"TimeInSeco", "EastWestCo", "b         ", "c         "}},
      {"time H1 (gal) V1\n", {"time      ", "H1        ", "(gal)     ", "V1        "}},
      {"time,H1,H2,V1,extra,more\n", {"time      ", "H1        ", "H2        ", "V1        "}},
      {"time,H1/H2,V1\n", {"time      ", "H1        ", "          ", "          "}},
      {"time,,H2,V1\n", {"time      ", "          ", "H2        ", "V1        "}},
      {"'it''s',a,b,c\n", {"it's      ", "a         ", "b         ", "c         "}},
      {"time,H1,H2,V1\r\n", {"time      ", "H1        ", "H2        ", "V1        "}},
  };
  for (const auto& c : cases) {
    Loaded l = load(std::string(c.header) + "0,1,2,3\n0.5,4,5,6\n");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(l.label(i), c.labels[i]) << c.header;
    EXPECT_EQ(l.w->nt, 2) << c.header;
  }
}

TEST(WaveHeader, ThreeLabelsTakeTheFirstRow) {
  Loaded l = load("time,H1,H2\n0,1,2,3\n0.5,4,5,6\n1.0,7,8,9\n");
  EXPECT_EQ(l.label(3), "0         ");
  EXPECT_EQ(l.w->nt, 2);
  EXPECT_EQ(l.w->time[0], 0.5f);
  EXPECT_EQ(l.w->zr1[1], 9.0f);
}

struct RowCase {
  const char* name;
  const char* body;  // after the header line
  int nt;
  float time_last;   // time(nt)
  float extra[4];    // time, H1, H2, V1 at index nt+1
};

TEST(WaveRows, CountAndLastRow) {
  const RowCase cases[] = {
      {"final line end", "0,1,2,3\n1,4,5,6\n", 2, 1.0f, {0, 0, 0, 0}},
      {"no final line end", "0,1,2,3\n1,4,5,6", 2, 1.0f, {0, 0, 0, 0}},
      {"blanks after the last value", "0,1,2,3\n1,4,5,6  \t", 2, 1.0f, {0, 0, 0, 0}},
      {"trailing comma, no line end", "0,1,2,3\n1,4,5,6,", 1, 0.0f, {1, 4, 5, 6}},
      {"fifth value, no line end", "0,1,2,3\n1,4,5,6,7", 1, 0.0f, {1, 4, 5, 6}},
      {"short last row", "0,1,2,3\n1,4,5\n", 1, 0.0f, {1, 4, 5, 0}},
      {"blank lines between and after", "\n0,1,2,3\n\n\n1,4,5,6\n\n\n", 2, 1.0f, {0, 0, 0, 0}},
      {"extra columns", "0,1,2,3,99,98\n1,4,5,6,97\n", 2, 1.0f, {0, 0, 0, 0}},
      {"CRLF lines", "0,1,2,3\r\n1,4,5,6\r\n", 2, 1.0f, {0, 0, 0, 0}},
      {"row spread over lines", "0,1\n2,3\n1,4,5,6\n", 2, 1.0f, {0, 0, 0, 0}},
      {"header only", "", 0, 0.0f, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    Loaded l = load(std::string("time,H1,H2,V1\n") + c.body);
    const WaveRecord& w = *l.w;
    ASSERT_EQ(w.nt, c.nt) << c.name;
    if (c.nt > 0) {
      EXPECT_EQ(w.time[c.nt - 1], c.time_last) << c.name;
    }
    EXPECT_EQ(w.time[c.nt], c.extra[0]) << c.name;
    EXPECT_EQ(w.xr1[c.nt], c.extra[1]) << c.name;
    EXPECT_EQ(w.yr1[c.nt], c.extra[2]) << c.name;
    EXPECT_EQ(w.zr1[c.nt], c.extra[3]) << c.name;
    EXPECT_EQ(w.time[c.nt + 1], 0.0f) << c.name;
  }
}

TEST(WaveRows, EmptyFieldsSlashAndNumberForms) {
  Loaded l = load("time,H1,H2,V1\n0,,2,3\n1,4/\n2,1.5D-3,1.5-3,.5\n3,5.,+5,-0\n");
  const WaveRecord& w = *l.w;
  ASSERT_EQ(w.nt, 4);
  EXPECT_EQ(w.xr1[0], 0.0f);  // empty field
  EXPECT_EQ(w.zr1[0], 3.0f);
  EXPECT_EQ(w.xr1[1], 4.0f);  // slash: the rest of the row stays 0
  EXPECT_EQ(w.yr1[1], 0.0f);
  EXPECT_EQ(w.zr1[1], 0.0f);
  EXPECT_EQ(w.xr1[2], 1.5e-3f);
  EXPECT_EQ(w.yr1[2], 1.5e-3f);
  EXPECT_EQ(w.zr1[2], 0.5f);
  EXPECT_EQ(w.xr1[3], 5.0f);
  EXPECT_EQ(w.yr1[3], 5.0f);
}

TEST(WaveRows, FourthValueFollowedByText) {
  Loaded l = load("time,H1,H2,V1\n0,1,2,1.5abc\n1,2,3,4\n");
  ASSERT_EQ(l.w->nt, 2);
  EXPECT_EQ(l.w->zr1[0], 1.5f);
}

TEST(WaveRows, RepeatCounts) {
  Loaded l = load("time,H1,H2,V1\n0,3*2.0\n1,2*,4\n");
  ASSERT_EQ(l.w->nt, 2);
  EXPECT_EQ(l.w->zr1[0], 2.0f);
  EXPECT_EQ(l.w->yr1[1], 0.0f);
  EXPECT_EQ(l.w->zr1[1], 4.0f);
}

TEST(WaveRows, RowsBeyondCapacityAreCountedNotStored) {
  std::string body = "t,a,b,c\n";
  const int rows = siteresp::mom + 5;
  body.reserve(static_cast<std::size_t>(rows) * 12);
  for (int i = 0; i < rows; ++i) body += std::to_string(i) + ",1,2,3\n";
  Loaded l = load(body);
  EXPECT_EQ(l.w->nt, rows);
  EXPECT_EQ(l.w->time[siteresp::mom - 1], static_cast<float>(siteresp::mom - 1));
}

}  // namespace
