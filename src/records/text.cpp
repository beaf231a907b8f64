// Lines, fields and numbers of record files.
#include "text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <cmath>

#include <fmt/format.h>

namespace sitekit::records::text {

std::vector<std::string_view> split_lines(std::string_view content) {
  std::vector<std::string_view> lines;
  lines.reserve(content.size() / 64 + 1);
  LineReader reader(content);
  for (std::string_view line; reader.next(line);) lines.push_back(line);
  return lines;
}

bool LineReader::next(std::string_view& line) {
  if (rest_.empty()) return false;
  const std::size_t end = rest_.find('\n');
  line = rest_.substr(0, end);
  rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  ++number_;
  return true;
}

namespace {
bool blank(char c) { return c == ' ' || c == '\t'; }
char up(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool digit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::string_view trim(std::string_view s) {
  while (!s.empty() && (blank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (blank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool starts_with_nocase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (up(s[i]) != up(prefix[i])) return false;
  return true;
}

bool contains_nocase(std::string_view s, std::string_view needle) {
  if (needle.size() > s.size()) return false;
  for (std::size_t i = 0; i + needle.size() <= s.size(); ++i)
    if (starts_with_nocase(s.substr(i), needle)) return true;
  return false;
}

std::string upper(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = up(c);
  return r;
}

std::vector<std::string_view> blank_fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (blank(line[i]) || line[i] == '\r')) ++i;
    const std::size_t from = i;
    while (i < line.size() && !blank(line[i]) && line[i] != '\r') ++i;
    if (i > from) fields.push_back(line.substr(from, i - from));
  }
  return fields;
}

namespace {

// Checks the shape of a real and rewrites it for from_chars: no leading
// "+", exponent letter "e", a bare signed exponent given its letter.
bool normalise_real(std::string_view s, char* buf, std::size_t cap, std::size_t& len) {
  len = 0;
  std::size_t i = 0;
  auto put = [&](char c) {
    if (len + 1 >= cap) return false;
    buf[len++] = c;
    return true;
  };
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-' && !put('-')) return false;
    ++i;
  }
  std::size_t digits = 0;
  bool point = false;
  for (; i < s.size() && (digit(s[i]) || (s[i] == '.' && !point)); ++i) {
    if (s[i] == '.') point = true; else ++digits;
    if (!put(s[i])) return false;
  }
  if (digits == 0) return false;
  if (i == s.size()) return true;
  const char c = s[i];
  if (c == 'E' || c == 'e' || c == 'D' || c == 'd') ++i;
  else if (c != '+' && c != '-') return false;
  if (!put('e')) return false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (!put(s[i])) return false;
    ++i;
  }
  if (i == s.size()) return false;
  for (; i < s.size(); ++i)
    if (!digit(s[i]) || !put(s[i])) return false;
  return true;
}

}  // namespace

std::optional<double> parse_real(std::string_view field) {
  field = trim(field);
  // Most samples are plain decimals, which from_chars takes as they are.
  if (!field.empty() && field.size() < 64 && (digit(field[0]) || (field[0] == '-' && field.size() > 1 && digit(field[1])))) {
    double v = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v, std::chars_format::fixed);
    if (ec == std::errc() && end == field.data() + field.size()) return v;
  }
  char buf[128];
  std::size_t len = 0;
  if (field.empty() || !normalise_real(field, buf, sizeof buf, len)) return std::nullopt;
  double v = 0;
  const auto [end, ec] = std::from_chars(buf, buf + len, v);
  if (ec != std::errc() || end != buf + len || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<long long> parse_int(std::string_view field) {
  field = trim(field);
  const bool plus = !field.empty() && field.front() == '+';
  if (plus) field.remove_prefix(1);
  if (field.empty() || field.front() == '+' || (plus && field.front() == '-')) return std::nullopt;
  long long v = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
  if (ec != std::errc() || end != field.data() + field.size()) return std::nullopt;
  return v;
}

std::string quoted(std::string_view field) {
  std::string r = "\"";
  std::size_t shown = 0;
  for (char c : field) {
    if (++shown > 40) {
      r += "...";
      break;
    }
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7f && c != '"' && c != '\\') r += c;
    else r += fmt::format("\\x{:02X}", u);
  }
  return r + "\"";
}

Error not_a_number(const std::string& file, long line, std::size_t field, std::string_view text) {
  if (trim(text).empty()) return Error{file, line, fmt::format("field {} is empty", field)};
  return Error{file, line, fmt::format("field {}: {} is not a number", field, quoted(trim(text)))};
}

Error not_whole(const std::string& file, long line, std::size_t field, std::string_view text) {
  return Error{file, line, fmt::format("field {}: {} is not a whole number", field, quoted(trim(text)))};
}

Result<std::size_t> read_fixed(const std::vector<std::string_view>& lines, std::size_t first, std::size_t count,
                               std::size_t per_line, std::size_t width, std::vector<double>& out,
                               const std::string& file, std::string_view what) {
  out.clear();
  if (per_line == 0 || width == 0) return Error{file, static_cast<long>(first), "bad layout of the samples"};
  // A lying count cannot make us allocate more than the file could hold.
  const std::size_t room = (lines.size() > first ? lines.size() - first : 0) * per_line;
  out.reserve(std::min(count, room));
  std::size_t at = first;
  while (out.size() < count) {
    if (at >= lines.size())
      return Error{file, static_cast<long>(lines.size()),
                   fmt::format("the file ends after {} of {} {}", out.size(), count, what)};
    const std::string_view line = lines[at];
    const std::size_t on_line = std::min(per_line, count - out.size());
    for (std::size_t k = 0; k < on_line; ++k) {
      const std::size_t from = k * width;
      const std::string_view f = from < line.size() ? line.substr(from, width) : std::string_view{};
      const auto v = parse_real(f);
      if (!v) return not_a_number(file, static_cast<long>(at + 1), k + 1, f);
      out.push_back(*v);
    }
    ++at;
  }
  return at;
}

Status read_free(const std::vector<std::string_view>& lines, std::size_t first, std::size_t count,
                 std::string_view count_name, double factor, std::vector<double>& out, const std::string& file) {
  out.clear();
  // A lying count cannot make us allocate more than the file could hold.
  out.reserve(std::min(count, (lines.size() > first ? lines.size() - first : 0) * 8));
  for (std::size_t i = first; i < lines.size(); ++i) {
    std::size_t k = 0;
    for (std::string_view f : blank_fields(lines[i])) {
      ++k;
      const auto v = parse_real(f);
      if (!v) return not_a_number(file, static_cast<long>(i + 1), k, f);
      if (out.size() == count)
        return Error{file, static_cast<long>(i + 1), fmt::format("more samples than {} = {}", count_name, count)};
      out.push_back(*v * factor);
    }
  }
  if (out.size() < count)
    return Error{file, static_cast<long>(lines.size()),
                 fmt::format("the file ends after {} of {} = {} samples", out.size(), count_name, count)};
  return done();
}

std::optional<FixedLayout> parse_layout(std::string_view fmt) {
  fmt = trim(fmt);
  if (!fmt.empty() && fmt.front() == '(') fmt.remove_prefix(1);
  if (!fmt.empty() && fmt.back() == ')') fmt.remove_suffix(1);
  fmt = trim(fmt);
  std::size_t i = 0;
  std::size_t n = 0;
  while (i < fmt.size() && digit(fmt[i])) n = n * 10 + static_cast<std::size_t>(fmt[i++] - '0');
  if (i == 0) n = 1;
  if (i >= fmt.size() || !std::strchr("EeFfIiGgDd", fmt[i])) return std::nullopt;
  ++i;
  std::size_t w = 0;
  const std::size_t w0 = i;
  while (i < fmt.size() && digit(fmt[i]) && w < 1000) w = w * 10 + static_cast<std::size_t>(fmt[i++] - '0');
  if (i == w0 || w == 0 || w >= 1000 || n == 0 || n > 1000) return std::nullopt;
  if (i < fmt.size() && fmt[i] == '.') {
    ++i;
    while (i < fmt.size() && digit(fmt[i])) ++i;
  }
  if (i != fmt.size()) return std::nullopt;
  return FixedLayout{n, w};
}

std::optional<long long> whole(double v) {
  if (!(std::fabs(v) <= 1e15) || v != std::floor(v)) return std::nullopt;
  return static_cast<long long>(v);
}

std::optional<long long> first_int(std::string_view s, std::size_t* end) {
  std::size_t i = 0;
  while (i < s.size() && !digit(s[i])) ++i;
  if (i == s.size()) return std::nullopt;
  std::size_t j = i;
  while (j < s.size() && digit(s[j])) ++j;
  if (end) *end = j;
  return parse_int(s.substr(i, std::min<std::size_t>(j - i, 18)));
}

}  // namespace sitekit::records::text
