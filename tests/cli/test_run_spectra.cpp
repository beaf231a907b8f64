// The run's spectra: the recomputed surface acceleration against the
// dialogue's own wave1.csv (which is that acceleration minus its first
// sample, to its 4 printed digits), and the two files written into a run
// folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run_spectra.h"
#include "cli/surface_motion.h"
#include "cli_fixture.h"

namespace sitekit::cli {
namespace {

namespace fs = std::filesystem;

std::vector<std::vector<std::string>> csv_rows(const fs::path& p, int skip) {
  std::ifstream in(p);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  for (int i = 0; i < skip; ++i) std::getline(in, line);
  while (std::getline(in, line)) {
    std::vector<std::string> f;
    std::stringstream s(line);
    for (std::string x; std::getline(s, x, ',');) f.push_back(x);
    rows.push_back(f);
  }
  return rows;
}

// The bundled example's record (its times, then H1, H2, V1), read once.
const std::array<std::vector<double>, 4>& example_record() {
  static const std::array<std::vector<double>, 4> record = [] {
    std::array<std::vector<double>, 4> r;
    for (const auto& row : csv_rows(fs::path(SITERESP_SOURCE_DIR) / "examples" / "wave.csv", 1))
      for (int c = 0; c < 4; ++c) r[c].push_back(std::strtof(row[c].c_str(), nullptr));
    return r;
  }();
  return record;
}

// The bundled example's record and profile as the computation takes them.
RunSpectraInput example_input(bool band) {
  const fs::path ex = fs::path(SITERESP_SOURCE_DIR) / "examples";
  RunSpectraInput in;
  const auto& record = example_record();
  in.channels = {record[1], record[2], record[3]};
  in.dt = static_cast<float>(record[0][1]) - static_cast<float>(record[0][0]);
  const auto soil = csv_rows(ex / "soil.csv", 1);
  in.angle_deg = std::strtof(soil[0][0].c_str(), nullptr);
  in.wave_type = std::atoi(soil[1][0].c_str());
  for (std::size_t i = 5; i < soil.size(); ++i) {
    float v[9];
    for (int j = 0; j < 9; ++j) v[j] = std::strtof(soil[i][j].c_str(), nullptr);
    in.layers.push_back({v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]});
  }
  in.band = band;
  in.band_hz = {0.1f, 0.2f, 20.0f, 25.0f};
  return in;
}

// Runs the dialogue on the example with the given shaping answers in dir.
void run_dialogue(const testsupport::ScratchDir& dir, const std::string& shaping) {
  dir.write("wave.csv", test::example("wave.csv"));
  dir.write("soil.csv", test::example("soil.csv"));
  const testsupport::Outcome r = test::siteresp(dir, "wave.csv\nsoil.csv\n" + shaping);
  EXPECT_EQ(r.code(), 0) << r.err;
}

TEST(RunSurfaceMotion, MatchesTheDialoguesWave1ToItsPrintedDigits) {
  struct Row { const char* name; const char* answers; bool band; };
  const Row rows[] = {
      {"plain", "0\n0\n", false},
      {"band", "0\n1\n0.1,0.2,20.0,25.0\n", true},
  };
  for (const Row& r : rows) {
    const testsupport::ScratchDir dir;
    run_dialogue(dir, r.answers);
    const RunMotion m = synthesize_motion(example_input(r.band));
    ASSERT_EQ(m.error, "");
    const auto wave1 = csv_rows(dir.path() / "wave1.csv", 1);
    ASSERT_EQ(wave1.size(), m.surface[0].size()) << r.name;
    double peak[3] = {0, 0, 0};
    for (const auto& row : wave1)
      for (int c = 0; c < 3; ++c) peak[c] = std::max(peak[c], std::fabs(std::strtod(row[c + 1].c_str(), nullptr)));
    int checked = 0;
    for (std::size_t k = 0; k < wave1.size(); ++k)
      for (int c = 0; c < 3; ++c) {
        const double printed = std::strtod(wave1[k][c + 1].c_str(), nullptr);
        const double mine = m.surface[c][k] - m.surface[c][0];
        // E12.4: four significant digits, half a unit of the last one; and
        // the dialogue's single-precision transforms, whose every sample
        // carries rounding of a few units of 1e-7 of the channel's peak.
        const double unit = printed == 0.0 ? 1e-30 : std::pow(10.0, std::floor(std::log10(std::fabs(printed))) - 3);
        EXPECT_LE(std::fabs(mine - printed), 0.5 * unit * 1.0001 + 5e-7 * peak[c]) << r.name << " row " << k << " ch " << c;
        ++checked;
      }
    EXPECT_EQ(checked, 3 * 4096);
  }
}

TEST(RunSurfaceMotion, InputSeriesIsTheRecordWhereNothingShapesIt) {
  const RunMotion m = synthesize_motion(example_input(false));
  const RunSpectraInput in = example_input(false);
  // Without a band only the mean (the zero-frequency point) is removed.
  for (int c = 0; c < 3; ++c) {
    double mean = 0, peak = 0;
    for (double x : in.channels[c]) mean += x, peak = std::max(peak, std::fabs(x));
    mean /= 4096;
    // Two single-precision transforms: a few units of 1e-7 of the peak.
    for (std::size_t k = 0; k < 4096; k += 7) EXPECT_NEAR(m.input[c][k], in.channels[c][k] - mean, 2e-6 * peak) << c << " " << k;
  }
}

TEST(RunSpectraFiles, BothFilesWithTheirHeadings) {
  const testsupport::ScratchDir scratch;
  const fs::path& dir = scratch.path();
  // The unit is named where the record states one; ratios have none.
  const std::pair<std::string, std::string> headings[] = {
      {"", "period_s,input_PSA_H1_5,surface_PSA_H1_5,ratio_PSA_H1_5,input_PSA_H2_5,surface_PSA_H2_5,"
           "ratio_PSA_H2_5,input_PSA_V1_5,surface_PSA_V1_5,ratio_PSA_V1_5,input_RotD50_5,"
           "surface_RotD50_5,ratio_RotD50_5"},
      {"cm/s2", "period_s,input_PSA_H1_5_cm/s2,surface_PSA_H1_5_cm/s2,ratio_PSA_H1_5,input_PSA_H2_5_cm/s2,"
                "surface_PSA_H2_5_cm/s2,ratio_PSA_H2_5,input_PSA_V1_5_cm/s2,surface_PSA_V1_5_cm/s2,"
                "ratio_PSA_V1_5,input_RotD50_5_cm/s2,surface_RotD50_5_cm/s2,ratio_RotD50_5"},
  };
  RunSpectraResult r;
  for (const auto& [units, heading] : headings) {
    RunSpectraInput in = example_input(true);
    in.units = units;
    r = write_run_spectra(dir, in);
    ASSERT_EQ(r.error, "");
    std::ifstream resp_file(dir / "RespSpec.csv");
    std::string head;
    std::getline(resp_file, head);
    EXPECT_EQ(head, heading);
  }
  std::ifstream ko(dir / "Amp-Factors-KO.csv");
  std::string head;
  const auto rows = csv_rows(dir / "RespSpec.csv", 1);
  ASSERT_EQ(rows.size(), 112u);
  EXPECT_EQ(rows[0][0], "0");
  // Period 0 holds the peaks, the same as the intensity measures' PGA.
  EXPECT_NEAR(std::strtod(rows[0][2].c_str(), nullptr) / r.measures.surface[0].pga, 1.0, 1e-6);
  EXPECT_NEAR(std::strtod(rows[0][1].c_str(), nullptr) / r.measures.input[0].pga, 1.0, 1e-6);
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 13u);
    const double in = std::strtod(row[1].c_str(), nullptr), out = std::strtod(row[2].c_str(), nullptr);
    EXPECT_NEAR(std::strtod(row[3].c_str(), nullptr), out / in, 1e-6 * out / in);
  }
  std::getline(ko, head);
  EXPECT_EQ(head, "frequency_Hz,Samp1,Samp2,Pamp1,Pamp2,SH_PSV1,SH_PSV2");
  EXPECT_GT(csv_rows(dir / "Amp-Factors-KO.csv", 1).size(), 200u);
  EXPECT_FALSE(fs::exists(dir / ("RespSpec.csv.tmp" + std::to_string(::getpid()))));
}

TEST(RunSpectraFiles, AFolderThatCannotBeWrittenLeavesNothing) {
  const RunSpectraResult r = write_run_spectra("/nonexistent-sitekit-dir", example_input(false));
  EXPECT_EQ(r.error.rfind("cannot write /nonexistent-sitekit-dir/RespSpec.csv: ", 0), 0u) << r.error;
}

}  // namespace
}  // namespace sitekit::cli
