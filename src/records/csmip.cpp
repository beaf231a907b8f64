// CSMIP / CGS Volume 2: all channels of a station in one file.  Per channel:
// text lines (the first names the channel and its orientation, "Chan  1:
// 360 Deg"), integer and real headers, then "12000 points of accel data
// equally spaced at  .005 sec, in cm/sec2. (8f10.6)" and the samples, then
// velocity and displacement, then "End of data for channel".  F10.6 fields
// touch for values of -10 and below, so fields are cut by column.
#include <cmath>

#include <fmt/format.h>

#include "channels.h"
#include "orientation.h"
#include "readers.h"
#include "text.h"

namespace sitekit::records {

namespace {

constexpr double g_in_gal = 980.665;
constexpr std::size_t max_text_lines = 60;  // from a channel's start to its accel line

// "Chan  1:  360 Deg" / "Chan 3: Up" anywhere in the channel's text lines.
void orient(Component& c, const Lines& lines, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    const std::string u = text::upper(lines[i]);
    const std::size_t at = u.find("CHAN");
    const std::size_t colon = at == std::string::npos ? at : u.find(':', at);
    if (colon == std::string::npos) continue;
    const auto f = text::blank_fields(std::string_view(lines[i]).substr(colon + 1));
    if (f.empty()) continue;
    c.orientation = std::string(f.front());
    classify_orientation(c, c.orientation);
    if (text::upper(c.orientation) == "DOWN")
      for (double& x : c.samples) x = -x;
    return;
  }
}

void names(Component& c, const Lines& lines, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    const std::string_view l = text::trim(lines[i]);
    if (c.event.empty() && text::contains_nocase(l, "earthquake")) c.event = std::string(l);
    const std::size_t at = text::upper(l).find("STATION NO.");
    if (c.station.empty() && at != std::string::npos) c.station = std::string(text::trim(l.substr(at + 11)));
  }
}

struct Accel {
  std::size_t count = 0;
  double dt = 0;
  double factor = 1;
  text::FixedLayout layout;
};

Result<Accel> accel_line(std::string_view l, long line, const std::string& file) {
  Accel a;
  const auto n = text::first_int(l);
  const std::size_t at = text::upper(l).find("SPACED AT");
  const auto f = at == std::string::npos ? std::vector<std::string_view>{} : text::blank_fields(l.substr(at + 9));
  std::optional<double> dt;
  if (!f.empty()) dt = text::parse_real(f.front());
  const std::size_t open = l.rfind('(');
  const auto layout = open == std::string_view::npos ? std::nullopt : text::parse_layout(l.substr(open));
  if (!n || !dt || *dt <= 0 || !layout)
    return Error{file, line, fmt::format("cannot read the count, interval and layout from {}", text::quoted(text::trim(l)))};
  const std::string u = text::upper(l);
  const std::size_t in = u.find(", IN ");
  const std::string_view units = in == std::string::npos ? "" : text::trim(std::string_view(u).substr(in + 5, u.find_first_of(".(", in + 5) - in - 5));
  if (units == "CM/SEC2" || units == "CM/S2" || units == "CM/SEC/SEC") a.factor = 1.0;
  else if (units == "G") a.factor = g_in_gal;
  else return Error{file, line, fmt::format("units {} are not an acceleration sitekit knows", text::quoted(units))};
  a.count = static_cast<std::size_t>(*n);
  a.dt = *dt;
  a.layout = *layout;
  return a;
}

Result<Channel> channel(const Lines& lines, std::size_t s, const std::string& file) {
  std::size_t i = s;
  while (i < lines.size() && i < s + max_text_lines && !text::contains_nocase(lines[i], "points of accel data")) ++i;
  if (i >= lines.size() || i == s + max_text_lines)
    return Error{file, static_cast<long>(s + 1), "no \"points of accel data\" line follows the channel's header"};
  const auto a = accel_line(lines[i], static_cast<long>(i + 1), file);
  if (!a) return a.error();
  Channel ch;
  ch.c.dt = a.value().dt;
  const auto at = text::read_fixed(lines, i + 1, a.value().count, a.value().layout.per_line, a.value().layout.width, ch.c.samples, file);
  if (!at) return at.error();
  if (ch.c.samples.empty()) return Error{file, static_cast<long>(i + 1), "the channel has no samples"};
  for (double& x : ch.c.samples) x *= a.value().factor;
  orient(ch.c, lines, s, i);
  names(ch.c, lines, s, i);
  std::size_t j = at.value();
  while (j < lines.size() && !text::contains_nocase(lines[j], "End of data for channel")) ++j;
  ch.next = j + 1;
  return ch;
}

}  // namespace

Result<Components> read_csmip(const Lines& lines, const std::string& file) {
  return read_channels(lines, file, channel);
}

}  // namespace sitekit::records
