#pragma once
// Writes the page's data as JSON that is safe inside an HTML <script>
// element: every '<', '>', '&' and the two JavaScript line separators are
// written as \u escapes, so no string from a file (a record named
// "</script><script>alert(1)" for example) can end the element or start
// markup.  Long number series go out as base64 of little-endian float32,
// which the page's script turns back into Float32Array: 5.3 characters a
// value instead of the 10 to 14 of a decimal.
#include <span>
#include <string>
#include <string_view>

namespace sitekit::report {

class JsonWriter {
 public:
  void begin_object();
  void end_object();
  void begin_array();
  void end_array();
  void key(std::string_view name);
  void string(std::string_view text);
  // A finite number in its shortest round-trip form; NaN and infinities
  // become null.
  void number(double value);
  void null();
  // The series as a base64 string of float32 values; NaN stays NaN.
  void floats(std::span<const double> values);
  const std::string& text() const { return out_; }

 private:
  void separate();
  // A bracket that opens or closes an object or an array.
  void open(char bracket);
  void close(char bracket);
  std::string out_;
  bool first_ = true;   // no comma before the next element
};

// base64 (RFC 4648, with padding) of `bytes`.
std::string base64(std::string_view bytes);

// `text` with &, <, >, " and ' replaced by character references, for text
// put directly into HTML markup.
std::string html_escape(std::string_view text);

}  // namespace sitekit::report
