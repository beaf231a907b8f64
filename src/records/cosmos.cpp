// COSMOS V1/V2 (format v01.20), one or more channels per file.  Per channel:
// a line naming the data type and the number of text lines; the text lines;
// integer and real header blocks, each announced by a line that states its
// count, its number of lines and its layout; the comment lines; a line
// stating the number of samples, their units and layout; the samples; and
// "End-of-data for Chan...".
#include <cmath>

#include <fmt/format.h>

#include "channels.h"
#include "orientation.h"
#include "readers.h"
#include "text.h"

namespace sitekit::records {

namespace {

constexpr double g_in_gal = 980.665;
constexpr std::size_t int_orientation = 54;  // 1-based header positions
constexpr std::size_t real_interval_ms = 62;
constexpr double missing_int = -999;  // the usual code; text line 13 states it

struct Block {
  std::size_t count = 0;
  text::FixedLayout layout;
};

// "100 Integer-header values follow on  10 lines, Format= (10I8)": the count
// first, the layout in the last parentheses.
Result<Block> announced(const Lines& lines, std::size_t i, const std::string& file, std::string_view what) {
  if (i >= lines.size()) return Error{file, static_cast<long>(lines.size()), fmt::format("the file ends before the {}", what)};
  const std::string_view l = lines[i];
  const auto count = text::first_int(l);
  const std::size_t open = l.rfind('(');
  const auto layout = open == std::string_view::npos ? std::nullopt : text::parse_layout(l.substr(open));
  if (!count || !layout)
    return Error{file, static_cast<long>(i + 1), fmt::format("expected the count and layout of the {}, found {}", what, text::quoted(text::trim(l)))};
  return Block{static_cast<std::size_t>(*count), *layout};
}

// "42000 acceleration pts, approx 210 secs, units=cm/sec2(04),Format=(1E15.6)".
Result<double> units_factor(std::string_view l, long line, const std::string& file) {
  const std::size_t at = text::upper(l).find("UNITS=");
  std::string_view u = at == std::string::npos ? std::string_view{} : l.substr(at + 6);
  u = text::trim(u.substr(0, u.find_first_of("(,")));
  const std::string uu = text::upper(u);
  if (uu == "CM/SEC2" || uu == "CM/S2" || uu == "CM/SEC/SEC" || uu == "GAL") return 1.0;
  if (uu == "G") return g_in_gal;
  if (uu == "M/SEC2" || uu == "M/S2") return 100.0;
  if (uu == "MM/SEC2" || uu == "MM/S2") return 0.1;
  return Error{file, line, fmt::format("units {} are not an acceleration sitekit knows", text::quoted(u))};
}

// Integer 54: 0-360 azimuth, 400 up, 500 down, others (structure axes) an
// unknown horizontal.
void orient(Component& c, double code, double missing) {
  const auto n = text::whole(code);
  if (!n || code == missing) return classify_orientation(c, "");
  c.orientation = std::to_string(*n);
  if (*n == 400 || *n == 500) {
    c.axis = Axis::up;
    c.orientation = *n == 400 ? "Up" : "Down";
    if (*n == 500)
      for (double& x : c.samples) x = -x;
  } else if (*n >= 0 && *n <= 360) {
    set_azimuth(c, static_cast<double>(*n));
  }
}

// The announcing line at `i` and the values it announces; the line after them.
Result<std::size_t> block(const Lines& lines, std::size_t i, const std::string& file, std::string_view what,
                          std::vector<double>& out) {
  const auto b = announced(lines, i, file, what);
  if (!b) return b.error();
  return text::read_fixed(lines, i + 1, b.value().count, b.value().layout.per_line, b.value().layout.width, out, file,
                          what == "samples" ? "samples" : "header values");
}

// Line 1: "... acceleration (Format v01.20 with 13 text lines)"; the line
// after the text lines.
Result<std::size_t> text_header(const Lines& lines, std::size_t s, Component& c, const std::string& file) {
  const std::string_view first = lines[s];
  const auto first_line = static_cast<long>(s + 1);
  if (!text::contains_nocase(first, "acceleration"))
    return Error{file, first_line, fmt::format("{} is not an acceleration channel", text::quoted(text::trim(first)))};
  const std::size_t with = text::upper(first).find("WITH");
  const auto ntext = with == std::string::npos ? std::nullopt : text::first_int(first.substr(with));
  if (!ntext || *ntext < 1) return Error{file, first_line, "the first line does not state the number of text lines"};
  const std::size_t next = s + static_cast<std::size_t>(*ntext);
  if (next >= lines.size()) return Error{file, static_cast<long>(lines.size()), "the file ends inside the text header"};
  c.event = std::string(text::trim(lines[s + 1]));
  if (s + 4 < next) c.station = std::string(text::trim(lines[s + 4]));
  return next;
}

// "N Comment line(s) follow...": the line after the comments.
Result<std::size_t> skip_comments(const Lines& lines, std::size_t i, const std::string& file) {
  if (i >= lines.size()) return Error{file, static_cast<long>(lines.size()), "the file ends before the comment lines"};
  const auto n = text::first_int(lines[i]);
  if (!n) return Error{file, static_cast<long>(i + 1), "expected the number of comment lines"};
  return i + 1 + static_cast<std::size_t>(*n);
}

Result<Channel> channel(const Lines& lines, std::size_t s, const std::string& file) {
  Channel ch;
  std::vector<double> iv, rv;
  auto at = text_header(lines, s, ch.c, file);
  if (at) at = block(lines, at.value(), file, "integer header", iv);
  if (at) at = block(lines, at.value(), file, "real header", rv);
  if (!at) return at.error();
  if (iv.size() < int_orientation || rv.size() < real_interval_ms)
    return Error{file, static_cast<long>(s + 1), "the headers are too short for the orientation and the sample interval"};
  const double dt_ms = rv[real_interval_ms - 1];
  if (!(dt_ms > 0)) return Error{file, static_cast<long>(s + 1), "the sample interval (real header 62) is not positive"};
  ch.c.dt = dt_ms / 1000.0;
  at = skip_comments(lines, at.value(), file);
  if (!at) return at.error();
  const std::size_t data = at.value();
  const auto factor = data < lines.size() ? units_factor(lines[data], static_cast<long>(data + 1), file) : 1.0;
  if (!factor) return factor.error();
  at = block(lines, data, file, "samples", ch.c.samples);
  if (!at) return at.error();
  if (ch.c.samples.empty()) return Error{file, static_cast<long>(data + 1), "the channel has no samples"};
  for (double& x : ch.c.samples) x *= factor.value();
  orient(ch.c, iv[int_orientation - 1], missing_int);
  ch.next = at.value();
  if (ch.next < lines.size() && text::contains_nocase(lines[ch.next], "End-of-data")) ++ch.next;
  return ch;
}

}  // namespace

Result<Components> read_cosmos(const Lines& lines, const std::string& file) {
  return read_channels(lines, file, channel);
}

}  // namespace sitekit::records
