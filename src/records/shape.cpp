// The import options on an assembled record: scale, window, resample, and
// the length the dialogue can hold.
#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "record.h"
#include "resample.h"

namespace sitekit::records {

namespace {

void for_channels(Record& r, auto&& f) {
  f(r.h1);
  f(r.h2);
  f(r.v1);
}

Status window(Record& r, const ImportOptions& o) {
  const double total = static_cast<double>(r.size()) * r.dt;
  std::size_t from = 0, n = r.size();
  if (o.start) {
    if (!(*o.start >= 0)) return Error{"", 0, fmt::format("--start {:g} s must not be negative", *o.start)};
    if (!(*o.start < total))
      return Error{"", 0, fmt::format("--start {:g} s is beyond the end of the record ({:g} s)", *o.start, total)};
    from = static_cast<std::size_t>(std::llround(*o.start / r.dt));
    n -= std::min(n, from);
  }
  if (o.length) {
    if (!(*o.length > 0)) return Error{"", 0, fmt::format("--length {:g} s must be positive", *o.length)};
    const double want = std::round(*o.length / r.dt);
    if (want < static_cast<double>(n)) n = static_cast<std::size_t>(want);
    else if (want > static_cast<double>(n))
      r.warnings.push_back({"", 0, fmt::format("--length {:g} s reaches past the end of the record; {:g} s kept",
                                               *o.length, static_cast<double>(n) * r.dt)});
  }
  if (n < 2) return Error{"", 0, "--start and --length leave fewer than two samples"};
  const auto b = static_cast<long>(from), e = static_cast<long>(from + n);
  for_channels(r, [&](std::vector<double>& x) { x = std::vector<double>(x.begin() + b, x.begin() + e); });
  return done();
}

Status resample_all(Record& r, double new_dt) {
  Status st = done();
  for_channels(r, [&](std::vector<double>& x) {
    if (!st) return;
    auto y = resample(x, r.dt, new_dt);
    if (y) x = std::move(y.value());
    else st = y.error();
  });
  if (!st) return st;
  const std::size_t n = std::min({r.h1.size(), r.h2.size(), r.v1.size()});
  for_channels(r, [&](std::vector<double>& x) { x.resize(n); });
  r.dt = new_dt;
  return done();
}

}  // namespace

Result<Record> shape(Record r, const ImportOptions& o) {
  const bool retime = o.start || o.length || o.resample_dt;
  if (!std::isfinite(o.scale) || o.scale == 0)
    return Error{"", 0, fmt::format("--scale {:g} must be a finite, non-zero factor", o.scale)};
  if (o.scale != 1.0) {
    bool finite = true;
    for_channels(r, [&](std::vector<double>& x) {
      for (double& v : x) finite = std::isfinite(v *= o.scale) && finite;
    });
    if (!finite)
      return Error{"", 0, fmt::format("--scale {:g} takes samples beyond the range of numbers", o.scale)};
  }
  if (o.start || o.length)
    if (const auto ok = window(r, o); !ok) return ok.error();
  if (o.resample_dt)
    if (const auto ok = resample_all(r, *o.resample_dt); !ok) return ok.error();
  if (r.size() > o.max_samples)
    return Error{"", 0, fmt::format("the record has {} samples; sitekit handles at most {}: take a part with "
                                    "--start/--length or a coarser interval with --resample",
                                    r.size(), o.max_samples)};
  if (retime || r.time.size() != r.size()) {
    r.time.resize(r.size());
    for (std::size_t k = 0; k < r.size(); ++k) r.time[k] = static_cast<double>(k) * r.dt;
  }
  return r;
}

}  // namespace sitekit::records
