// The report's hot paths for one record of 32,768 samples at 0.005 s:
// reading a history file, the input's Fourier amplitude, Konno-Ohmachi
// smoothing of three channels onto the page's logarithmic grid, and the
// float32/base64 encoding of six histories.  bench/report-timing.sh times
// the whole command on the bundled example and on a 100-record batch.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "report/csv_table.h"
#include "report/input_spectrum.h"
#include "report/json_writer.h"
#include "report/smoothing.h"

namespace {

using namespace sitekit::report;

constexpr int n = 32768;
constexpr double dt = 0.005;

std::vector<std::vector<double>> channels() {
  std::vector<std::vector<double>> ch(3, std::vector<double>(n));
  for (int i = 0; i < n; ++i)
    for (int c = 0; c < 3; ++c) ch[c][i] = 100 * std::sin(0.01 * i * (c + 1)) * std::exp(-1e-4 * i);
  return ch;
}

void ReadHistory(benchmark::State& state) {
  const auto file = std::filesystem::temp_directory_path() / "bench_report_history.csv";
  {
    std::ofstream out(file);
    out << " time,H1,H2,V1\n";
    const auto ch = channels();
    char line[128];
    for (int i = 0; i < n; ++i) {
      std::snprintf(line, sizeof line, "%10.5f,%12.4E,%12.4E,%12.4E\n", i * dt, ch[0][i], ch[1][i], ch[2][i]);
      out << line;
    }
  }
  for (auto _ : state) {
    const CsvFile f = read_csv(file);
    benchmark::DoNotOptimize(f.table.numbers(1));
  }
  std::filesystem::remove(file);
}
BENCHMARK(ReadHistory)->Unit(benchmark::kMillisecond);

void InputSpectrum(benchmark::State& state) {
  const auto ch = channels();
  for (auto _ : state) benchmark::DoNotOptimize(input_spectrum(ch, dt, n, Shaping{}));
}
BENCHMARK(InputSpectrum)->Unit(benchmark::kMillisecond);

void SmoothThreeChannels(benchmark::State& state) {
  const Spectrum sp = input_spectrum(channels(), dt, n, Shaping{});
  const auto grid = log_grid(2 * sp.f[0], sp.f.back(), 100);
  for (auto _ : state) benchmark::DoNotOptimize(ko_smooth(sp.f, sp.amp, grid));
  state.counters["centres"] = static_cast<double>(grid.size());
}
BENCHMARK(SmoothThreeChannels)->Unit(benchmark::kMillisecond);

void EncodeSixHistories(benchmark::State& state) {
  const auto ch = channels();
  for (auto _ : state) {
    JsonWriter w;
    for (int k = 0; k < 2; ++k)
      for (const auto& c : ch) w.floats(c);
    benchmark::DoNotOptimize(w.text().size());
  }
}
BENCHMARK(EncodeSixHistories)->Unit(benchmark::kMillisecond);

}  // namespace
