// Free-form reading of a 32,768-row wave file: a file of short fixed-point
// values, and the largest golden case's own wave file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <unistd.h>

#include "golden/cases.h"
#include "input/wave.h"

namespace {

std::string temp_file() {
  char tmpl[] = "/tmp/siteresp-bench-XXXXXX";
  const int fd = mkstemp(tmpl);
  if (fd < 0) std::abort();
  close(fd);
  return tmpl;
}

std::string make_file(int rows) {
  const std::string name = temp_file();
  FILE* f = std::fopen(name.c_str(), "w");
  std::fprintf(f, "time,H1,H2,V1\n");
  for (int i = 0; i < rows; ++i)
    std::fprintf(f, "%.3f,%.4f,%.4f,%.4f\n", i * 0.005, 100.0 * ((i * 37) % 101 - 50) / 50.0,
                 -0.0123 * (i % 977), 1.5e-3 * (i % 13));
  std::fclose(f);
  return name;
}

// The wave file of the largest run (make_case largest writes the same bytes).
std::string largest_wave() {
  golden::CaseFiles files;
  golden::generate("largest", files);
  const std::string name = temp_file();
  FILE* f = std::fopen(name.c_str(), "w");
  std::fwrite(files.wave.data(), 1, files.wave.size(), f);
  std::fclose(f);
  return name;
}

void read_rows(benchmark::State& state, const std::string& name) {
  auto w = std::make_unique<siteresp::WaveRecord>();
  for (auto _ : state) {
    siteresp::read_wave(name.c_str(), static_cast<int>(name.size()), *w);
    benchmark::DoNotOptimize(w->nt);
  }
  state.SetItemsProcessed(state.iterations() * 32768);
  std::remove(name.c_str());
}

void BM_ReadWave32768(benchmark::State& state) { read_rows(state, make_file(32768)); }
BENCHMARK(BM_ReadWave32768)->Unit(benchmark::kMillisecond);

void BM_ReadLargestWave(benchmark::State& state) { read_rows(state, largest_wave()); }
BENCHMARK(BM_ReadLargestWave)->Unit(benchmark::kMillisecond);

}  // namespace
