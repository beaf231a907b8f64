#pragma once
// The pieces one free-form read passes between its parsers: the character
// source with its end-of-data record, and the value of one field.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "textio/channel.h"
#include "textio/read.h"

namespace siteresp::textio {

// Characters of one read.  Meeting the end of the data sets the channel's
// end-of-file mark at once and is remembered for the rest of the read.
class Cursor {
public:
  explicit Cursor(InChannel& ch) : ch_(ch) {}
  int get() {
    const int c = ch_.get();
    if (c == end_of_data) {
      end_met_ = true;
      ch_.set_eof_mark();
    }
    return c;
  }
  void unget(int c) { ch_.unget(c); }
  std::string_view buffered_from(int c) const { return ch_.buffered_from(c); }
  void skip(std::size_t n) { ch_.skip(n); }
  bool end_met() const { return end_met_; }
  [[noreturn]] void fail(const char* context, const char* message) const;

private:
  InChannel& ch_;
  bool end_met_ = false;
};

// A value as read, before it is stored into an item.  A character value
// keeps only its first max_chars_item characters: no item can take more, so
// a value of any length (a megabyte-long quoted label) needs no further
// memory.  That is also why "no space: out of free space" cannot happen.
struct ListValue {
  enum class Kind { empty, number, chars };
  Kind kind = Kind::empty;
  double num = 0.0;
  int nchars = 0;
  char text[max_chars_item];

  void append(int c) {
    if (nchars < max_chars_item) text[nchars++] = static_cast<char>(c);
  }
};

// What a value field turned out to be besides its value.
struct Field {
  std::int64_t repeat = 0;   // r of «r*v» or «r*», 0 for a plain value
  bool cut_by_end = false;   // a quoted value broken off by the end of the data
};

// Blanks and tabs separate values on a line.
inline bool is_blank(int c) { return c == ' ' || c == '\t'; }
inline bool is_digit(int c) { return c >= '0' && c <= '9'; }

// Characters after «r*» that make the repeated value empty.
inline bool ends_count_empty(int c) {
  return is_blank(c) || c == '\n' || c == ',' || c == '/' || c == end_of_data;
}

// Only the first 40 significant digits of a number or a count are kept.
inline constexpr int max_significant = 40;

}  // namespace siteresp::textio
