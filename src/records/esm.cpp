// ESM ASCII: "KEY: value" header lines (SAMPLING_INTERVAL_S, NDATA, UNITS,
// STREAM, STATION_CODE, EVENT_NAME ...), then one sample per line.
#include <fmt/format.h>

#include "orientation.h"
#include "readers.h"
#include "text.h"

namespace sitekit::records {

namespace {

constexpr double g_in_gal = 980.665;

struct Header {
  std::vector<std::pair<std::string_view, std::string_view>> keys;
  std::vector<long> lines;
  std::size_t end = 0;  // first data line
};

Header header(const Lines& lines) {
  Header h;
  for (; h.end < lines.size(); ++h.end) {
    const std::size_t colon = lines[h.end].find(':');
    if (colon == std::string_view::npos) break;
    h.keys.emplace_back(text::trim(lines[h.end].substr(0, colon)), text::trim(lines[h.end].substr(colon + 1)));
    h.lines.push_back(static_cast<long>(h.end + 1));
  }
  return h;
}

std::pair<std::string_view, long> find(const Header& h, std::string_view key) {
  for (std::size_t i = 0; i < h.keys.size(); ++i)
    if (text::upper(h.keys[i].first) == key) return {h.keys[i].second, h.lines[i]};
  return {{}, 0};
}

Result<double> units_factor(const Header& h, const std::string& file) {
  const auto [u, line] = find(h, "UNITS");
  const std::string uu = text::upper(u);
  if (uu == "CM/S^2" || uu == "CM/S2" || uu == "CM/SEC^2" || uu == "GAL") return 1.0;
  if (uu == "M/S^2" || uu == "M/S2") return 100.0;
  if (uu == "G") return g_in_gal;
  return Error{file, line, fmt::format("UNITS {} are not an acceleration sitekit knows", text::quoted(u))};
}

// The last letter of the stream (HNE, HGN, HNZ): N, E, Z; 1, 2 for
// horizontals of unstated azimuth; 3 up.
void orient(Component& c, std::string_view stream) {
  c.orientation = std::string(stream);
  const char last = stream.empty() ? ' ' : stream.back();
  const std::string_view word = last == 'N' ? "N" : last == 'E' ? "E" : (last == 'Z' || last == '3') ? "Z" : "";
  classify_orientation(c, word);
}

}  // namespace

Result<Components> read_esm(const Lines& lines, const std::string& file) {
  const Header h = header(lines);
  const auto [dt_text, dt_line] = find(h, "SAMPLING_INTERVAL_S");
  const auto [n_text, n_line] = find(h, "NDATA");
  if (dt_line == 0) return Error{file, 0, "the header has no SAMPLING_INTERVAL_S"};
  if (n_line == 0) return Error{file, 0, "the header has no NDATA"};
  const auto dt = text::parse_real(dt_text);
  const auto n = text::parse_int(n_text);
  if (!dt || *dt <= 0) return Error{file, dt_line, fmt::format("SAMPLING_INTERVAL_S {} is not a positive interval", text::quoted(dt_text))};
  if (!n || *n <= 0) return Error{file, n_line, fmt::format("NDATA {} is not a positive whole number", text::quoted(n_text))};
  const auto factor = units_factor(h, file);
  if (!factor) return factor.error();
  Component c;
  c.dt = *dt;
  orient(c, find(h, "STREAM").first);
  c.station = std::string(find(h, "STATION_CODE").first);
  c.event = std::string(find(h, "EVENT_NAME").first);
  const auto st = text::read_free(lines, h.end, static_cast<std::size_t>(*n), "NDATA", factor.value(), c.samples, file);
  if (!st) return st.error();
  return one(std::move(c));
}

}  // namespace sitekit::records
