// The real recordings kept beside the project: a K-NET triplet and a PEER
// pair, converted whole and checked against their headers and the counts
// their providers state.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "records/read.h"
#include "records/record.h"

namespace {

using namespace sitekit::records;

const std::string dir = SITEKIT_RECORDS_DIR;

#define NEED_RECORDS()                                                                               \
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no real records here: " << dir << " is absent"

double peak(const std::vector<double>& x) {
  double p = 0;
  for (double v : x) p = std::max(p, std::fabs(v));
  return p;
}

TEST(RealKnet, HeaderPeaksAndSampleCounts) {
  NEED_RECORDS();
  const std::pair<const char*, double> cases[] = {{"NS", 4.954}, {"EW", 4.078}, {"UD", 2.240}};
  for (const auto& [ext, max_acc] : cases) {
    auto r = read_component_file(dir + "/AOM0011801241951." + ext);
    ASSERT_TRUE(r) << r.error().message;
    ASSERT_EQ(r.value().size(), 1u);
    const Component& c = r.value()[0];
    EXPECT_EQ(c.format, Format::knet);
    EXPECT_EQ(c.samples.size(), 10200u) << ext;
    EXPECT_NEAR(peak(c.samples), max_acc, 0.0005) << ext;
    EXPECT_TRUE(c.warnings.empty()) << ext;
  }
}

TEST(RealKnet, TripletFromItsBaseName) {
  NEED_RECORDS();
  auto r = import_record({dir + "/AOM0011801241951"}, {});
  ASSERT_TRUE(r) << r.error().message;
  EXPECT_EQ(r.value().labels, (std::array<std::string, 4>{"time", "H1(N-S)", "H2(E-W)", "V1(U-D)"}));
  EXPECT_EQ(r.value().size(), 10200u);
  EXPECT_EQ(r.value().name, "AOM0011801241951");
  EXPECT_NEAR(peak(r.value().h1), 4.954, 0.0005);
  EXPECT_NEAR(peak(r.value().v1), 2.240, 0.0005);
  EXPECT_DOUBLE_EQ(r.value().time.back(), 10199 * 0.01);
}

TEST(RealAt2, CountsIntervalAndValues) {
  NEED_RECORDS();
  auto r = import_record({dir + "/RSN8883_14383980_13849090.AT2", dir + "/RSN8883_14383980_13849360.AT2"}, {});
  ASSERT_TRUE(r) << r.error().message;
  const Record& rec = r.value();
  EXPECT_EQ(rec.size(), 16396u);
  EXPECT_DOUBLE_EQ(rec.dt, 0.005);
  EXPECT_EQ(rec.labels[1], "H1(360)");
  EXPECT_EQ(rec.labels[2], "H2(90)");
  // First and last values of the 090 file, in g.
  EXPECT_DOUBLE_EQ(rec.h2.front(), 8.6900441E-08 * 980.665);
  EXPECT_DOUBLE_EQ(rec.h2.back(), 2.3375500E-05 * 980.665);
  ASSERT_EQ(rec.warnings.size(), 1u);
  EXPECT_EQ(rec.warnings[0].message, "no vertical channel: V1 is all zeros");
}

}  // namespace
