// runs.csv reports what the run folders hold, and a manifest runs each row
// with its own soil, options and folder.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "cli/cli_fixture.h"

namespace sitekit::cli::test {
namespace {

std::vector<std::string> cells(const std::string& line) {
  std::vector<std::string> c(1);
  for (char ch : line) {
    if (ch == ',') c.emplace_back();
    else c.back() += ch;
  }
  return c;
}

double cell(const std::vector<std::string>& heading, const std::vector<std::string>& row,
            const std::string& name) {
  for (std::size_t i = 0; i < heading.size(); ++i)
    if (heading[i] == name) return std::stod(row.at(i));
  ADD_FAILURE() << "no column " << name;
  return NAN;
}

// Largest |sample| of each channel of a wave file, read independently.
std::array<double, 3> wave_peaks(const std::string& wave) {
  std::array<double, 3> p{0, 0, 0};
  const std::vector<std::string> lines = lines_of(wave);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> c = cells(lines[i]);
    for (int k = 0; k < 3; ++k) p[k] = std::max(p[k], std::fabs(std::stod(c[k + 1])));
  }
  return p;
}

TEST(RunsCsv, FiguresAgreeWithTheRunFolder) {
  testsupport::ScratchDir dir;
  dir.write("wave.csv", example("wave.csv"));
  dir.write("soil.csv", example_soil(2));
  ASSERT_EQ(sitekit(dir, {"run", "--soil", "soil.csv", "--out", "out", "wave.csv"}).code(), 0);
  const std::vector<std::string> lines = lines_of(dir.read("out/runs.csv"));
  ASSERT_EQ(lines.size(), 2u);
  const std::vector<std::string> h = cells(lines[0]), row = cells(lines[1]);
  expect_starts(lines[0], "record,name,status,error,folder,soil,shaping,band_hz,wave_type,units,input_peak_H1,"
            "surface_peak_H1,peak_ratio_H1,input_peak_H2,surface_pe");
  expect_starts(lines[1], "wave.csv,wave,ok,,out/wave,soil.csv,none,,2,,");

  const std::array<double, 3> in = wave_peaks(example("wave.csv"));
  const char* ch[3] = {"H1", "H2", "V1"};
  // Surface peaks from the output histories: wave1.csv holds them shifted by
  // their first sample, so max - min of a column bounds the peak from below.
  const std::vector<std::string> out = lines_of(dir.read("out/wave/wave1.csv"));
  for (int k = 0; k < 3; ++k) {
    EXPECT_DOUBLE_EQ(cell(h, row, std::string("input_peak_") + ch[k]), in[k]);
    const double surface = cell(h, row, std::string("surface_peak_") + ch[k]);
    EXPECT_NEAR(cell(h, row, std::string("peak_ratio_") + ch[k]), surface / in[k], 1e-8 * surface / in[k]);
    double lo = 0, hi = 0;
    for (std::size_t i = 1; i < out.size(); ++i) {
      const double v = std::stod(cells(out[i])[k + 1]);
      lo = std::min(lo, v), hi = std::max(hi, v);
    }
    EXPECT_GE(surface, (hi - lo) / 2 * 0.999) << ch[k];
    EXPECT_LE(surface, (hi - lo) * 1.001) << ch[k];
  }
  // The largest factor of the borehole columns (Samp2, Pamp2) and where it is.
  double sh = 0, sh_hz = 0, psv = 0, psv_hz = 0;
  const std::vector<std::string> amp = lines_of(dir.read("out/wave/Amp-Factors.csv"));
  for (std::size_t i = 1; i < amp.size(); ++i) {
    const std::vector<std::string> c = cells(amp[i]);
    if (std::stod(c[2]) > sh) sh = std::stod(c[2]), sh_hz = std::stod(c[0]);
    if (std::stod(c[4]) > psv) psv = std::stod(c[4]), psv_hz = std::stod(c[0]);
  }
  EXPECT_EQ(cell(h, row, "sh_peak"), sh);
  EXPECT_EQ(cell(h, row, "sh_peak_hz"), sh_hz);
  EXPECT_EQ(cell(h, row, "psv_peak"), psv);
  EXPECT_EQ(cell(h, row, "psv_peak_hz"), psv_hz);
}

TEST(RunsCsv, ManifestRowsRunWithTheirOwnSoilOptionsAndFolder) {
  testsupport::ScratchDir dir;
  dir.write("wave.csv", small_wave(400));
  dir.write("w2.csv", small_wave(300));
  dir.write("soil.csv", example_soil(1));
  dir.write("borehole.csv", example_soil(2));
  dir.write("m.csv",
            "record,soil,options,output\n"
            "wave.csv,,--integrate,\n"
            "w2.csv,borehole.csv,\"--band 0.1,0.2,20,25\",elsewhere\n");
  const testsupport::Outcome r =
      sitekit(dir, {"run", "--soil", "soil.csv", "--out", "out", "--manifest", "m.csv"});
  ASSERT_EQ(r.code(), 0) << r.err;
  const std::vector<std::string> rows = lines_of(dir.read("out/runs.csv"));
  ASSERT_EQ(rows.size(), 3u);
  expect_starts(rows[1], "wave.csv,wave,ok,,out/wave,soil.csv,integrate,,1,,");
  expect_starts(rows[2], "w2.csv,w2,ok,,elsewhere/w2,borehole.csv,none,0.1;0.2;20;25,2,,");

  // Each row computed what the dialogue computes for its answers.
  const testsupport::Outcome a = siteresp(dir, "wave.csv\nsoil.csv\n1\n0\n");
  ASSERT_EQ(a.code(), 0);
  EXPECT_EQ(dir.read("out/wave/wave1.csv"), dir.read("wave1.csv"));
  const testsupport::Outcome b = siteresp(dir, "w2.csv\nborehole.csv\n0\n1\n0.1,0.2,20,25\n");
  ASSERT_EQ(b.code(), 0);
  EXPECT_EQ(dir.read("elsewhere/w2/wave1.csv"), dir.read("wave1.csv"));
  EXPECT_EQ(dir.read("elsewhere/w2/run-info.csv"),
            "key,value\nrecord,w2\nrecord_files,w2.csv\nsoil,borehole.csv\nwave_type,2\n"
            "angle_deg,30\nlayers,7\nshaping,none\nband_hz,0.1;0.2;20;25\ndt_s,0.00999999978\n"
            "nt,300\nnf,512\nunits,\nsitekit,0.1.0\n");
}

TEST(RunsCsv, ManifestErrorsStopBeforeAnyRun) {
  testsupport::ScratchDir dir;
  dir.write("wave.csv", small_wave(100));
  dir.write("m.csv", "record,soil\nwave.csv,\n");
  const testsupport::Outcome r = sitekit(dir, {"run", "--out", "out", "--manifest", "m.csv"});
  EXPECT_EQ(r.code(), 2);
  EXPECT_EQ(r.err, "sitekit: m.csv:2: no soil profile: give --soil SOIL (or a soil column in the manifest)\n");
  EXPECT_FALSE(dir.exists("out"));
}

}  // namespace
}  // namespace sitekit::cli::test

namespace sitekit::cli::test {
namespace {

TEST(RunTerminal, ALinePerRecordThenTheTotals) {
  testsupport::ScratchDir dir;
  dir.write("wave.csv", small_wave(200));
  dir.write("soil.csv", example("soil.csv"));
  dir.write("bad.csv", "time,H1,H2,V1\n0,1,2,3\n0.01,x,2,3\n");
  const testsupport::Outcome r = sitekit(dir, {"run", "--soil", "soil.csv", "--out", "o", "-j", "1", "bad.csv", "wave.csv"});
  const std::vector<std::string> lines = lines_of(r.out);
  ASSERT_EQ(lines.size(), 3u) << r.out;
  EXPECT_EQ(lines[0], "failed  bad");
  expect_starts(lines[1], "ok      wave -> o/wave/ (");
  EXPECT_EQ(lines[2], "2 runs: 1 ok, 1 failed; table in o/runs.csv");
}

}  // namespace
}  // namespace sitekit::cli::test
