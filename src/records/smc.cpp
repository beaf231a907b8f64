// USGS SMC: 11 text lines; 48 integers as 8I10 on 6 lines; 50 reals as
// 5E15.7 on 10 lines; the comment lines; then the samples (cm/s2) as 8 fields
// of 10 columns, which touch when negative, so fields are cut by column.
#include <cmath>

#include <fmt/format.h>

#include "orientation.h"
#include "readers.h"
#include "text.h"

namespace sitekit::records {

namespace {

constexpr std::size_t text_lines = 11;
constexpr std::size_t int_lines = 6, ints = 48;
constexpr std::size_t real_lines = 10, reals = 50;
constexpr long long missing_int = -32768;

// Line 1 names the kind of data: only accelerograms are records.
Result<bool> check_kind(std::string_view first, const std::string& file) {
  if (!text::contains_nocase(first, "ACCELEROGRAM"))
    return Error{file, 1, fmt::format("{} is not an accelerogram", text::quoted(text::trim(first)))};
  return text::contains_nocase(first, "UNCORRECTED");
}

// Line 6: "<station> ... component=360".
void names(Component& c, const Lines& lines) {
  const std::string_view l6 = lines[5];
  const std::size_t at = text::upper(l6).find("COMPONENT=");
  c.station = std::string(text::trim(l6.substr(0, at)));
  if (at != std::string::npos) {
    const auto f = text::blank_fields(l6.substr(at + 10));
    if (!f.empty()) c.orientation = std::string(f.front());
  }
  c.event = std::string(text::trim(lines[2]));
}

// I13: 90 horizontal, 0 up, 180 down; I14: azimuth of a horizontal.
void orient(Component& c, long long vertical, long long azimuth) {
  if (vertical == 0 || vertical == 180) {
    c.axis = Axis::up;
    if (vertical == 180)
      for (double& x : c.samples) x = -x;
    if (c.orientation.empty()) c.orientation = "up";
    return;
  }
  if (azimuth != missing_int && azimuth >= 0 && azimuth <= 360) {
    set_azimuth(c, static_cast<double>(azimuth));
    if (c.orientation.empty()) c.orientation = fmt::format("{:03}", azimuth);
    return;
  }
  classify_orientation(c, c.orientation);
}

}  // namespace

Result<Components> read_smc(const Lines& lines, const std::string& file) {
  const std::size_t head = text_lines + int_lines + real_lines;
  if (lines.size() < head) return Error{file, static_cast<long>(lines.size()), "the header ends early"};
  const auto uncorrected = check_kind(lines[0], file);
  if (!uncorrected) return uncorrected.error();
  std::vector<double> iv, rv;
  auto at = text::read_fixed(lines, text_lines, ints, 8, 10, iv, file, "header integers");
  if (!at) return at.error();
  at = text::read_fixed(lines, at.value(), reals, 5, 15, rv, file, "header reals");
  if (!at) return at.error();
  const long long comments = text::whole(iv[15]).value_or(-1), npts = text::whole(iv[16]).value_or(-1);
  if (comments < 0 || npts <= 0 || npts > static_cast<long long>(lines.size()) * 8)
    return Error{file, static_cast<long>(text_lines + 3),
                 fmt::format("header integers 16 and 17 ({} comment lines, {} samples) do not fit the file", comments,
                             npts)};
  if (!(rv[1] > 0)) return Error{file, static_cast<long>(text_lines + int_lines + 1), "samples per second (real 2) must be positive"};
  const std::size_t first = at.value() + static_cast<std::size_t>(comments);
  Component c;
  c.dt = 1.0 / rv[1];
  names(c, lines);
  const auto done = text::read_fixed(lines, first, static_cast<std::size_t>(npts), 8, 10, c.samples, file);
  if (!done) return done.error();
  orient(c, text::whole(iv[12]).value_or(missing_int), text::whole(iv[13]).value_or(missing_int));
  if (uncorrected.value()) c.warnings.push_back({file, 1, "uncorrected accelerogram: no baseline correction applied"});
  return one(std::move(c));
}

}  // namespace sitekit::records
