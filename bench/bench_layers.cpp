// SH and P-SV responses of damped profiles over the grid of a 32768-point
// transform (nom = 16385), with the eight-lane kernel where the processor
// has AVX-512 (lanes:8), the four-lane one where it has AVX2 (lanes:4) and
// the two-lane kernel of other processors (lanes:2).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "capacity.h"
#include "response/layer_pass.h"
#include "response/layers.h"

namespace {

using siteresp::Cplx;
using siteresp::ml;
using siteresp::mom;

constexpr int nom = 16385;
constexpr float dom = 0.0383495f;  // 2 pi / (32768 * 0.005 s)

struct Profile {
  std::vector<float> dns = std::vector<float>(ml), vp = std::vector<float>(ml),
                     qp = std::vector<float>(ml), fp = std::vector<float>(ml),
                     vs = std::vector<float>(ml), qs = std::vector<float>(ml),
                     fs = std::vector<float>(ml), thk = std::vector<float>(ml);
};

// nl - 1 damped layers stiffening with depth over a damped half-space.
Profile damped(int nl)
{
  Profile p;
  for (int i = 0; i < nl; ++i) {
    p.dns[i] = 1.7f + 0.01f * i;
    p.vs[i] = 150.0f + 20.0f * i;
    p.vp[i] = 1.9f * p.vs[i];
    p.qs[i] = 15.0f + i;
    p.fs[i] = 0.4f;
    p.qp[i] = 2.0f * p.qs[i];
    p.fp[i] = 0.3f;
    p.thk[i] = 4.0f;
  }
  return p;
}

void report(benchmark::State& state, int nl)
{
  state.counters["ns_per_pass"] = benchmark::Counter(
      double(nom - 1) * (nl - 1) * state.iterations(),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Times one response routine over the profile and angle of the arguments
// nl, degrees and lanes.
template <typename Response>
void run_response(benchmark::State& state, Response response)
{
  const int nl = static_cast<int>(state.range(0));
  const float theta = static_cast<float>(state.range(1) * 0.017453292);
  siteresp::limit_lane_width(static_cast<int>(state.range(2)));
  const Profile p = damped(nl);
  std::vector<Cplx> amp(2 * mom);
  for (auto _ : state) {
    response(p, nl, theta, amp.data());
    benchmark::DoNotOptimize(amp.data());
    benchmark::ClobberMemory();
  }
  report(state, nl);
}

void BM_sbshml(benchmark::State& state)
{
  run_response(state, [](const Profile& p, int nl, float theta, Cplx* amp) {
    siteresp::sbshml(0.0f, dom, nom, mom, p.dns.data(), p.vs.data(), p.qs.data(), p.fs.data(),
                     p.thk.data(), nl, ml, theta, amp);
  });
}

void BM_sbudml(benchmark::State& state)
{
  run_response(state, [](const Profile& p, int nl, float theta, Cplx* amp) {
    siteresp::sbudml(0.0f, dom, nom, mom, p.dns.data(), p.vp.data(), p.qp.data(), p.fp.data(),
                     p.vs.data(), p.qs.data(), p.fs.data(), p.thk.data(), nl, ml, theta, amp);
  });
}

BENCHMARK(BM_sbshml)->ArgsProduct({{2, 10, 50}, {0, 30}, {8, 4, 2}})->ArgNames({"nl", "deg", "lanes"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_sbudml)->ArgsProduct({{2, 10, 50}, {0, 30}, {8, 4, 2}})->ArgNames({"nl", "deg", "lanes"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
