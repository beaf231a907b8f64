// From channels to H1, H2, V1: order, labels, rates, lengths, and the import
// options on top.
#include <gtest/gtest.h>

#include "read_helpers.h"
#include "records/record.h"

namespace {

using namespace records_test;

Component ch(const std::string& orientation, std::size_t n = 100, double dt = 0.01, double value = 1.0) {
  Component c;
  c.orientation = orientation;
  c.samples.assign(n, value);
  c.dt = dt;
  c.file = orientation + ".txt";
  if (orientation == "UD") c.axis = Axis::up;
  else if (orientation == "NS") c.axis = Axis::north, c.azimuth = 0.0;
  else if (orientation == "EW") c.axis = Axis::east, c.azimuth = 90.0;
  else if (!orientation.empty() && orientation[0] >= '0' && orientation[0] <= '9') c.azimuth = std::stod(orientation);
  return c;
}

TEST(ChannelOrder, NorthOrFirstAzimuthThenTheOneAQuarterTurnClockwiseThenUp) {
  using L = std::array<std::string, 4>;
  const std::pair<std::vector<std::string>, L> cases[] = {
      {{"NS", "EW", "UD"}, {"time", "H1(NS)", "H2(EW)", "V1(UD)"}},
      {{"UD", "EW", "NS"}, {"time", "H1(NS)", "H2(EW)", "V1(UD)"}},
      {{"090", "360"}, {"time", "H1(360)", "H2(090)", "V1(none)"}},
      {{"067", "337"}, {"time", "H1(337)", "H2(067)", "V1(none)"}},
      {{"HN1", "HN2", "UD"}, {"time", "H1(HN1)", "H2(HN2)", "V1(UD)"}},
      {{"HN2", "HN1", "UD"}, {"time", "H1(HN2)", "H2(HN1)", "V1(UD)"}},
      {{"045", "180"}, {"time", "H1(045)", "H2(180)", "V1(none)"}},
      {{"a,b/c'd\"e f", "EW"}, {"time", "H1(abcdef)", "H2(EW)", "V1(none)"}},
  };
  for (const auto& [given, labels] : cases) {
    std::vector<Component> cs;
    for (const std::string& o : given) cs.push_back(ch(o));
    auto r = assemble(cs);
    ASSERT_TRUE(r) << r.error().message;
    EXPECT_EQ(r.value().labels, labels) << given[0];
  }
}

TEST(ChannelOrder, SamplesFollowTheirLabels) {
  auto r = assemble({ch("UD", 3, 0.01, 3.0), ch("EW", 3, 0.01, 2.0), ch("NS", 3, 0.01, 1.0)});
  ASSERT_TRUE(r);
  EXPECT_EQ(r.value().h1, (std::vector<double>{1, 1, 1}));
  EXPECT_EQ(r.value().h2, (std::vector<double>{2, 2, 2}));
  EXPECT_EQ(r.value().v1, (std::vector<double>{3, 3, 3}));
  EXPECT_EQ(r.value().files, (std::vector<std::string>{"NS.txt", "EW.txt", "UD.txt"}));
}

TEST(ChannelSets, RefusedAndWarnedCombinations) {
  const std::pair<std::vector<Component>, std::string> refused[] = {
      {{ch("NS"), ch("EW", 100, 0.005)}, "EW.txt:0: its sample interval, 0.005 s, differs from 0.01 s of NS.txt; resample one of them first"},
      {{ch("NS", 100), ch("EW", 200)}, "EW.txt:0: the channels differ in length too much to belong together: 100 and 200 samples"},
      {{ch("NS"), ch("UD")}, "NS.txt:0: a record needs two horizontal channels and at most one vertical; found 1 horizontal and 1 vertical"},
      {{ch("NS"), ch("EW"), ch("UD"), ch("UD")}, "NS.txt:0: a record needs two horizontal channels and at most one vertical; found 2 horizontal and 2 vertical"},
  };
  for (const auto& [cs, error] : refused) {
    auto r = assemble(cs);
    ASSERT_FALSE(r);
    EXPECT_EQ(shown(r.error()), error);
  }
  auto r = assemble({ch("NS", 1000), ch("EW", 1003), ch("UD", 1001)});
  ASSERT_TRUE(r);
  EXPECT_EQ(r.value().size(), 1000u);
  ASSERT_EQ(r.value().warnings.size(), 1u);
  EXPECT_EQ(r.value().warnings[0].message, "the channels differ in length (1000 to 1003 samples); all are cut to 1000");
  r = assemble({ch("NS"), ch("EW")});
  ASSERT_TRUE(r);
  EXPECT_EQ(r.value().v1, std::vector<double>(100, 0.0));
  ASSERT_EQ(r.value().warnings.size(), 1u);
  EXPECT_EQ(r.value().warnings[0].message, "no vertical channel: V1 is all zeros");
}

Record ramp(std::size_t n, double dt = 0.01) {
  Record r;
  r.dt = dt;
  for (std::size_t k = 0; k < n; ++k) {
    r.h1.push_back(static_cast<double>(k));
    r.h2.push_back(-static_cast<double>(k));
    r.v1.push_back(1.0);
  }
  return r;
}

TEST(ImportOptions, ScaleThenWindowWithTimesFromZero) {
  ImportOptions o;
  o.scale = 2.0;
  o.start = 0.5;
  o.length = 0.03;
  auto r = shape(ramp(100), o);
  ASSERT_TRUE(r) << r.error().message;
  EXPECT_EQ(r.value().h1, (std::vector<double>{100, 102, 104}));
  EXPECT_EQ(r.value().h2, (std::vector<double>{-100, -102, -104}));
  EXPECT_EQ(r.value().time, (std::vector<double>{0, 0.01, 0.02}));
}

TEST(ImportOptions, RefusalsNameTheRecordAndTheWayOut) {
  struct Case {
    std::size_t n;
    std::optional<double> start, length, resample;
    double scale;
    std::string error;
  };
  const Case cases[] = {
      {60000, {}, {}, {}, 1.0,
       "the record has 60000 samples; sitekit handles at most 32768: take a part with --start/--length or a coarser "
       "interval with --resample"},
      {100, 2.0, {}, {}, 1.0, "--start 2 s is beyond the end of the record (1 s)"},
      {100, -1.0, {}, {}, 1.0, "--start -1 s must not be negative"},
      {100, {}, 0.0, {}, 1.0, "--length 0 s must be positive"},
      {100, 0.995, {}, {}, 1.0, "--start and --length leave fewer than two samples"},
      {100, {}, {}, 0.005, 1.0, "--resample 0.005 s must be coarser than the record's interval, 0.01 s"},
      {100, {}, {}, {}, 0.0, "--scale 0 must be a finite, non-zero factor"},
      {100, {}, {}, {}, 1e308, "--scale 1e+308 takes samples beyond the range of numbers"},
  };
  for (const Case& c : cases) {
    ImportOptions o;
    o.start = c.start;
    o.length = c.length;
    o.resample_dt = c.resample;
    o.scale = c.scale;
    auto r = shape(ramp(c.n), o);
    ASSERT_FALSE(r) << c.error;
    EXPECT_EQ(r.error().message, c.error);
  }
  ImportOptions o;
  o.start = 0.5;
  o.length = 10.0;
  auto r = shape(ramp(100), o);
  ASSERT_TRUE(r);
  EXPECT_EQ(r.value().size(), 50u);
  ASSERT_EQ(r.value().warnings.size(), 1u);
  EXPECT_EQ(r.value().warnings[0].message, "--length 10 s reaches past the end of the record; 0.5 s kept");
  o = {};
  o.resample_dt = 0.02;
  r = shape(ramp(60000), o);
  ASSERT_TRUE(r) << r.error().message;
  EXPECT_EQ(r.value().size(), 30000u);
  EXPECT_EQ(r.value().dt, 0.02);
}

TEST(RecordNames, StemOfOneFileOrCommonStemOfSeveral) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"wave.csv"}, "wave"},
      {{"/data/AOM0011801241951.NS"}, "AOM0011801241951"},
      {{"d/AOM0011801241951.NS", "d/AOM0011801241951.EW", "d/AOM0011801241951.UD"}, "AOM0011801241951"},
      {{"a/x_1.AT2", "a/x_2.AT2"}, "x"},
      {{"a.b/noext"}, "noext"},
      {{"abc.V2", "xyz.V2"}, "abc"},
      {{"RSN8883_14383980_13849090.AT2", "RSN8883_14383980_13849360.AT2"}, "RSN8883_14383980"},
      {{"st_ab1.V2", "st_ab2.V2", "st_ab3.V2"}, "st"},
      {{"AOM001.NS1", "AOM001.EW1"}, "AOM001"},
  };
  for (const auto& [files, name] : cases) EXPECT_EQ(record_name(files), name);
}

}  // namespace
