#include "spectra/smoothing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "spectra/parallel.h"

namespace sitekit::spectra {
namespace {

using v4 = double __attribute__((vector_size(32)));

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

// Window of every positive bin at one centre, into w.
void window_at(const BinTable& t, double fc, double b, std::vector<double>& w) {
  const double bc = b * std::log10(fc);
  const double sc = std::sin(bc), cc = std::cos(bc);
  const std::size_t n = t.bl.size();
  w.resize(n);
  for (std::size_t k = 0; k < n; ++k) {
    const double x = t.bl[k] - bc;
    const double r = (t.s[k] * cc - t.c[k] * sc) / x;
    const double r2 = r * r;
    w[k] = r2 * r2;
  }
  const auto lo = std::lower_bound(t.bl.begin(), t.bl.end(), bc - direct_below);
  const auto hi = std::upper_bound(t.bl.begin(), t.bl.end(), bc + direct_below);
  for (auto it = lo; it != hi; ++it) {
    const std::size_t k = static_cast<std::size_t>(it - t.bl.begin());
    w[k] = window_direct(t.bl[k] - bc);
  }
}

// Sum of w[k] * x[k] with four vector accumulators: a sequential sum would
// wait on every addition.
double dot(const double* w, const double* x, std::size_t n) {
  v4 acc[4] = {};
  std::size_t k = 0;
  for (; k + 16 <= n; k += 16)
    for (int j = 0; j < 4; ++j) {
      v4 a, b;
      __builtin_memcpy(&a, w + k + 4 * j, sizeof a);
      __builtin_memcpy(&b, x + k + 4 * j, sizeof b);
      acc[j] += a * b;
    }
  double s = 0.0;
  for (int j = 0; j < 4; ++j) s += (acc[j][0] + acc[j][1]) + (acc[j][2] + acc[j][3]);
  for (; k < n; ++k) s += w[k] * x[k];
  return s;
}

double sum(const double* w, std::size_t n) {
  v4 acc[4] = {};
  std::size_t k = 0;
  for (; k + 16 <= n; k += 16)
    for (int j = 0; j < 4; ++j) {
      v4 a;
      __builtin_memcpy(&a, w + k + 4 * j, sizeof a);
      acc[j] += a;
    }
  double s = 0.0;
  for (int j = 0; j < 4; ++j) s += (acc[j][0] + acc[j][1]) + (acc[j][2] + acc[j][3]);
  for (; k < n; ++k) s += w[k];
  return s;
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
    thread_local std::vector<double> w;
    window_at(t, fc, bandwidth, w);
    const double total = sum(w.data(), w.size());
    if (!(total >= minimum_window_sum)) return;
    kept[i] = 1;
    for (std::size_t c = 0; c < nc; ++c) rows[i][c] = dot(w.data(), columns[c].data() + t.first, w.size()) / total;
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
