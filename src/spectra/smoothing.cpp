#include "spectra/smoothing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "spectra/parallel.h"

namespace sitekit::spectra {
namespace {

// Below this |x| the sine of the angle difference loses digits to
// cancellation; those few bins take the sine directly.
constexpr double direct_below = 0.5;

// The positive bins' b log10 f with its sine and cosine: the window's
// argument at a centre is x = b log10 f - b log10 fc, and
// sin x = sin(b log10 f) cos(b log10 fc) - cos(b log10 f) sin(b log10 fc),
// so no sine is taken per bin and centre.
struct BinTable {
  std::size_t first = 0;  // index of the first positive frequency
  std::vector<double> bl, s, c;
};

BinTable tabulate(std::span<const double> freq, double b) {
  BinTable t;
  while (t.first < freq.size() && !(freq[t.first] > 0.0)) ++t.first;
  for (std::size_t k = t.first; k < freq.size(); ++k) {
    const double x = b * std::log10(freq[k]);
    t.bl.push_back(x);
    t.s.push_back(std::sin(x));
    t.c.push_back(std::cos(x));
  }
  return t;
}

double window_direct(double x) {
  if (x == 0.0) return 1.0;
  const double r = std::sin(x) / x;
  const double r2 = r * r;
  return r2 * r2;
}

// Eight bins at a time; the compiler splits the vector where registers are
// narrower.
using v8 = double __attribute__((vector_size(64)));

// Loaded and stored by copy, at any double's address; through a parameter,
// since a vector argument or result would change the calling convention
// with the instruction set.
[[gnu::always_inline]] inline void load8(v8& v, const double* p) { __builtin_memcpy(&v, p, sizeof v); }

double total_of(const v8& v) { return ((v[0] + v[1]) + (v[2] + v[3])) + ((v[4] + v[5]) + (v[6] + v[7])); }

// The window at one centre over a chunk of bins: the division that every
// bin needs is the cost, so the chunk is made once and every column reads
// it from the first-level cache.
constexpr std::size_t chunk = 512;

struct Centre {
  double bc, sc, cc;  // b log10 fc, its sine and cosine
};

// Window sum and window-weighted column sums over the bins [lo, hi), whose
// x all lie away from 0: sums[0] the window, sums[1 + c] column c.
[[gnu::always_inline]] inline void sums_over(const BinTable& t, const Centre& z, std::size_t lo, std::size_t hi,
                                             const std::vector<std::span<const double>>& columns, double* sums) {
  alignas(64) double w[chunk];
  const v8 bc = v8{} + z.bc, sc = v8{} + z.sc, cc = v8{} + z.cc;
  for (std::size_t b = lo; b < hi; b += chunk) {
    const std::size_t n = std::min(chunk, hi - b), whole = n / 8 * 8;
    for (std::size_t k = 0; k < whole; k += 8) {
      v8 sk, ck, blk;
      load8(sk, &t.s[b + k]), load8(ck, &t.c[b + k]), load8(blk, &t.bl[b + k]);
      const v8 r = (sk * cc - ck * sc) / (blk - bc);
      const v8 r2 = r * r, wk = r2 * r2;
      __builtin_memcpy(&w[k], &wk, sizeof wk);
    }
    for (std::size_t k = whole; k < n; ++k) {
      const double r = (t.s[b + k] * z.cc - t.c[b + k] * z.sc) / (t.bl[b + k] - z.bc);
      w[k] = (r * r) * (r * r);
    }
    for (std::size_t c = 0; c <= columns.size(); ++c) {
      const double* x = c == 0 ? nullptr : columns[c - 1].data() + t.first + b;
      v8 acc0 = {}, acc1 = {}, w0, w1, x0, x1;
      std::size_t k = 0;
      for (; k + 16 <= whole; k += 16) {
        load8(w0, &w[k]), load8(w1, &w[k + 8]);
        if (x) load8(x0, x + k), load8(x1, x + k + 8), w0 *= x0, w1 *= x1;
        acc0 += w0, acc1 += w1;
      }
      for (; k < whole; k += 8) {
        load8(w0, &w[k]);
        if (x) load8(x0, x + k), w0 *= x0;
        acc0 += w0;
      }
      double s = total_of(acc0 + acc1);
      for (; k < n; ++k) s += x ? w[k] * x[k] : w[k];
      sums[c] += s;
    }
  }
}

#if defined(__x86_64__)
[[gnu::target("avx512f")]] void sums_avx512(const BinTable& t, const Centre& z, std::size_t lo, std::size_t hi,
                                            const std::vector<std::span<const double>>& columns, double* sums) {
  sums_over(t, z, lo, hi, columns, sums);
}

[[gnu::target("avx2")]] void sums_avx2(const BinTable& t, const Centre& z, std::size_t lo, std::size_t hi,
                                       const std::vector<std::span<const double>>& columns, double* sums) {
  sums_over(t, z, lo, hi, columns, sums);
}
#endif

void sums_base(const BinTable& t, const Centre& z, std::size_t lo, std::size_t hi,
               const std::vector<std::span<const double>>& columns, double* sums) {
  sums_over(t, z, lo, hi, columns, sums);
}

void sums_far(const BinTable& t, const Centre& z, std::size_t lo, std::size_t hi,
              const std::vector<std::span<const double>>& columns, double* sums) {
  if (lo >= hi) return;
#if defined(__x86_64__)
  static const bool avx512 = __builtin_cpu_supports("avx512f"), avx2 = __builtin_cpu_supports("avx2");
  if (avx512) return sums_avx512(t, z, lo, hi, columns, sums);
  if (avx2) return sums_avx2(t, z, lo, hi, columns, sums);
#endif
  sums_base(t, z, lo, hi, columns, sums);
}

// Window sum and weighted column sums over every positive bin at one
// centre; the bins near the centre take the sine directly.
void window_sums(const BinTable& t, double fc, double b, const std::vector<std::span<const double>>& columns,
                 std::vector<double>& sums) {
  const double bc = b * std::log10(fc);
  const Centre z{bc, std::sin(bc), std::cos(bc)};
  sums.assign(columns.size() + 1, 0.0);
  const auto lo = static_cast<std::size_t>(std::lower_bound(t.bl.begin(), t.bl.end(), bc - direct_below) - t.bl.begin());
  const auto hi = static_cast<std::size_t>(std::upper_bound(t.bl.begin(), t.bl.end(), bc + direct_below) - t.bl.begin());
  sums_far(t, z, 0, lo, columns, sums.data());
  sums_far(t, z, hi, t.bl.size(), columns, sums.data());
  for (std::size_t k = lo; k < hi; ++k) {
    const double w = window_direct(t.bl[k] - bc);
    sums[0] += w;
    for (std::size_t c = 0; c < columns.size(); ++c) sums[c + 1] += w * columns[c][t.first + k];
  }
}

// The value at fc = 0: the window is 1 at f = 0 only.
bool smooth_at_zero(std::span<const double> freq, const std::vector<std::span<const double>>& columns,
                    std::vector<double>& row) {
  if (freq.empty() || freq[0] != 0.0) return false;
  for (std::size_t c = 0; c < columns.size(); ++c) row[c] = columns[c][0];
  return true;
}

}  // namespace

Smoothed konno_ohmachi(std::span<const double> freq, const std::vector<std::span<const double>>& columns,
                       std::span<const double> centres, double bandwidth, unsigned threads) {
  const BinTable t = tabulate(freq, bandwidth);
  const std::size_t nc = columns.size();
  std::vector<std::vector<double>> rows(centres.size(), std::vector<double>(nc));
  std::vector<char> kept(centres.size(), 0);
  for_each_index(centres.size(), threads, [&](std::size_t i) {
    const double fc = centres[i];
    if (!(fc > 0.0)) {
      kept[i] = fc == 0.0 && smooth_at_zero(freq, columns, rows[i]);
      return;
    }
    thread_local std::vector<double> sums;
    window_sums(t, fc, bandwidth, columns, sums);
    const double total = sums[0];
    if (!(total >= minimum_window_sum)) return;
    kept[i] = 1;
    for (std::size_t c = 0; c < nc; ++c) rows[i][c] = sums[c + 1] / total;
  });
  Smoothed out;
  out.columns.resize(nc);
  for (std::size_t i = 0; i < centres.size(); ++i) {
    if (!kept[i]) continue;
    out.freq.push_back(centres[i]);
    for (std::size_t c = 0; c < nc; ++c) out.columns[c].push_back(rows[i][c]);
  }
  return out;
}

std::vector<double> log_grid(double fmin, double fmax, int per_decade) {
  std::vector<double> g;
  if (!(fmin > 0.0) || !(fmax >= fmin) || per_decade < 1) return g;
  const auto j0 = static_cast<std::int64_t>(std::ceil(std::log10(fmin) * per_decade - 1e-9));
  const auto j1 = static_cast<std::int64_t>(std::floor(std::log10(fmax) * per_decade + 1e-9));
  for (std::int64_t j = j0; j <= j1; ++j) g.push_back(std::pow(10.0, static_cast<double>(j) / per_decade));
  return g;
}

}  // namespace sitekit::spectra
