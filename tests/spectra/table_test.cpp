// Amplitude tables read for smoothing: sitekit's own layout and the
// dialogue's (padded labels, trailing commas), and what is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "spectra/table.h"

namespace sitekit::spectra {
namespace {

TEST(AmplitudeTableText, LayoutsThatRead) {
  struct Row { std::string text; std::vector<std::string> heading; std::vector<std::vector<double>> columns; };
  const Row rows[] = {
      {"frequency_Hz,a\n0,1\n0.5,2\n", {"frequency_Hz", "a"}, {{0, 0.5}, {1, 2}}},
      {"frequency (Hz),Samp1,Samp2,\r\n  0.0000,  0.2000E+01,  0.1000E+01,\r\n  0.0244,  0.2001E+01,  0.1001E+01,\r\n",
       {"frequency (Hz)", "Samp1", "Samp2"}, {{0, 0.0244}, {2, 2.001}, {1, 1.001}}},
      {"f,  H1(N-S) ,x\n\n1,+2,3e-1\n", {"f", "H1(N-S)", "x"}, {{1}, {2}, {0.3}}},
  };
  for (const Row& r : rows) {
    const AmplitudeTable t = parse_amplitude_table(r.text);
    EXPECT_EQ(t.error, "") << r.text;
    EXPECT_EQ(t.heading, r.heading) << r.text;
    EXPECT_EQ(t.columns, r.columns) << r.text;
  }
}

TEST(AmplitudeTableText, LayoutsThatAreRefused) {
  struct Row { std::string text; long line; std::string error; };
  const Row rows[] = {
      {"", 0, "empty file"},
      {"f,a\n", 0, "no rows below the heading"},
      {"frequency\n1\n", 1, "expected a heading of a frequency and at least one amplitude"},
      {"f,a\n0,1\n1,2,3\n", 3, "expected 2 values, found 3"},
      {"f,a\n0,1\n1,\n", 3, "expected 2 values, found 1"},
      {"f,a\n0,1\n1,1.2.3\n", 3, "field 2: \"1.2.3\" is not a number"},
      {"f,a\n0,1\n1,nan\n", 3, "field 2: \"nan\" is not a number"},
      {"f,a\n-1,1\n", 2, "frequency -1 is negative"},
      {"f,a\n1,1\n1,2\n", 3, "frequency 1 is not above the one before"},
  };
  for (const Row& r : rows) {
    const AmplitudeTable t = parse_amplitude_table(r.text);
    EXPECT_EQ(t.error, r.error) << r.text;
    EXPECT_EQ(t.line, r.line) << r.text;
  }
}

}  // namespace
}  // namespace sitekit::spectra
