// Reading the dialogue's wave file: a heading of four labels, then rows of
// time, H1, H2, V1.
#include <cmath>

#include <fmt/format.h>

#include "fields.h"
#include "read.h"
#include "readers.h"
#include "text.h"
#include "wave_file.h"

namespace sitekit::records {

namespace {

constexpr std::size_t label_width = 10;  // what the dialogue keeps of a label

Result<std::size_t> heading(const Lines& lines, Record& r, const std::string& file) {
  std::size_t i = 0;
  while (i < lines.size() && text::trim(lines[i]).empty()) ++i;
  if (i == lines.size()) return Error{file, 0, "the file is empty: expected a heading of four labels"};
  const auto labels = fields::labels(lines[i]);
  if (labels.size() < 4)
    return Error{file, static_cast<long>(i + 1),
                 fmt::format("the heading needs four labels (time, H1, H2, V1), found {}", labels.size())};
  for (std::size_t k = 0; k < 4; ++k) {
    r.labels[k] = labels[k];
    if (labels[k].size() > label_width)
      r.warnings.push_back({file, static_cast<long>(i + 1),
                            fmt::format("label {} is cut to its first 10 characters in the results", text::quoted(labels[k]))});
  }
  return i + 1;
}

// Each row: four numbers, further values ignored.
Status row(std::string_view line, long at, Record& r, const std::string& file) {
  const auto f = fields::split(line);
  if (f.size() < 4)
    return Error{file, at, fmt::format("expected 4 values (time, H1, H2, V1), found {}", f.size())};
  double v[4];
  for (std::size_t k = 0; k < 4; ++k) {
    const auto x = text::parse_real(f[k]);
    if (!x) return text::not_a_number(file, at, k + 1, f[k]);
    v[k] = *x;
  }
  r.time.push_back(v[0]);
  r.h1.push_back(v[1]);
  r.h2.push_back(v[2]);
  r.v1.push_back(v[3]);
  return done();
}

// The dialogue takes the step from the first two times only; a step that
// changes later is almost surely a mistake in the file.
void check_steps(Record& r, const std::vector<long>& at, const std::string& file) {
  if (r.time.size() < 2) return;
  r.dt = r.time[1] - r.time[0];
  if (!(r.dt > 0)) return;  // refused by the caller
  std::size_t changes = 0;
  std::size_t first = 0;
  for (std::size_t k = 2; k < r.time.size(); ++k) {
    const double step = r.time[k] - r.time[k - 1];
    if (std::fabs(step - r.dt) > 1e-3 * r.dt && changes++ == 0) first = k;
  }
  if (changes)
    r.warnings.push_back({file, at[first],
                          fmt::format("the time step is not constant: {:g} s here, {:g} s at the start{}",
                                      r.time[first] - r.time[first - 1], r.dt,
                                      changes > 1 ? fmt::format(" ({} rows like this)", changes) : "")});
}

}  // namespace

Result<Record> read_wave(std::string_view content, const std::string& file) {
  const Lines lines = text::split_lines(content);
  Record r;
  r.units.clear();
  r.files = {file};
  const auto first = heading(lines, r, file);
  if (!first) return first.error();
  std::vector<long> at;
  const std::size_t room = lines.size() - first.value();
  for (auto* v : {&r.time, &r.h1, &r.h2, &r.v1}) v->reserve(room);
  at.reserve(room);
  for (std::size_t i = first.value(); i < lines.size(); ++i) {
    if (text::trim(lines[i]).empty()) continue;
    const auto ok = row(lines[i], static_cast<long>(i + 1), r, file);
    if (!ok) return ok.error();
    at.push_back(static_cast<long>(i + 1));
  }
  if (r.time.empty()) return Error{file, 0, "the file has a heading but no rows"};
  if (r.time.size() < 2) return Error{file, at[0], "one row is not a record: the time step needs two"};
  check_steps(r, at, file);
  if (!(r.dt > 0)) return Error{file, at[1], fmt::format("the time step {} s is not positive", r.dt)};
  return r;
}

Result<Record> read_wave_file(const std::string& path) {
  auto content = slurp(path);
  if (!content) return content.error();
  auto r = read_wave(content.value(), path);
  if (r) r.value().name = record_name({path});
  return r;
}

// As channels, for assembly with the other formats: the labels are the
// orientations, the columns are H1, H2, V1 already.
Result<Components> read_wave_components(std::string_view content, const std::string& file) {
  auto r = read_wave(content, file);
  if (!r) return r.error();
  Components out(3);
  std::vector<double>* cols[] = {&r.value().h1, &r.value().h2, &r.value().v1};
  for (std::size_t k = 0; k < 3; ++k) {
    out[k].samples = std::move(*cols[k]);
    out[k].dt = r.value().dt;
    out[k].orientation = r.value().labels[k + 1];
    out[k].axis = k == 2 ? Axis::up : Axis::horizontal;
  }
  out[0].warnings = std::move(r.value().warnings);
  return out;
}

}  // namespace sitekit::records
