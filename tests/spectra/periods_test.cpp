// Period lists: PEER's defaults and lists read from text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "spectra/periods.h"

namespace sitekit::spectra {
namespace {

TEST(PeriodDefaults, PeerListWithTheZeroRowInFront) {
  const auto p = peer_periods();
  ASSERT_EQ(p.size(), 111u);
  EXPECT_EQ(p.front(), 0.01);
  EXPECT_EQ(p[60], 0.667);
  EXPECT_EQ(p.back(), 20.0);
  for (std::size_t i = 1; i < p.size(); ++i) EXPECT_LT(p[i - 1], p[i]);
  const std::vector<double> d = default_periods();
  ASSERT_EQ(d.size(), 112u);
  EXPECT_EQ(d[0], 0.0);
  EXPECT_EQ(d[1], 0.01);
}

TEST(PeriodParsing, ListsThatRead) {
  struct Row { std::string text; std::vector<double> expected; };
  const Row rows[] = {
      {"0.1,0.2,1", {0.1, 0.2, 1.0}},
      {"0.1 0.2\n1.5\n", {0.1, 0.2, 1.5}},
      {"period_s\n0\n0.5\r\n2e0\r\n", {0.0, 0.5, 2.0}},
      {"# periods in s\n0.3, 0.4 # comment\n\n+0.5\n", {0.3, 0.4, 0.5}},
      {"3,1,2", {3.0, 1.0, 2.0}},
  };
  for (const Row& r : rows) {
    const PeriodList l = parse_periods(r.text);
    EXPECT_EQ(l.error, "") << r.text;
    EXPECT_EQ(l.periods, r.expected) << r.text;
  }
}

TEST(PeriodParsing, ListsThatAreRefused) {
  struct Row { std::string text; std::string error; int line; };
  const Row rows[] = {
      {"", "no periods", 0},
      {"# nothing\n\n", "no periods", 0},
      {"period_s\n", "no periods", 0},
      {"0.1\n0.2x\n", "\"0.2x\" is not a number", 2},
      {"0.1\nperiod\n", "\"period\" is not a number", 2},
      {"0.5,-1", "period \"-1\" is not a finite number >= 0", 1},
      {"1\ninf", "period \"inf\" is not a finite number >= 0", 2},
      {"1\nnan", "period \"nan\" is not a finite number >= 0", 2},
      {"1e999", "\"1e999\" is not a number", 1},
      {"+-1", "\"+-1\" is not a number", 1},
  };
  for (const Row& r : rows) {
    const PeriodList l = parse_periods(r.text);
    EXPECT_EQ(l.error, r.error) << r.text;
    EXPECT_EQ(l.line, r.line) << r.text;
    EXPECT_TRUE(l.periods.empty()) << r.text;
  }
}

}  // namespace
}  // namespace sitekit::spectra
