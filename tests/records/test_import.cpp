// The whole import from files on disk: the triplet a name picks, and a wave
// file taken as it is.
#include <gtest/gtest.h>

#include <fmt/format.h>

#include "read_helpers.h"
#include "records/record.h"
#include "support/scratch_dir.h"

namespace {

using namespace records_test;

// A KiK-net channel: every count is `count`, but the first, so that the
// mean-removed samples tell the channels apart.
std::string kik(int channel, int count) {
  std::string s;
  for (const char* l : {"Origin Time       2011/03/11 14:46:00", "Lat.              38.1", "Long.             142.9",
                        "Depth. (km)       24", "Mag.              9.0", "Station Code      IBRH11",
                        "Station Lat.      36.3", "Station Long.     140.3", "Station Height(m) 30",
                        "Record Time       2011/03/11 14:46:35", "Sampling Freq(Hz) 100Hz", "Duration Time(s)  1"})
    s += std::string(l) + "\n";
  s += fmt::format("Dir.              {}\nScale Factor      1(gal)/1\nMax. Acc. (gal)   {}\n", channel, 0.75 * count);
  s += "Last Correction   2011/03/11 14:46:35\nMemo.\n";
  return s + fmt::format("{:9}{:9}{:9}{:9}\n", 0, count, count, count);
}

TEST(ImportFiles, KiknetSensorPicksItsTriplet) {
  const testsupport::ScratchDir d;
  const char* ext[] = {"NS1", "EW1", "UD1", "NS2", "EW2", "UD2"};
  for (int ch = 1; ch <= 6; ++ch) d.write(std::string("IBRH111103111446.") + ext[ch - 1], kik(ch, 4 * ch));
  struct Case {
    std::string arg;
    std::optional<Sensor> sensor;
    double h1, h2, v1;  // the first sample of each: minus 3/4 of the channel's count
    std::string h1_label;
  };
  const Case cases[] = {
      {"IBRH111103111446", {}, -12, -15, -18, "H1(NS2)"},
      {"IBRH111103111446", Sensor::borehole, -3, -6, -9, "H1(NS1)"},
      {"IBRH111103111446.EW1", {}, -3, -6, -9, "H1(NS1)"},
      {"IBRH111103111446.EW1", Sensor::surface, -12, -15, -18, "H1(NS2)"},
  };
  for (const Case& c : cases) {
    ImportOptions o;
    o.sensor = c.sensor;
    auto r = import_record({d.file(c.arg)}, o);
    ASSERT_TRUE(r) << r.error().message;
    const Record& rec = r.value();
    EXPECT_EQ(rec.name, "IBRH111103111446");
    EXPECT_EQ(rec.labels[1], c.h1_label) << c.arg;
    EXPECT_EQ((std::array<double, 3>{rec.h1[0], rec.h2[0], rec.v1[0]}), (std::array<double, 3>{c.h1, c.h2, c.v1})) << c.arg;
    EXPECT_EQ(rec.time, (std::vector<double>{0, 0.01, 0.02, 0.03}));
    EXPECT_TRUE(rec.warnings.empty()) << shown(rec.warnings.at(0));
  }
}

TEST(ImportFiles, AWaveFileKeepsItsLabelsTimesAndUnit) {
  const testsupport::ScratchDir d;
  const std::string w = d.write("wave.csv", "t,a,b,c\n0.5,1,2,3\n0.75,4,5,6\n1,7,8,9\n");
  auto r = import_record({w}, {});
  ASSERT_TRUE(r) << r.error().message;
  EXPECT_EQ(r.value().labels, (std::array<std::string, 4>{"t", "a", "b", "c"}));
  EXPECT_EQ(r.value().time, (std::vector<double>{0.5, 0.75, 1}));
  EXPECT_EQ(r.value().units, "");
  EXPECT_EQ(r.value().name, "wave");
  ImportOptions o;
  o.scale = 10;
  o.start = 0.25;
  r = import_record({w}, o);
  ASSERT_TRUE(r) << r.error().message;
  EXPECT_EQ(r.value().h1, (std::vector<double>{40, 70}));
  EXPECT_EQ(r.value().time, (std::vector<double>{0, 0.25}));
}

}  // namespace
