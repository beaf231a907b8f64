// Free-form reading of a 32,768-row wave file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "input/wave.h"

namespace {

std::string make_file(int rows) {
  char tmpl[] = "/tmp/siteresp-bench-XXXXXX";
  const int fd = mkstemp(tmpl);
  if (fd < 0) std::abort();
  FILE* f = fdopen(fd, "w");
  std::fprintf(f, "time,H1,H2,V1\n");
  for (int i = 0; i < rows; ++i)
    std::fprintf(f, "%.3f,%.4f,%.4f,%.4f\n", i * 0.005, 100.0 * ((i * 37) % 101 - 50) / 50.0,
                 -0.0123 * (i % 977), 1.5e-3 * (i % 13));
  std::fclose(f);
  return tmpl;
}

void BM_ReadWave32768(benchmark::State& state) {
  const std::string name = make_file(32768);
  auto w = std::make_unique<siteresp::WaveRecord>();
  for (auto _ : state) {
    siteresp::read_wave(name.c_str(), static_cast<int>(name.size()), *w);
    benchmark::DoNotOptimize(w->nt);
  }
  state.SetItemsProcessed(state.iterations() * 32768);
  std::remove(name.c_str());
}
BENCHMARK(BM_ReadWave32768)->Unit(benchmark::kMillisecond);

}  // namespace
