// Short plain decimals of the free-form read, by std::from_chars.
#include "textio/detail/shortdecimal.h"

#include <charconv>
#include <system_error>

namespace siteresp::textio {
namespace {

// The full reader takes exponents up to 8 digits; a longer one is an error.
constexpr std::size_t max_exponent_digits = 8;

std::size_t digit_run(std::string_view s, std::size_t i) {
  std::size_t n = 0;
  while (i + n < s.size() && is_digit(s[i + n])) ++n;
  return n;
}

std::size_t sign_length(std::string_view s, std::size_t i) {
  return i < s.size() && (s[i] == '+' || s[i] == '-') ? 1 : 0;
}

// Digits with at most one point, at least one digit and no more digits than
// the full reader keeps (past that it drops digits instead of rounding).
std::size_t mantissa_length(std::string_view s, std::size_t i, bool integer) {
  const std::size_t whole = digit_run(s, i);
  std::size_t n = whole, digits = whole;
  if (!integer && i + n < s.size() && s[i + n] == '.') {
    const std::size_t fraction = digit_run(s, i + n + 1);
    n += 1 + fraction;
    digits += fraction;
  }
  return digits >= 1 && digits <= static_cast<std::size_t>(max_significant) ? n : 0;
}

// «e» or «E», an optional sign and 1 to 8 digits; 0 for anything else, so
// that a letter without digits is left standing where a separator should be.
std::size_t exponent_length(std::string_view s, std::size_t i) {
  if (i >= s.size() || (s[i] != 'e' && s[i] != 'E')) return 0;
  const std::size_t sign = sign_length(s, i + 1);
  const std::size_t digits = digit_run(s, i + 1 + sign);
  return digits >= 1 && digits <= max_exponent_digits ? 1 + sign + digits : 0;
}

// Characters that end a number in the full reader and cannot continue it.
// A carriage return is one: get() hands it over, or its line end, just the
// same after either reader.
bool is_separator(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ',' || c == '/';
}

}  // namespace

std::size_t short_decimal_length(std::string_view text, bool integer) {
  std::size_t i = sign_length(text, 0);
  const std::size_t mantissa = mantissa_length(text, i, integer);
  if (mantissa == 0) return 0;
  i += mantissa;
  if (!integer) i += exponent_length(text, i);
  return i < text.size() && is_separator(text[i]) ? i : 0;
}

bool short_decimal_value(std::string_view field, double& value) {
  // from_chars takes no '+'; the sign is applied afterwards, which is exact.
  const bool negative = field.front() == '-';
  if (negative || field.front() == '+') field.remove_prefix(1);
  double v = 0.0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
  if (ec != std::errc{} || end != field.data() + field.size()) return false;
  value = negative ? -v : v;
  return true;
}

bool read_short_decimal(Cursor& cur, int c, bool integer, ListValue& v) {
  const std::string_view text = cur.buffered_from(c);
  const std::size_t len = short_decimal_length(text.substr(0, max_short_decimal), integer);
  double value = 0.0;
  if (len == 0 || !short_decimal_value(text.substr(0, len), value)) return false;
  cur.skip(len - 1);
  v.kind = ListValue::Kind::number;
  v.num = value;
  return true;
}

}  // namespace siteresp::textio
