#pragma once
// Shared pieces of the fault, signal and hostile-input tests: a small run
// with every question answered, a complete reference run to compare what a
// failed run left behind, and the bounds in time and memory of a child.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <string>

#include "driver/run_fixture.h"

namespace hardening {

using e2e::ChildResult;
using e2e::TempDir;

// Sanitized builds run several times slower and map shadow memory, so their
// bounds are wider; the point is that the bound exists at all.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool sanitized = true;
#else
inline constexpr bool sanitized = false;
#endif
#else
inline constexpr bool sanitized = false;
#endif

inline constexpr double wall_limit_s = sanitized ? 60.0 : 5.0;
inline constexpr long rss_limit_kb = sanitized ? 256L * 1024 : 64L * 1024;

inline const std::string lately_reading = "lately reading sequential formatted external IO\n";
inline const std::string lately_writing = "lately writing sequential formatted external IO\n";
inline const std::string list_io = "last format: list io\n";

// nt rows at 0.01 s with three distinct channels.
inline std::string record(int nt) {
  return e2e::wave_csv(nt, "0.01", 0.01, 0.0, [](int i) { return std::sin(0.05 * i); },
                       [](int i) { return std::cos(0.03 * i); }, [](int i) { return i % 7 == 0 ? 1.0 : 0.0; });
}

inline std::string two_layers() {
  return e2e::soil_csv(30.0, 1,
                       "1, 1.8, 1500, 20, 0.5, 200, 10, 0.5, 10\n"
                       "2, 2.2, 3000, 50, 0.5, 1200, 30, 0.5, 0\n",
                       2);
}

// Every question answered: no change, band 0.5-1 to 20-25 Hz.
inline std::string all_answers() { return e2e::answers("w.csv", "s.csv", 0, 1, "0.5,1,20,25"); }

// A run of the given inputs that completes, with what it wrote.
struct Reference {
  ChildResult r;
  std::string amp_factors, amp1, wave1;
};

inline Reference reference_run(const std::string& wave, const std::string& soil) {
  TempDir dir;
  dir.write("w.csv", wave);
  dir.write("s.csv", soil);
  Reference ref{e2e::run_in(dir, all_answers(), false), dir.read("Amp-Factors.csv"), dir.read("amp1.csv"),
                dir.read("wave1.csv")};
  EXPECT_EQ(ref.r.code(), 0) << "reference run failed: " << ref.r.err;
  return ref;
}

// A child run with its wall time.
struct Timed {
  ChildResult r;
  double seconds = 0.0;
};

inline Timed timed_run(const TempDir& dir, const std::string& input) {
  const auto start = std::chrono::steady_clock::now();
  Timed t{e2e::run_in(dir, input, false), 0.0};
  t.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return t;
}

// Largest resident set of any child waited for so far, in kilobytes.  The
// test process stays small (huge files are written out row by row), since
// a child's figure includes what it shared with the test before its exec.
inline long peak_child_rss_kb() {
  rusage ru{};
  getrusage(RUSAGE_CHILDREN, &ru);
  return ru.ru_maxrss;
}

}  // namespace hardening
