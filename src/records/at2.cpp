// PEER NGA .AT2: four header lines (title; event, date, station, component;
// units; "NPTS=  7999, DT=   .0050 SEC," or the older "4164  0.0100  NPTS,
// DT"), then the samples in g, 5 to a line.
#include <cmath>

#include <fmt/format.h>

#include "orientation.h"
#include "readers.h"
#include "text.h"

namespace sitekit::records {

namespace {

constexpr double g_in_gal = 980.665;
constexpr std::size_t header_lines = 4;

struct Size {
  long long npts = 0;
  double dt = 0;
};

// The first word after `key` ("NPTS=") in `line`, up to a comma.
std::string_view after(std::string_view line, std::string_view key) {
  const std::size_t at = text::upper(line).find(key);
  if (at == std::string::npos) return {};
  std::string_view rest = line.substr(at + key.size());
  const auto words = text::blank_fields(rest.substr(0, rest.find(',')));
  return words.empty() ? std::string_view{} : words.front();
}

Result<Size> size_line(std::string_view line, const std::string& file) {
  const long where = header_lines;
  std::string_view npts_text, dt_text;
  if (text::contains_nocase(line, "NPTS=")) {
    npts_text = after(line, "NPTS=");
    dt_text = after(line, "DT=");
  } else {
    const auto f = text::blank_fields(line);
    if (f.size() >= 2) npts_text = f[0], dt_text = f[1];
  }
  const auto npts = text::parse_int(npts_text);
  const auto dt = text::parse_real(dt_text);
  if (!npts || *npts <= 0)
    return Error{file, where, fmt::format("NPTS {} is not a positive whole number", text::quoted(npts_text))};
  if (!dt || *dt <= 0) return Error{file, where, fmt::format("DT {} is not a positive interval", text::quoted(dt_text))};
  return Size{*npts, *dt};
}

// "14383980, 7/29/2008, Anaheim - Lakeview & Riverdale, 90": the last field
// is the component, the one before it the station, the rest the event.
void names(Component& c, std::string_view line) {
  std::vector<std::string_view> parts;
  std::size_t from = 0;
  for (std::size_t comma; (comma = line.find(',', from)) != std::string_view::npos; from = comma + 1)
    parts.push_back(text::trim(line.substr(from, comma - from)));
  parts.push_back(text::trim(line.substr(from)));
  c.orientation = std::string(text::blank_fields(parts.back()).empty() ? "" : text::blank_fields(parts.back()).front());
  classify_orientation(c, c.orientation);
  if (parts.size() >= 2) c.station = std::string(parts[parts.size() - 2]);
  for (std::size_t i = 0; i + 2 < parts.size(); ++i) c.event += (i ? ", " : "") + std::string(parts[i]);
}

}  // namespace

Result<Components> read_at2(const Lines& lines, const std::string& file) {
  if (lines.size() < header_lines) return Error{file, 0, "the header ends before its NPTS, DT line"};
  if (!text::contains_nocase(lines[2], "UNITS OF G"))
    return Error{file, 3, fmt::format("expected acceleration in units of g, found {}", text::quoted(text::trim(lines[2])))};
  const auto size = size_line(lines[3], file);
  if (!size) return size.error();
  Component c;
  c.dt = size.value().dt;
  names(c, lines[1]);
  const auto st = text::read_free(lines, header_lines, static_cast<std::size_t>(size.value().npts), "NPTS", g_in_gal,
                                  c.samples, file);
  if (!st) return st.error();
  return one(std::move(c));
}

}  // namespace sitekit::records
