// Forward transform of random data for the transform lengths of a run, with
// the twiddles formed in the transform and from the run's table.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "capacity.h"
#include "fft/twiddles.h"
#include "fft/wvfast.h"

namespace {

using siteresp::Cplx;

std::vector<Cplx> random_data(int n)
{
  std::mt19937 gen(42);
  std::uniform_real_distribution<float> u(-1.0f, 1.0f);
  std::vector<Cplx> a(n);
  for (auto& z : a) z = {u(gen), u(gen)};
  return a;
}

// The input is copied back before every transform (the copy is timed; see
// BM_copy for its share).  transform(n, a) is one forward transform.
template <typename Transform>
void run_transform(benchmark::State& state, Transform transform)
{
  const int n = static_cast<int>(state.range(0));
  const std::vector<Cplx> src = random_data(n);
  std::vector<Cplx> a(siteresp::mom);
  for (auto _ : state) {
    std::copy(src.begin(), src.end(), a.begin());
    transform(n, a.data());
    benchmark::DoNotOptimize(a.data());
    benchmark::ClobberMemory();
  }
  const double butterflies = 0.5 * n * std::log2(n);
  state.counters["ns_per_butterfly"] =
      benchmark::Counter(butterflies * state.iterations(),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Twiddles formed in every transform.
void BM_wvfast(benchmark::State& state)
{
  run_transform(state, [](int n, Cplx* a) { siteresp::wvfast(n, a, siteresp::mom, -1); });
}
BENCHMARK(BM_wvfast)->RangeMultiplier(2)->Range(1024, 32768)->Unit(benchmark::kMicrosecond);

// Twiddles from the table of the run (formed once, outside the timing).
void BM_wvfast_table(benchmark::State& state)
{
  static siteresp::Twiddles table;
  table.prepare(static_cast<int>(state.range(0)));
  run_transform(state, [](int n, Cplx* a) { siteresp::wvfast(n, a, siteresp::mom, -1, table); });
}
BENCHMARK(BM_wvfast_table)->RangeMultiplier(2)->Range(1024, 32768)->Unit(benchmark::kMicrosecond);

// Forming the table of one length.
void BM_twiddle_table(benchmark::State& state)
{
  static siteresp::Twiddles table;
  for (auto _ : state) {
    table = {};
    table.prepare(static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(&table);
  }
}
BENCHMARK(BM_twiddle_table)->Arg(1024)->Arg(32768)->Unit(benchmark::kMicrosecond);

void BM_copy(benchmark::State& state)
{
  const int n = static_cast<int>(state.range(0));
  const std::vector<Cplx> src = random_data(n);
  std::vector<Cplx> a(siteresp::mom);
  for (auto _ : state) {
    std::copy(src.begin(), src.end(), a.begin());
    benchmark::DoNotOptimize(a.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_copy)->Arg(1024)->Arg(32768)->Unit(benchmark::kMicrosecond);

}  // namespace
