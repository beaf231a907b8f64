// The spectra library's hot paths at the sizes sitekit meets: response
// spectra of a whole record, RotD of two horizontals, Konno-Ohmachi
// smoothing of a long spectrum.  Argument: threads.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "spectra/periods.h"
#include "spectra/rotd.h"
#include "spectra/smoothing.h"
#include "spectra/spectrum.h"

namespace {

using namespace sitekit::spectra;

// A strong-motion-like history: filtered noise under a build-up and decay.
std::vector<double> synthetic_record(std::size_t n, double dt, unsigned seed) {
  std::mt19937 gen(seed);
  std::normal_distribution<double> noise(0.0, 1.0);
  std::vector<double> a(n);
  double y = 0.0, yy = 0.0;
  for (std::size_t k = 0; k < n; ++k) {
    const double t = k * dt;
    y = 0.8 * y + noise(gen);
    yy = 0.9 * yy + 0.1 * y;
    a[k] = 100.0 * yy * t * std::exp(-t / 15.0);
  }
  return a;
}

void SpectraThreeChannels(benchmark::State& state) {
  const double dt = 0.005;
  std::vector<std::vector<double>> ch;
  for (unsigned c = 0; c < 3; ++c) ch.push_back(synthetic_record(32768, dt, c + 1));
  const auto periods = peer_periods();
  for (auto _ : state)
    for (const auto& a : ch)
      benchmark::DoNotOptimize(response_spectrum(a, dt, periods, 0.05, static_cast<unsigned>(state.range(0))));
}
BENCHMARK(SpectraThreeChannels)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void RotD50And100(benchmark::State& state) {
  const double dt = 0.005;
  const auto a1 = synthetic_record(16396, dt, 7), a2 = synthetic_record(16396, dt, 8);
  const auto periods = peer_periods();
  for (auto _ : state)
    benchmark::DoNotOptimize(rotd_spectrum(a1, a2, dt, periods, 0.05, static_cast<unsigned>(state.range(0))));
}
BENCHMARK(RotD50And100)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void KonnoOhmachi16385To300(benchmark::State& state) {
  const std::size_t n = 16385;
  const double df = 100.0 / (n - 1);
  std::vector<double> f(n), x(n);
  std::mt19937 gen(3);
  std::uniform_real_distribution<double> u(0.5, 1.5);
  for (std::size_t k = 0; k < n; ++k) f[k] = k * df, x[k] = u(gen);
  std::vector<double> centres(300);
  for (int i = 0; i < 300; ++i) centres[i] = df * std::pow(10.0, 4.2 * i / 299.0);
  const std::vector<std::span<const double>> cols = {x};
  for (auto _ : state)
    benchmark::DoNotOptimize(konno_ohmachi(f, cols, centres, 40.0, static_cast<unsigned>(state.range(0))));
}
BENCHMARK(KonnoOhmachi16385To300)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
