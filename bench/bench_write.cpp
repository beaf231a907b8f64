// Writing "wave1.csv" of 32,768 rows the way a run writes it (the driver's
// own routine, the real channel and file), into a temporary directory
// (under $TMPDIR, else /tmp).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "driver/state.h"

namespace {

// Output histories of a plausible size: a few hundred cm/s/s, both signs,
// from near zero to the peak, and the times of a 0.005 s record.
void fill(siteresp::RunState& s) {
  s.nf = 32768;
  std::memcpy(s.wave.head1, "time      ", 10);
  std::memcpy(s.wave.head2, "H1        ", 10);
  std::memcpy(s.wave.head3, "H2        ", 10);
  std::memcpy(s.wave.head4, "V1        ", 10);
  for (int k = 0; k < s.nf; ++k) {
    const double t = k * 0.005;
    s.wave.time[k] = static_cast<float>(t);
    s.wave.xr1[k] = static_cast<float>(300.0 * std::sin(7.0 * t) * std::exp(-0.02 * t));
    s.wave.yr1[k] = static_cast<float>(-120.0 * std::cos(3.1 * t) * std::exp(-0.05 * t));
    s.wave.zr1[k] = static_cast<float>(0.01 * std::sin(40.0 * t) * (k % 97));
  }
}

void BM_write_wave1_32768(benchmark::State& state) {
  auto s = std::make_unique<siteresp::RunState>();
  fill(*s);
  std::string tmpl = (std::filesystem::temp_directory_path() / "siteresp-bench-XXXXXX").string();
  if (mkdtemp(tmpl.data()) == nullptr) std::abort();
  const std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(tmpl);
  for (auto _ : state) siteresp::write_wave1(*s);
  state.SetItemsProcessed(state.iterations() * s->nf);
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size("wave1.csv"));
  std::filesystem::current_path(old);
  std::filesystem::remove_all(tmpl);
}
BENCHMARK(BM_write_wave1_32768)->Unit(benchmark::kMillisecond);

}  // namespace
