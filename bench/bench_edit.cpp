// Cost of number editing and of composing one result-file row.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "textio/detail/edit.h"
#include "textio/write.h"

namespace {

using namespace siteresp::textio;

// Values of the sizes found in the result files, from tiny spectra to large
// accelerations, both signs.
std::array<float, 64> sample_values() {
  std::array<float, 64> v{};
  float x = 1.234567e-6f;
  for (std::size_t k = 0; k < v.size(); ++k) {
    v[k] = (k % 3 == 0) ? -x : x;
    x *= 1.61803f;
  }
  return v;
}

class NullSink final : public RecordSink {
public:
  void put_record(const char* p, std::size_t n) override {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(n);
  }
  int unit() const override { return 11; }
};

void BM_edit_e_12_4(benchmark::State& state) {
  const auto v = sample_values();
  char field[12];
  std::size_t k = 0;
  for (auto _ : state) {
    edit_e(field, 12, 4, v[k++ & 63]);
    benchmark::DoNotOptimize(field);
  }
}
BENCHMARK(BM_edit_e_12_4);

void BM_edit_f(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), d = static_cast<int>(state.range(1));
  auto v = sample_values();
  for (auto& x : v) x = x * 1e-3f;  // mostly inside the field, some asterisks
  char field[16];
  std::size_t k = 0;
  for (auto _ : state) {
    edit_f(field, w, d, v[k++ & 63]);
    benchmark::DoNotOptimize(field);
  }
}
BENCHMARK(BM_edit_f)->Args({8, 4})->Args({10, 5});

void BM_edit_free_real(benchmark::State& state) {
  const auto v = sample_values();
  char item[32];
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(edit_free_real(item, v[k++ & 63]));
    benchmark::DoNotOptimize(item);
  }
}
BENCHMARK(BM_edit_free_real);

// One 49-character row of the time-history file.
void BM_wave_row(benchmark::State& state) {
  static const Format fmt("(F10.5,3(',',E12.4))");
  const auto v = sample_values();
  NullSink sink;
  std::size_t k = 0;
  for (auto _ : state) {
    const Value row[4] = {static_cast<float>(k) * 0.01f, v[k & 63], v[(k + 1) & 63], v[(k + 2) & 63]};
    write_formatted(sink, fmt, row);
    ++k;
  }
}
BENCHMARK(BM_wave_row);

}  // namespace
