// Reading the dialogue's wave file: a heading of four labels, then rows of
// time, H1, H2, V1.
#include <algorithm>
#include <charconv>
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

// The first line that is not blank; `lines` stops after it.
Status heading(text::LineReader& lines, Record& r, const std::string& file) {
  std::string_view line;
  do {
    if (!lines.next(line)) return Error{file, 0, "the file is empty: expected a heading of four labels"};
  } while (text::trim(line).empty());
  const auto labels = fields::labels(line);
  if (labels.size() < 4)
    return Error{file, lines.number(),
                 fmt::format("the heading needs four labels (time, H1, H2, V1), found {}", labels.size())};
  for (std::size_t k = 0; k < 4; ++k) {
    r.labels[k] = labels[k];
    if (labels[k].size() > label_width)
      r.warnings.push_back({file, lines.number(),
                            fmt::format("label {} is cut to its first 10 characters in the results", text::quoted(labels[k]))});
  }
  return done();
}

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool digit(char c) { return c >= '0' && c <= '9'; }

// A row of four plain decimals such as "0.0050,-0.0001, 3.25" (what wave
// files hold), read in one pass: the fields as `fields::split` bounds them,
// each one a number `text::parse_real` takes as it is.  Anything else gives
// false and is read by `row`, which knows every form and words the errors.
bool plain_row(std::string_view line, double v[4]) {
  const char* p = line.data();
  const char* const end = p + line.size();
  for (int k = 0; k < 4; ++k) {
    while (p < end && blank(*p)) ++p;
    if (p == end || !(digit(*p) || (*p == '-' && p + 1 < end && digit(p[1])))) return false;
    const auto [stop, ec] = std::from_chars(p, end, v[k], std::chars_format::fixed);
    if (ec != std::errc() || (stop < end && !blank(*stop) && *stop != ',') || stop - p >= 64) return false;
    p = stop;
    while (p < end && blank(*p)) ++p;
    if (p < end && *p == ',') ++p;
  }
  return true;
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

// The line of each row, found again by walking the lines: only a warning or
// an error needs one, and a table for every row would cost fresh pages.
class RowLines {
 public:
  RowLines(std::string_view content, long first) : content_(content), first_(first) {}
  long operator[](std::size_t row) const {
    text::LineReader lines(content_);
    std::size_t k = 0;
    for (std::string_view line; lines.next(line);)
      if (lines.number() >= first_ && !text::trim(line).empty() && k++ == row) return lines.number();
    return 0;
  }

 private:
  std::string_view content_;
  long first_;
};

// The dialogue takes the step from the first two times only; a step that
// changes later is almost surely a mistake in the file.
void check_steps(Record& r, const RowLines& at, const std::string& file) {
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
  text::LineReader lines(content);
  Record r;
  r.units.clear();
  r.files = {file};
  const auto head = heading(lines, r, file);
  if (!head) return head.error();
  const RowLines at(content, lines.number() + 1);
  const auto room = static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) + 1;
  for (auto* v : {&r.time, &r.h1, &r.h2, &r.v1}) v->reserve(room);
  for (std::string_view line; lines.next(line);) {
    double v[4];
    if (plain_row(line, v)) {
      r.time.push_back(v[0]), r.h1.push_back(v[1]), r.h2.push_back(v[2]), r.v1.push_back(v[3]);
      continue;
    }
    if (text::trim(line).empty()) continue;
    const auto ok = row(line, lines.number(), r, file);
    if (!ok) return ok.error();
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
