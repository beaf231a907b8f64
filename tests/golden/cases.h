#pragma once
// Input sets of the generated golden-output cases (tests/golden/cases/*/
// with a file "generate" naming one of them): a wave file, a soil file and
// the answers, generated from integers alone so that every machine writes
// the same bytes.  Also used by bench/run-largest.sh (through make_case) to build
// the largest run.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace golden {

struct CaseFiles {
  std::string wave, soil, answers;
};

// Deterministic noise in [-1, 1): a 64-bit linear congruential generator.
class Noise {
public:
  explicit Noise(std::uint64_t seed) : s_(seed) {}
  double next() {
    s_ = s_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(static_cast<std::int64_t>(s_ >> 11) - (std::int64_t{1} << 52)) /
           static_cast<double>(std::int64_t{1} << 52);
  }

private:
  std::uint64_t s_;
};

// One channel of an accelerogram: noise through a resonator (centre period
// `period` samples) under a build-up and decay envelope, peak near `peak`.
// Only additions and multiplications, so the values are the same everywhere.
inline std::vector<double> channel(int nt, std::uint64_t seed, double period, double peak) {
  Noise noise(seed);
  // y[n] = 2 r c y[n-1] - r^2 y[n-2] + x[n], c ~ cos(2 pi / period) by a
  // short series, r = 0.97.
  const double w = 6.283185307179586 / period, w2 = w * w;
  const double c = 1.0 - w2 / 2.0 + w2 * w2 / 24.0 - w2 * w2 * w2 / 720.0;
  const double r = 0.97;
  std::vector<double> y(static_cast<std::size_t>(nt));
  double y1 = 0.0, y2 = 0.0;
  for (int n = 0; n < nt; ++n) {
    const double rise = n < nt / 8 ? static_cast<double>(n) / (nt / 8) : 1.0;
    const double fall = n > nt / 2 ? static_cast<double>(nt - n) / (nt - nt / 2) : 1.0;
    const double y0 = 2.0 * r * c * y1 - r * r * y2 + noise.next();
    y2 = y1;
    y1 = y0;
    y[static_cast<std::size_t>(n)] = y0 * rise * fall * fall * peak / 12.0;
  }
  return y;
}

// nt rows at a step of dt_units ten-thousandths of a second, times written
// from integers ("0.0050").
inline std::string wave_file(int nt, int dt_units, std::uint64_t seed) {
  const auto h1 = channel(nt, seed, 40.0, 150.0), h2 = channel(nt, seed + 1, 25.0, 90.0),
             v1 = channel(nt, seed + 2, 12.0, 60.0);
  std::string s = "time,H1,H2,V1\n";
  char row[128];
  for (int i = 0; i < nt; ++i) {
    const long long t = static_cast<long long>(i) * dt_units;
    const auto k = static_cast<std::size_t>(i);
    std::snprintf(row, sizeof row, "%lld.%04lld,%.4f,%.4f,%.5f\n", t / 10000, t % 10000, h1[k], h2[k],
                  v1[k]);
    s += row;
  }
  return s;
}

struct Layer {
  double dns, vp, qp, fp, vs, qs, fs, thk;
};

inline std::string soil_file(double angle, int nin, const std::vector<Layer>& layers) {
  char line[200];
  std::string s = "Golden profile\n";
  std::snprintf(line, sizeof line, "%.1f, incidence angle (degrees)\n%d, input wave type\n", angle, nin);
  s += line;
  std::snprintf(line, sizeof line, "Number of layers\n%zu\n", layers.size());
  s += line;
  s += "Layer,Density,Vp,Qp,Fp,Vs,Qs,Fs,Thickness(m)\n";
  int i = 0;
  for (const Layer& l : layers) {
    std::snprintf(line, sizeof line, "%d,%.2f,%.1f,%.1f,%.2f,%.1f,%.1f,%.2f,%.1f\n", ++i, l.dns, l.vp,
                  l.qp, l.fp, l.vs, l.qs, l.fs, l.thk);
    s += line;
  }
  return s;
}

inline std::string answers(int nyes, int nbd, const char* edges = nullptr) {
  std::string a = "wave.csv\nsoil.csv\n" + std::to_string(nyes) + "\n" + std::to_string(nbd) + "\n";
  if (edges != nullptr) a += std::string(edges) + "\n";
  return a;
}

// 49 damped layers stiffening with depth over a damped half-space.  The Q
// exponents vary (0 included), and layer 20 has no S-wave Q, which leaves the
// pass below it undamped and its own S velocity undamped in the pass above.
inline std::vector<Layer> deep_profile() {
  static const double exps[] = {0.5, 0.3, 0.0, 0.8, 0.5, 0.65};
  std::vector<Layer> v;
  for (int i = 0; i < 49; ++i) {
    Layer l;
    l.dns = 1.6 + 0.02 * i;
    l.vs = 120.0 + 16.0 * i;
    l.vp = l.vs * (4.0 - 0.04 * i);
    l.qs = i == 19 ? 0.0 : 8.0 + 0.5 * i;
    l.fs = exps[i % 6];
    l.qp = 2.0 * (8.0 + 0.5 * i);
    l.fp = exps[(i + 2) % 6];
    l.thk = 1.0 + (i % 5);
    v.push_back(l);
  }
  v.push_back({2.6, 3000.0, 100.0, 0.5, 1500.0, 50.0, 0.5, 0.0});
  return v;
}

// The largest run: 32,768 rows at 0.005 s (transform length 2**15), the
// 50-layer profile at 30 degrees, input in the bedrock, integration and the
// band-pass filter.
inline CaseFiles largest() {
  return {wave_file(32768, 50, 11), soil_file(30.0, 1, deep_profile()),
          answers(1, 1, "0.1,0.3,20.0,30.0")};
}

// Borehole record (type 2) at a steep 60 degrees, differentiated, no filter.
// Layer 3 is faster than the apparent horizontal velocity of the half-space,
// so its waves are evanescent; layer 2 has a constant Q (exponent 0) and
// layer 4 none at all.
inline CaseFiles borehole() {
  const std::vector<Layer> p = {{1.7, 500.0, 10.0, 0.4, 150.0, 5.0, 0.5, 4.0},
                                {1.8, 900.0, 14.0, 0.0, 260.0, 7.0, 0.0, 6.0},
                                {2.1, 2200.0, 30.0, 0.3, 1000.0, 15.0, 0.3, 2.0},
                                {1.9, 1200.0, 20.0, 0.5, 400.0, 0.0, 0.5, 9.0},
                                {2.0, 1500.0, 25.0, 0.5, 500.0, 12.0, 0.5, 12.0},
                                {2.4, 2000.0, 60.0, 0.5, 800.0, 40.0, 0.5, 0.0}};
  return {wave_file(3000, 100, 21), soil_file(60.0, 2, p), answers(2, 0)};
}

// Undamped three-layer profile at vertical incidence, band-pass only.
inline CaseFiles undamped() {
  const std::vector<Layer> p = {{1.8, 400.0, 0.0, 0.0, 200.0, 0.0, 0.0, 10.0},
                                {2.0, 1000.0, 0.0, 0.0, 500.0, 0.0, 0.0, 25.0},
                                {2.5, 2400.0, 0.0, 0.0, 1200.0, 0.0, 0.0, 0.0}};
  return {wave_file(2000, 200, 31), soil_file(0.0, 1, p), answers(0, 1, "0.2,0.5,8.0,12.0")};
}

// 1000 rows at 0.01 s (transform length 1024, a padded tail), two damped
// layers over the half-space, no shaping.
inline CaseFiles short_record() {
  const std::vector<Layer> p = {{1.7, 600.0, 20.0, 0.5, 180.0, 10.0, 0.5, 8.0},
                                {1.9, 1400.0, 30.0, 0.5, 450.0, 15.0, 0.5, 20.0},
                                {2.5, 3000.0, 80.0, 0.5, 1500.0, 50.0, 0.5, 0.0}};
  return {wave_file(1000, 100, 41), soil_file(15.0, 1, p), answers(0, 0)};
}

// The generated case of the given name ("largest", "borehole", "undamped",
// "short"); false for any other name.
inline bool generate(const std::string& name, CaseFiles& out) {
  if (name == "largest") out = largest();
  else if (name == "borehole") out = borehole();
  else if (name == "undamped") out = undamped();
  else if (name == "short") out = short_record();
  else return false;
  return true;
}

}  // namespace golden
