#include "report/json_writer.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace sitekit::report {

void JsonWriter::separate() {
  if (!first_) out_ += ',';
  first_ = false;
}

void JsonWriter::open(char bracket) {
  separate();
  out_ += bracket;
  first_ = true;
}

void JsonWriter::close(char bracket) {
  out_ += bracket;
  first_ = false;
}

void JsonWriter::begin_object() { open('{'); }
void JsonWriter::end_object() { close('}'); }
void JsonWriter::begin_array() { open('['); }
void JsonWriter::end_array() { close(']'); }

void JsonWriter::key(std::string_view name) {
  string(name);
  out_ += ':';
  first_ = true;
}

void JsonWriter::string(std::string_view text) {
  separate();
  out_ += '"';
  static const char hex[] = "0123456789abcdef";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    // U+2028 and U+2029 (E2 80 A8/A9) end a line in older JavaScript.
    const bool separator = c == 0xE2 && i + 2 < text.size() &&
                           static_cast<unsigned char>(text[i + 1]) == 0x80 &&
                           (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xA8;
    if (separator) {
      out_ += (static_cast<unsigned char>(text[i + 2]) == 0xA8) ? "\\u2028" : "\\u2029";
      i += 2;
    } else if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += static_cast<char>(c);
    } else if (c < 0x20 || c == '<' || c == '>' || c == '&' || c == 0x7F) {
      out_ += "\\u00";
      out_ += hex[c >> 4];
      out_ += hex[c & 15];
    } else {
      out_ += static_cast<char>(c);
    }
  }
  out_ += '"';
}

void JsonWriter::number(double value) {
  if (!std::isfinite(value)) return null();
  separate();
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  out_.append(buf, res.ptr);
}

void JsonWriter::null() {
  separate();
  out_ += "null";
}

void JsonWriter::floats(std::span<const double> values) {
  std::string bytes(values.size() * 4, '\0');
  for (std::size_t i = 0; i < values.size(); ++i) {
    auto u = std::bit_cast<std::uint32_t>(static_cast<float>(values[i]));
    for (int b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<char>((u >> (8 * b)) & 0xFF);
  }
  separate();
  out_ += '"';
  out_ += base64(bytes);
  out_ += '"';
}

std::string base64(std::string_view bytes) {
  static const char alphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const std::uint32_t v = (static_cast<unsigned char>(bytes[i]) << 16) |
                            (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                            static_cast<unsigned char>(bytes[i + 2]);
    out += alphabet[v >> 18];
    out += alphabet[(v >> 12) & 63];
    out += alphabet[(v >> 6) & 63];
    out += alphabet[v & 63];
  }
  const std::size_t rest = bytes.size() - i;
  if (rest > 0) {
    std::uint32_t v = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += alphabet[v >> 18];
    out += alphabet[(v >> 12) & 63];
    out += rest == 2 ? alphabet[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string html_escape(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace sitekit::report
