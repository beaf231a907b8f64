// What the shaping does to the motion: the response, the band, integration
// and differentiation, seen through the result files of whole runs.
#include <gtest/gtest.h>

#include <cmath>

#include "run_fixture.h"

namespace {

using namespace e2e;

constexpr double kPi = 3.14159265358979323846;

// 1024 rows at 1/128 s: the window is 8 s, the grid step 0.125 Hz and
// dom = 2*pi/8 exactly, so band edges given in multiples of 0.125 Hz fall on
// grid points bit for bit.
std::string impulse_record() {
  return wave_csv(1024, "0.0078125", 0.0078125, 0.0, [](int i) { return i == 0 ? 1.0 : 0.0; },
                  [](int i) { return i == 0 ? 2.0 : 0.0; }, [](int i) { return i == 0 ? 4.0 : 0.0; });
}

// The H1 amplitude column of amp1.csv by grid index k (k = 1 is 0.125 Hz).
std::vector<double> h1_spectrum(const TempDir& dir) {
  std::vector<double> v{0.0};
  const auto rows = lines_of(dir.read("amp1.csv"));
  for (std::size_t i = 1; i < rows.size(); ++i) v.push_back(fields(rows[i]).at(1));
  return v;
}

struct BandCase {
  const char* name;
  const char* edges;
  // expected gain at grid index k, for k in 1..512
  double (*gain)(int k);
};

TEST(Band, TrapezoidOnGridPoints) {
  const BandCase cases[] = {
      {"ordered edges", "1.25,2.5,3.75,5.0",
       [](int k) { return k < 10 ? 0.0 : k < 20 ? (k - 10) / 10.0 : k <= 30 ? 1.0 : k < 40 ? (40 - k) / 10.0 : 0.0; }},
      {"equal rising edges", "1.25,1.25,3.75,5.0",
       [](int k) { return k < 10 ? 0.0 : k <= 30 ? 1.0 : k < 40 ? (40 - k) / 10.0 : 0.0; }},
      {"equal falling edges", "1.25,2.5,5.0,5.0",
       [](int k) { return k < 10 ? 0.0 : k < 20 ? (k - 10) / 10.0 : k < 40 ? 1.0 : 0.0; }},
      {"fl2 above fh1: the falling edge wins", "1.25,5.0,2.5,6.25",
       [](int k) {
         if (k < 10 || k >= 50) return 0.0;
         if (k > 20) return (50 - k) / 30.0;
         return (k - 10) / 30.0;
       }},
      {"fh2 below fl1: nothing passes", "5.0,6.0,1.0,2.5", [](int) { return 0.0; }},
  };
  for (const auto& c : cases) {
    TempDir dir;
    dir.write("w.csv", impulse_record());
    dir.write("s.csv", halfspace(2));
    ChildResult r = run_in(dir, answers("w.csv", "s.csv", 0, 1, c.edges));
    ASSERT_EQ(r.code(), 0) << c.name << r.out;
    const auto h1 = h1_spectrum(dir);
    ASSERT_EQ(h1.size(), 513u) << c.name;
    for (int k = 1; k <= 512; ++k)
      ASSERT_NEAR(h1[k], 0.0078125 * c.gain(k), 1e-6) << c.name << " at k=" << k;
  }
}

TEST(Band, NothingPassesGivesZeroStatistics) {
  TempDir dir;
  dir.write("w.csv", impulse_record());
  dir.write("s.csv", halfspace(1));
  ChildResult r = run_in(dir, answers("w.csv", "s.csv", 0, 1, "5.0,6.0,1.0,2.5"));
  ASSERT_EQ(r.code(), 0) << r.out;
  EXPECT_NE(r.out.find("  Min X, Y and Z          =  0.  0.  0.\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("  Max X, Y abd Z          =  0.  0.  0.\n"), std::string::npos);
  EXPECT_NE(r.out.find("  Min and Max amplitudes  =  0.  0.\n"), std::string::npos);
  EXPECT_NE(r.out.find("  Absolute Max amplitude  =  0.\n"), std::string::npos);
}

// Answers outside the offered values mean no change and no filter: the
// files equal those of the plain answers 0 and 0.
TEST(Answers, OutOfRangeMeansNoChange) {
  auto files = [](const std::string& answers_text) {
    TempDir dir;
    dir.write("w.csv", impulse_record());
    dir.write("s.csv", halfspace(1));
    ChildResult r = run_in(dir, answers_text);
    EXPECT_EQ(r.code(), 0) << r.out;
    EXPECT_EQ(r.out.find("TRAPEZOIDAL"), std::string::npos);
    return dir.read("amp1.csv") + dir.read("wave1.csv");
  };
  const std::string plain = files(answers("w.csv", "s.csv", 0, 0));
  EXPECT_EQ(files(answers("w.csv", "s.csv", 3, 0)), plain);
  EXPECT_EQ(files(answers("w.csv", "s.csv", -1, 0)), plain);
  EXPECT_EQ(files(answers("w.csv", "s.csv", 0, 2)), plain);
}

// With the half-space alone and wave type 2 the response is exactly 1, so
// the output is the input less its window mean, shifted by its first sample.
TEST(Response, UnitResponseReturnsTheRecord) {
  auto h1 = [](int i) { return 10.0 * std::sin(0.07 * i) + 3.0; };
  TempDir dir;
  dir.write("w.csv", wave_csv(1000, "0.01", 0.01, 0.0, h1, h1, h1));
  dir.write("s.csv", halfspace(2));
  ChildResult r = run_in(dir, answers("w.csv", "s.csv", 0, 0));
  ASSERT_EQ(r.code(), 0) << r.out;
  const auto rows = lines_of(dir.read("wave1.csv"));
  ASSERT_EQ(rows.size(), 1025u);
  double mean = 0.0;
  for (int i = 0; i < 1000; ++i) mean += static_cast<float>(h1(i));
  mean /= 1024.0;
  auto out = [&](int i) { return (i < 1000 ? static_cast<float>(h1(i)) : 0.0) - mean; };
  for (int i = 0; i < 1024; ++i) {
    const auto f = fields(rows[i + 1]);
    ASSERT_NEAR(f[1], out(i) - out(0), 2e-3 * 13.0) << i;
    ASSERT_EQ(f[1], f[2]) << i;
  }
}

// A sine on a grid frequency, integrated and differentiated.
TEST(Response, IntegrateAndDifferentiateASine) {
  const int m = 16;  // cycles in the 1024-sample window
  const double w0 = 2.0 * kPi * m / 8.0;  // rad/s, window 8 s
  auto sine = [&](int i) { return std::sin(w0 * i * 0.0078125); };
  for (int nyes : {1, 2}) {
    TempDir dir;
    dir.write("w.csv", wave_csv(1024, "0.0078125", 0.0078125, 0.0, sine, sine, sine));
    dir.write("s.csv", halfspace(2));
    ChildResult r = run_in(dir, answers("w.csv", "s.csv", nyes, 0));
    ASSERT_EQ(r.code(), 0) << r.out;
    const auto rows = lines_of(dir.read("wave1.csv"));
    // integral: -cos/w0; derivative: w0*cos; the file shows both less their first sample
    const double amp = nyes == 1 ? 1.0 / w0 : w0;
    const double sign = nyes == 1 ? -1.0 : 1.0;
    for (int i = 0; i < 1024; ++i) {
      const double t = i * 0.0078125;
      const double expect = sign * amp * (std::cos(w0 * t) - 1.0);
      ASSERT_NEAR(fields(rows[i + 1])[1], expect, 2e-3 * amp) << "nyes=" << nyes << " i=" << i;
    }
    char max_line[80];
    std::snprintf(max_line, sizeof max_line, "  Absolute Max amplitude  =  %.5f", amp);
    EXPECT_NE(r.out.find(std::string(max_line).substr(0, 33)), std::string::npos) << r.out;
  }
}

}  // namespace
