#include "cli/shaping.h"

#include <fmt/format.h>

#include <charconv>
#include <cmath>
#include <vector>

#include "cli/diagnostic.h"

namespace sitekit::cli {

std::string_view shaping_name(Shaping s) {
  switch (s) {
    case Shaping::integrate: return "integrate";
    case Shaping::differentiate: return "differentiate";
    default: return "none";
  }
}

namespace {

std::vector<std::string> split_edges(std::string_view text) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == ',' || c == ';') parts.emplace_back();
    else if (c != ' ' && c != '\t') parts.back() += c;
  }
  return parts;
}

bool plain_number(const std::string& s, double& out) {
  if (s.empty()) return false;
  const char* first = s.data() + (s[0] == '+' ? 1 : 0);
  const char* last = s.data() + s.size();
  auto [end, ec] = std::from_chars(first, last, out, std::chars_format::general);
  return ec == std::errc() && end == last && std::isfinite(out);
}

}  // namespace

Band parse_band(std::string_view text, const std::string& where, long line) {
  const std::string bad =
      fmt::format("expected four numbers fL1<fL2<fH1<fH2, got \"{}\"", text);
  const std::vector<std::string> parts = split_edges(text);
  if (parts.size() != 4) fail_usage({where, line, bad});
  Band band;
  for (int i = 0; i < 4; ++i) {
    if (!plain_number(parts[i], band.hz[i]) || band.hz[i] < 0) fail_usage({where, line, bad});
    band.text[i] = parts[i];
  }
  // The dialogue would pass nothing at all: every output sample zero.
  if (band.hz[3] <= band.hz[0]) fail_usage({where, line, bad});
  return band;
}

std::string band_order_warning(const Band& b) {
  const auto& f = b.hz;
  if (f[0] < f[1] && f[1] < f[2] && f[2] < f[3]) return {};
  return fmt::format(
      "band edges {},{},{},{} are not in the order fL1<fL2<fH1<fH2; "
      "the filter is applied as given",
      b.text[0], b.text[1], b.text[2], b.text[3]);
}

std::string dialogue_answers(Shaping shaping, const std::optional<Band>& band) {
  std::string a = fmt::format("{}\n{}\n", static_cast<int>(shaping), band ? 1 : 0);
  if (band)
    a += fmt::format("{},{},{},{}\n", band->text[0], band->text[1], band->text[2], band->text[3]);
  return a;
}

}  // namespace sitekit::cli
