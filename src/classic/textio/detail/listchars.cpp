// Character fields of the free-form read.
#include "textio/detail/listchars.h"

#include <cstdint>

namespace siteresp::textio {
namespace {

bool ends_unquoted(int c) {
  return is_blank(c) || c == '\n' || c == ',' || c == '/' || c == end_of_data;
}

// The digits seen so far while they could still be a repeat count.
struct CountDigits {
  bool only_digits = true;
  int nsig = 0;
  std::int64_t value = 0;

  void add(int c) {
    if (!is_digit(c)) {
      only_digits = false;
      return;
    }
    if (nsig == 0 && c == '0') return;
    ++nsig;
    if (value < INT32_MAX) value = value * 10 + (c - '0');
  }
};

}  // namespace

bool parse_quoted(Cursor& cur, int quote, ListValue& v) {
  v.kind = ListValue::Kind::chars;
  v.nchars = 0;
  for (;;) {
    int c = cur.get();
    if (c == end_of_data) return false;
    if (c == quote) {
      c = cur.get();
      if (c != quote) {  // not a doubled quote: the value is complete
        cur.unget(c);
        return true;
      }
    } else if (c == '\n') {
      continue;  // the value goes on on the next line
    } else if (c == '\\') {
      const int next = cur.get();
      if (next == '\n') {
        c = '\n';  // a backslash before the line end keeps a line feed
      } else {
        cur.unget(next);
      }
    }
    v.append(c);
  }
}

Field parse_unquoted(Cursor& cur, int c, bool count_allowed, ListValue& v) {
  v.kind = ListValue::Kind::chars;
  v.nchars = 0;
  CountDigits count;
  bool first = true;
  for (; !ends_unquoted(c); c = cur.get(), first = false) {
    if (c == '*' && count_allowed && !first && count.only_digits && count.value > 0) {
      if (count.nsig > max_significant) {
        cur.fail("bad repetition count", "incomprehensible list input");
      }
      v.nchars = 0;
      return {count.value < INT32_MAX ? count.value : INT32_MAX, false};
    }
    count.add(c);
    v.append(c);
  }
  cur.unget(c);
  return {};
}

Field parse_chars(Cursor& cur, int c, bool count_allowed, ListValue& v) {
  if (c == '\'' || c == '"') return {0, !parse_quoted(cur, c, v)};
  return parse_unquoted(cur, c, count_allowed, v);
}

}  // namespace siteresp::textio
