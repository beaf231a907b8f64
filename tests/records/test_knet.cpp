// K-NET and KiK-net ASCII: counts x A/B, whole-record mean removed, checked
// against the header's peak.
#include <gtest/gtest.h>

#include "read_helpers.h"

namespace {

using namespace records_test;

// A K-NET file of 10 counts whose mean is 1000, 0.1 gal per count.
std::string knet(const std::string& dir = "N-S", const std::string& max_acc = "2.000",
                 const std::string& scale = "100(gal)/1000", const std::string& counts_line2 = "    1005     995") {
  return "Origin Time       2018/01/24 19:51:00\n"
         "Lat.              41.0\n"
         "Long.             142.5\n"
         "Depth. (km)       30\n"
         "Mag.              6.2\n"
         "Station Code      TST001\n"
         "Station Lat.      41.5267\n"
         "Station Long.     140.9244\n"
         "Station Height(m) 39\n"
         "Record Time       2018/01/24 19:51:43\n"
         "Sampling Freq(Hz) 200Hz\n"
         "Duration Time(s)  1\n"
         "Dir.              " + dir + "\n"
         "Scale Factor      " + scale + "\n"
         "Max. Acc. (gal)   " + max_acc + "\n"
         "Last Correction   2018/01/24 19:51:43\n"
         "Memo.             \n"
         "    1000     1010      990     1000     1020      980     1000     1000 \n" + counts_line2 + "\n";
}

TEST(KnetCounts, ScaledAndTheMeanRemoved) {
  const auto cs = channels(knet(), Format::knet);
  ASSERT_EQ(cs.size(), 1u);
  const double expected[] = {0, 1, -1, 0, 2, -2, 0, 0, 0.5, -0.5};
  ASSERT_EQ(cs[0].samples.size(), 10u);
  for (std::size_t k = 0; k < 10; ++k) EXPECT_NEAR(cs[0].samples[k], expected[k], 1e-12) << k;
  EXPECT_DOUBLE_EQ(cs[0].dt, 0.005);
  EXPECT_EQ(cs[0].station, "TST001");
  EXPECT_EQ(cs[0].event, "2018/01/24 19:51:00 M6.2");
  EXPECT_TRUE(cs[0].warnings.empty());
}

TEST(KnetCounts, CrLfReadsTheSame) {
  const auto a = channels(knet(), Format::knet), b = channels(crlf(knet()), Format::knet);
  ASSERT_EQ(a.size(), 1u);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(a[0].samples, b[0].samples);
}

TEST(KnetDirections, KnetWordsAndKiknetChannelNumbers) {
  const std::tuple<const char*, Axis, const char*> cases[] = {
      {"N-S", Axis::north, "N-S"}, {"E-W", Axis::east, "E-W"}, {"U-D", Axis::up, "U-D"},
      {"1", Axis::north, "NS1"},   {"2", Axis::east, "EW1"},   {"3", Axis::up, "UD1"},
      {"4", Axis::north, "NS2"},   {"5", Axis::east, "EW2"},   {"6", Axis::up, "UD2"},
      {"7", Axis::horizontal, "7"},
  };
  for (const auto& [dir, axis, name] : cases) {
    const auto cs = channels(knet(dir), Format::knet);
    ASSERT_EQ(cs.size(), 1u);
    EXPECT_EQ(cs[0].axis, axis) << dir;
    EXPECT_EQ(cs[0].orientation, name);
  }
}

TEST(KnetPeak, AMismatchIsAWarningNamingBothValues) {
  auto cs = channels(knet("N-S", "2.001"), Format::knet);
  ASSERT_EQ(cs.size(), 1u);
  EXPECT_TRUE(cs[0].warnings.empty()) << "within the header's rounding";
  cs = channels(knet("N-S", "2.500"), Format::knet);
  ASSERT_EQ(cs[0].warnings.size(), 1u);
  EXPECT_EQ(shown(cs[0].warnings[0]),
            "f:15: the peak of the samples, 2.000 gal, differs from the header's Max. Acc. (gal), \"2.500\"");
  cs = channels(knet("N-S", "n/a"), Format::knet);
  ASSERT_EQ(cs[0].warnings.size(), 1u);
  EXPECT_EQ(shown(cs[0].warnings[0]),
            "f:15: the peak of the samples, 2.000 gal, differs from the header's Max. Acc. (gal), \"n/a\"");
}

TEST(KnetErrors, AtTheirLine) {
  const std::pair<std::string, std::string> cases[] = {
      {knet("N-S", "2.000", "3920/"), "f:14: Scale Factor \"3920/\" is not of the form A(gal)/B"},
      {knet("N-S", "2.000", "100(gal)/0"), "f:14: Scale Factor \"100(gal)/0\" is not of the form A(gal)/B"},
      {knet("N-S", "2.000", "100(gal)/1000", "    1005     9x5"), "f:19: field 2: \"9x5\" is not a number"},
      {knet().substr(0, knet().find("Memo.")), "f:0: the header has no \"Memo.\" line"},
      {knet().substr(0, knet().find("    1000")), "f:0: the record has no samples"},
  };
  for (const auto& [content, error] : cases) EXPECT_EQ(first_error(content, Format::knet), error);
  std::string no_rate = knet();
  no_rate.replace(no_rate.find("200Hz"), 5, "-5Hz");
  EXPECT_EQ(first_error(no_rate, Format::knet), "f:11: Sampling Freq \"-5Hz\" is not a positive frequency");
}

}  // namespace
