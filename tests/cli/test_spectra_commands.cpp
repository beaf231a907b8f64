// sitekit spectra, smooth and ratio run as a user runs them: values read
// back from the files they write (to 1e-5 relative), their headings, and
// the one-line errors of bad options.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "cli_fixture.h"

namespace {

using sitekit::cli::test::lines_of;

struct Ran {
  int code;
  std::string out;  // standard output and error together
};

class SpectraCommands : public ::testing::Test {
 protected:
  // sitekit with blank-separated `args` in the scratch folder.
  Ran run(const std::string& args) const {
    std::vector<std::string> argv;
    std::istringstream s(args);
    for (std::string a; s >> a;) argv.push_back(a);
    const testsupport::Outcome r = testsupport::run(SITEKIT_EXE, argv, testsupport::Options().in(dir_.str()).merged());
    return {r.code(), r.out};
  }

  void write(const std::string& name, const std::string& text) const { dir_.write(name, text); }

  // A wave file of n samples at dt: time, then the three channels.
  void write_wave(const std::string& name, int n, double dt, const std::function<double(int, int)>& x) const {
    std::ostringstream s;
    s.precision(17);
    s << "time,H1,H2,V1\n";
    for (int k = 0; k < n; ++k) s << k * dt << "," << x(0, k) << "," << x(1, k) << "," << x(2, k) << "\n";
    write(name, s.str());
  }

  std::vector<std::string> lines(const std::string& name) const { return lines_of(dir_.read(name)); }

  // Column `col` of the row whose first value is `key` (within the 7
  // printed digits).
  double value(const std::string& name, double key, std::size_t col) const {
    for (const std::string& l : lines(name)) {
      if (l.empty() || !std::isdigit(static_cast<unsigned char>(l[0]))) continue;  // the heading
      std::vector<double> f;
      std::stringstream s(l);
      for (std::string x; std::getline(s, x, ',');) f.push_back(std::strtod(x.c_str(), nullptr));
      if (!f.empty() && std::fabs(f[0] - key) <= 1e-6 * key && col < f.size()) return f[col];
    }
    return NAN;
  }

  testsupport::ScratchDir dir_;
};

const double pi = std::numbers::pi;

TEST_F(SpectraCommands, ResponseSpectraOfAWaveFileReadBack) {
  // H1 the resonant sine (5 cycles), H2 the unit step, V1 silent.
  write_wave("rec.csv", 501, 0.01, [](int c, int k) { return c == 0 ? std::sin(2 * pi * k * 0.01) : c == 1 ? 1.0 : 0.0; });
  write("periods.txt", "period_s\n0\n1.0\n");
  const Ran r = run("spectra --periods periods.txt --damping 0.02,0.05 --rotd rec.csv");
  ASSERT_EQ(r.code, 0) << r.out;
  const auto l = lines("rec-spectra.csv");
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0], "period_s,PSA_H1_2,PSA_H1_5,PSA_H2_2,PSA_H2_5,PSA_V1_2,PSA_V1_5,RotD50_2,RotD100_2,RotD50_5,RotD100_5");
  struct Row { double period; std::size_t col; double expected; };
  const Row rows[] = {
      {0.0, 1, 1.0}, {0.0, 3, 1.0}, {0.0, 5, 0.0},  // period 0: peak accelerations
      {1.0, 2, 7.924290},                           // resonance, 5 cycles
      {1.0, 4, 1.854461},                           // step
  };
  for (const Row& w : rows) {
    const double v = value("rec-spectra.csv", w.period, w.col);
    if (w.expected == 0.0) EXPECT_EQ(v, 0.0);
    else EXPECT_NEAR(v / w.expected, 1.0, 1e-5) << w.period << " col " << w.col;
  }
  EXPECT_EQ(lines("rec-spectra-IM.csv").at(0), "channel,PGA,PGV,PGD,Arias,D5_95_s,CAV");
  ASSERT_EQ(lines("rec-spectra-IM.csv").size(), 4u);
  for (const auto& [row, name] : {std::pair{1, "H1,"}, std::pair{2, "H2,"}, std::pair{3, "V1,"}})
    EXPECT_EQ(lines("rec-spectra-IM.csv").at(row).rfind(name, 0), 0u) << lines("rec-spectra-IM.csv").at(row);
}

TEST_F(SpectraCommands, SmoothKeepsHeadingsAndReadsTheDialoguesLayout) {
  // A spike at bin 205 of the nf = 4096, dt = 0.01 grid in the dialogue's
  // layout (padded labels, rows ending in a comma), and a ramp.
  std::ostringstream s;
  s.precision(17);
  s << "frequency (Hz),  Spike , Ramp,\n";
  for (int k = 0; k <= 2048; ++k) s << k * 0.0244140625 << "," << (k == 205 ? 1.0 : 0.0) << "," << k * 0.0244140625 << ",\n";
  write("amp.csv", s.str());
  Ran r = run("smooth --grid native amp.csv");
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_EQ(lines("amp-KO.csv").at(0), "frequency (Hz),Spike,Ramp");
  EXPECT_NEAR(value("amp-KO.csv", 205 * 0.0244140625, 1) / 4.041071e-2, 1.0, 1e-5);
  EXPECT_NEAR(value("amp-KO.csv", 208 * 0.0244140625, 1) / 3.816859e-2, 1.0, 1e-5);
  r = run("smooth amp.csv -o log.csv");
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_NEAR(value("log.csv", 1.0, 2) / 1.0041316, 1.0, 1e-6);
  EXPECT_NEAR(value("log.csv", 10.0, 2) / 10.0373927, 1.0, 1e-6);
}

TEST_F(SpectraCommands, RatiosOfScaledRecords) {
  auto motion = [](int, int k) { return std::sin(0.3 * k) * std::exp(-0.004 * k) + 0.2 * std::sin(1.1 * k); };
  write_wave("top.csv", 2000, 0.01, [&](int c, int k) { return (c == 2 ? 3.0 : 2.0) * motion(c, k); });
  write_wave("bottom.csv", 2000, 0.01, motion);
  write_wave("hv.csv", 2000, 0.01, [&](int c, int k) { return (c == 2 ? 0.5 : 1.0) * motion(c, k); });
  Ran r = run("ratio top.csv bottom.csv -o sb.csv");
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_EQ(lines("sb.csv").at(0), "frequency_Hz,ratio_H1,ratio_H2,ratio_V1");
  EXPECT_NEAR(value("sb.csv", 1.0, 1), 2.0, 1e-5);
  EXPECT_NEAR(value("sb.csv", 10.0, 3), 3.0, 1e-5);
  r = run("ratio --hv hv.csv");
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_EQ(lines("hv-HV.csv").at(0), "frequency_Hz,HV");
  EXPECT_NEAR(value("hv-HV.csv", 1.0, 1), 2.0, 1e-5);
}

TEST_F(SpectraCommands, BadOptionsGiveOneLine) {
  write_wave("a.csv", 100, 0.01, [](int, int k) { return std::sin(0.1 * k); });
  write_wave("b.csv", 100, 0.005, [](int, int k) { return std::sin(0.1 * k); });
  write("empty.txt", "# no periods here\n");
  write("amp.csv", "f,a\n0,1\n1,x\n");
  struct Row { std::string args; int code; std::string line; };
  const Row rows[] = {
      {"spectra --damping 1.5 a.csv", 2,
       "sitekit: --damping: 1.5 is not a damping ratio: expected 0 <= ratio < 1 (0.05 is 5 %)"},
      {"spectra --damping 0.05,x a.csv", 2, "sitekit: --damping: \"x\" is not a number"},
      {"spectra --periods empty.txt a.csv", 1, "sitekit: empty.txt: no periods"},
      {"spectra -o one.csv a.csv b.csv", 2, "sitekit: -o: names one output file: give one record, or leave -o out"},
      {"ratio a.csv b.csv", 1,
       "sitekit: a.csv and b.csv differ in time step (0.01 s and 0.005 s): resample one with sitekit import --resample"},
      {"ratio --hv a.csv b.csv", 2, "sitekit: --hv: takes one record"},
      {"smooth --bandwidth 0 amp.csv", 2, "sitekit: --bandwidth: 0 is not a bandwidth: expected b > 0"},
      {"smooth amp.csv", 1, "sitekit: amp.csv:3: field 2: \"x\" is not a number"},
  };
  for (const Row& w : rows) {
    const Ran r = run(w.args);
    EXPECT_EQ(r.code, w.code) << w.args;
    EXPECT_EQ(r.out, w.line + "\n") << w.args;
  }
  EXPECT_FALSE(dir_.exists("a-spectra.csv"));
}

}  // namespace
