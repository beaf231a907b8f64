// Recognising a record format from the marks its first lines carry; the
// file name plays no part.
#include <algorithm>

#include "read.h"
#include "readers.h"
#include "text.h"

namespace sitekit::records {

namespace {

using text::contains_nocase;
using text::starts_with_nocase;

bool any_of_first(const Lines& lines, std::size_t n, std::string_view mark) {
  const std::size_t m = std::min(n, lines.size());
  for (std::size_t i = 0; i < m; ++i)
    if (contains_nocase(lines[i], mark)) return true;
  return false;
}

// A heading of labels, then a line that starts with a number.
bool looks_like_wave(const Lines& lines) {
  std::size_t i = 0;
  while (i < lines.size() && text::trim(lines[i]).empty()) ++i;
  for (++i; i < lines.size() && i < 64; ++i) {
    const std::string_view t = text::trim(lines[i]);
    if (t.empty()) continue;
    const std::size_t end = t.find_first_of(", \t");
    return text::parse_real(t.substr(0, end)).has_value();
  }
  return false;
}

}  // namespace

Format detect_lines(const Lines& lines) {
  if (lines.empty()) return Format::automatic;
  const std::string_view first = lines[0];
  if (starts_with_nocase(first, "Origin Time") && any_of_first(lines, 20, "Scale Factor")) return Format::knet;
  if (contains_nocase(first, "(Format v") && contains_nocase(first, "text lines")) return Format::cosmos;
  if (any_of_first(lines, 4, "NPTS") && any_of_first(lines, 3, "UNITS OF G")) return Format::at2;
  if (contains_nocase(first, "ACCELEROGRAM") && !text::trim(first).empty() && text::trim(first)[0] >= '0' &&
      text::trim(first)[0] <= '9')
    return Format::smc;
  if (any_of_first(lines, 80, "points of accel data")) return Format::csmip;
  if (any_of_first(lines, 80, "SAMPLING_INTERVAL_S:") && any_of_first(lines, 80, "NDATA:")) return Format::esm;
  if (looks_like_wave(lines)) return Format::wave;
  return Format::automatic;
}

Format detect(std::string_view content) {
  // The marks are all near the top: do not split a whole large file.
  const std::size_t head = std::min(content.size(), detect_head_bytes);
  const Lines lines = text::split_lines(content.substr(0, head));
  return detect_lines(lines);
}

}  // namespace sitekit::records
