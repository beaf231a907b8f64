#pragma once
// Runs the built program in a temporary directory on prepared files and
// answers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/scratch_dir.h"

namespace e2e {

using ChildResult = testsupport::Outcome;
using TempDir = testsupport::ScratchDir;

// The lines of a text, without their line ends.
inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> v;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t nl = text.find('\n', start);
    if (nl == std::string::npos) {
      v.push_back(text.substr(start));
      break;
    }
    v.push_back(text.substr(start, nl - start));
    start = nl + 1;
  }
  return v;
}

// A wave file of nt rows at times t0 + i*dt with the three channels given
// by functions of the row index.
inline std::string wave_csv(int nt, const std::string& dt_text, double dt, double t0,
                            const std::function<double(int)>& h1,
                            const std::function<double(int)>& h2,
                            const std::function<double(int)>& v1) {
  std::string s = "time,H1,H2,V1\n";
  char row[160];
  for (int i = 0; i < nt; ++i) {
    if (i == 1 && t0 == 0.0) {
      s += dt_text + ",";  // the second time as typed, so dt is exactly its value
    } else {
      std::snprintf(row, sizeof row, "%.9g,", t0 + i * dt);
      s += row;
    }
    std::snprintf(row, sizeof row, "%.9g,%.9g,%.9g\n", h1(i), h2(i), v1(i));
    s += row;
  }
  return s;
}

// A profile of the given layer rows, angle and wave type.
inline std::string soil_csv(double angle, int nin, const std::string& rows, int nl) {
  char head[200];
  std::snprintf(head, sizeof head, "Test profile\n%g,angle\n%d,wave type\nlayers\n%d\nheading\n",
                angle, nin, nl);
  return head + rows;
}

// Half-space only: the SH and P-SV responses are 2 (type 1) or 1 (type 2).
inline std::string halfspace(int nin) {
  return soil_csv(0.0, nin, "1,2.0,2000.0,0,0,1000.0,0,0,0\n", 1);
}

inline std::string answers(const std::string& wave, const std::string& soil, int nyes, int nbd,
                           const std::string& edges = "") {
  std::string a = wave + "\n" + soil + "\n" + std::to_string(nyes) + "\n" + std::to_string(nbd) + "\n";
  if (nbd == 1) a += edges + "\n";
  return a;
}

// The program in `dir` with `input` typed; both streams in one by default.
inline ChildResult run_in(const TempDir& dir, const std::string& input, bool merge = true) {
  auto opt = testsupport::Options().in(dir.str()).with_input(input);
  if (merge) opt.merged();
  return testsupport::run(SITERESP_EXE, {}, opt);
}

// Columns of a result row as numbers ("********" reads as NaN).
inline std::vector<double> fields(const std::string& row) {
  std::vector<double> v;
  std::size_t start = 0;
  while (start <= row.size()) {
    std::size_t comma = row.find(',', start);
    std::string f = row.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (!f.empty()) v.push_back(f.find('*') != std::string::npos ? NAN : std::stod(f));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return v;
}

}  // namespace e2e
