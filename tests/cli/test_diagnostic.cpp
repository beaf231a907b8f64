// The funnel's line shapes: every message of sitekit passes through them.
#include <gtest/gtest.h>

#include "cli/diagnostic.h"

namespace sitekit::cli {
namespace {

struct LineCase {
  Problem problem;
  const char* error;
  const char* warning;
};

TEST(MessageLines, PointAtFileLineOptionOrNothing) {
  const LineCase cases[] = {
      {{"wave.csv", 1234, "field 3: \"1.2.3\" is not a number"},
       "sitekit: wave.csv:1234: field 3: \"1.2.3\" is not a number",
       "sitekit: wave.csv:1234: warning: field 3: \"1.2.3\" is not a number"},
      {{"--band", 0, "expected four numbers"}, "sitekit: --band: expected four numbers",
       "sitekit: --band: warning: expected four numbers"},
      {{"", 0, "no record given"}, "sitekit: no record given", "sitekit: warning: no record given"},
      {{"", 7, "line without a file"}, "sitekit: line without a file",
       "sitekit: warning: line without a file"},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(error_line(c.problem), c.error);
    EXPECT_EQ(warning_line(c.problem), c.warning);
  }
}

TEST(MessageLines, FailureCarriesItsStatus) {
  try {
    fail_usage({"--band", 0, "bad"});
    FAIL() << "fail_usage returned";
  } catch (const Failure& f) {
    EXPECT_EQ(f.status(), Exit::bad_usage);
    EXPECT_STREQ(f.what(), "--band: bad");
  }
  try {
    fail_input({"soil.csv", 9, "layer 3 needs a non-zero density"});
    FAIL() << "fail_input returned";
  } catch (const Failure& f) {
    EXPECT_EQ(f.status(), Exit::bad_input);
    EXPECT_EQ(f.problem().line, 9);
  }
}

}  // namespace
}  // namespace sitekit::cli
