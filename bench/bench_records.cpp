// Importing a 60,000-sample K-NET triplet (300 s at 200 Hz, the longest
// common record): reading the three files, assembling, resampling to 100 Hz
// so that it fits, and writing the wave file.
#include <benchmark/benchmark.h>

#include <cmath>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <fmt/format.h>

#include "records/read.h"
#include "records/record.h"
#include "records/wave_file.h"

namespace {

using namespace sitekit::records;

constexpr std::size_t samples = 60000;

std::string knet_file(const char* dir, double phase) {
  std::string s = fmt::format(
      "Origin Time       2018/01/24 19:51:00\nLat.              41.0\nLong.             142.5\nDepth. (km)       30\n"
      "Mag.              6.2\nStation Code      BEN001\nStation Lat.      41.5267\nStation Long.     140.9244\n"
      "Station Height(m) 39\nRecord Time       2018/01/24 19:51:43\nSampling Freq(Hz) 200Hz\n"
      "Duration Time(s)  300\nDir.              {}\nScale Factor      3920(gal)/6182761\nMax. Acc. (gal)   0\n"
      "Last Correction   2018/01/24 19:51:43\nMemo.             \n",
      dir);
  for (std::size_t k = 0; k < samples; ++k) {
    const long count = 13000 + std::lround(3000.0 * std::sin(0.01 * static_cast<double>(k) + phase));
    s += fmt::format("{:9}", count);
    if (k % 8 == 7 || k + 1 == samples) s += " \n";
  }
  return s;
}

struct Triplet {
  std::filesystem::path dir;
  Triplet() : dir(std::filesystem::temp_directory_path() / fmt::format("bench_records_{}", ::getpid())) {
    std::filesystem::create_directories(dir);
    const std::pair<const char*, const char*> parts[] = {{"NS", "N-S"}, {"EW", "E-W"}, {"UD", "U-D"}};
    double phase = 0;
    for (const auto& [ext, d] : parts) std::ofstream(dir / fmt::format("BEN0011801241951.{}", ext)) << knet_file(d, phase += 1);
  }
  ~Triplet() { std::filesystem::remove_all(dir); }
  std::string base() const { return (dir / "BEN0011801241951").string(); }
};

void BM_ReadTriplet(benchmark::State& state) {
  const Triplet t;
  ImportOptions o;
  o.max_samples = samples;
  for (auto _ : state) {
    auto r = import_record({t.base()}, o);
    if (!r) state.SkipWithError(r.error().message.c_str());
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_ReadTriplet)->Unit(benchmark::kMillisecond);

void BM_ImportResampleWrite(benchmark::State& state) {
  const Triplet t;
  ImportOptions o;
  o.resample_dt = 0.01;
  const std::string out = (t.dir / "out.csv").string();
  for (auto _ : state) {
    auto r = import_record({t.base()}, o);
    if (!r) state.SkipWithError(r.error().message.c_str());
    else if (const auto st = write_wave(out, r.value()); !st) state.SkipWithError(st.error().message.c_str());
  }
}
BENCHMARK(BM_ImportResampleWrite)->Unit(benchmark::kMillisecond);

}  // namespace
