// The free-form read statement and the fixed-width name read.
#include "textio/read.h"

#include <cstring>

#include "textio/diag.h"
#include "textio/detail/listchars.h"
#include "textio/detail/listnumber.h"
#include "textio/detail/listvalue.h"

namespace siteresp::textio {

void Cursor::fail(const char* context, const char* message) const {
  textio::fail(context, message, ch_.unit(), ch_.name());
}

namespace {

// State of one read, reset at its start.
struct ReadState {
  std::int64_t pending = 0;  // items still to receive the repeated value
  ListValue value;           // the value being stored (or repeated)
  bool slash = false;
};

// How the search for an item's value ended.
enum class Step { value, empty, slash, end, cut };

int skip_separators(Cursor& cur) {
  int c;
  do c = cur.get();
  while (is_blank(c) || c == '\n');
  return c;
}

Field parse_value(Cursor& cur, int c, Item::Kind kind, bool count_allowed, ListValue& v) {
  if (kind == Item::Kind::chars) return parse_chars(cur, c, count_allowed, v);
  return parse_number(cur, c, kind == Item::Kind::integer, count_allowed, v);
}

// The value after «r*»: empty when a separator follows the star.
Field value_after_count(Cursor& cur, Item::Kind kind, ListValue& v) {
  const int c = cur.get();
  if (ends_count_empty(c)) {
    cur.unget(c);
    v.kind = ListValue::Kind::empty;
    return {};
  }
  return parse_value(cur, c, kind, false, v);
}

Step read_field(Cursor& cur, const Item& item, ReadState& st) {
  const int c = skip_separators(cur);
  if (c == end_of_data) return Step::end;
  if (c == ',') return Step::empty;
  if (c == '/') {
    st.slash = true;
    return Step::slash;
  }
  Field f = parse_value(cur, c, item.kind, true, st.value);
  if (f.repeat > 0) {
    st.pending = f.repeat;
    f = value_after_count(cur, item.kind, st.value);
  }
  return f.cut_by_end ? Step::cut : Step::value;
}

// After a value: blanks and tabs go; so does one comma, unless the value
// is repeated into the next item, which must not lose its separator.
void finish_value(Cursor& cur, bool more_repeats) {
  int c;
  do c = cur.get();
  while (is_blank(c));
  if (c != ',' || more_repeats) cur.unget(c);
}

// Integers are truncated toward zero.  A value beyond the 32-bit range
// saturates at its limit instead of wrapping.
std::int32_t to_int32(double d) {
  if (d >= 2147483647.0) return INT32_MAX;
  if (d <= -2147483648.0) return INT32_MIN;
  return static_cast<std::int32_t>(d);
}

void store(const Item& item, const ListValue& v) {
  if (item.dest == nullptr) return;
  switch (item.kind) {
    case Item::Kind::integer:
      if (v.kind == ListValue::Kind::number) *static_cast<std::int32_t*>(item.dest) = to_int32(v.num);
      break;
    case Item::Kind::real:
      if (v.kind == ListValue::Kind::number) *static_cast<float*>(item.dest) = static_cast<float>(v.num);
      break;
    case Item::Kind::chars:
      if (v.kind == ListValue::Kind::chars && item.len > 0) {
        // The first L characters, or the whole value padded with blanks.
        char* dest = static_cast<char*>(item.dest);
        const int n = v.nchars < item.len ? v.nchars : item.len;
        std::memcpy(dest, v.text, static_cast<std::size_t>(n));
        std::memset(dest + n, ' ', static_cast<std::size_t>(item.len - n));
      }
      break;
  }
}

ReadResult met_end(const InChannel& ch, bool has_end_branch) {
  if (has_end_branch) return ReadResult::end;
  fail("list in", nullptr, ch.unit(), ch.name());
}

// The rest of the last line goes, line end included.  An end of the data
// met here completes a read without end branch; the next read then fails.
ReadResult end_of_read(InChannel& ch, Cursor& cur, bool has_end_branch) {
  if (ch.eof_mark()) return ReadResult::complete;
  int c;
  do c = cur.get();
  while (c != '\n' && c != end_of_data);
  return c == end_of_data && has_end_branch ? ReadResult::end : ReadResult::complete;
}

}  // namespace

ReadResult list_read(InChannel& ch, std::span<const Item> items, bool has_end_branch) {
  begin_statement(true, "list io");
  if (ch.eof_mark()) {
    if (has_end_branch) return ReadResult::end;
    fail("read start", nullptr, ch.unit(), ch.name());
  }
  Cursor cur(ch);
  ReadState st;
  for (const Item& item : items) {
    if (st.slash) break;
    if (cur.end_met()) return met_end(ch, has_end_branch);
    if (st.pending == 0) {
      const Step s = read_field(cur, item, st);
      if (s == Step::empty) continue;
      if (s == Step::slash) break;
      if (s == Step::end) return met_end(ch, has_end_branch);
      // A quoted value cut off by the end of the data ends the read at
      // once, without storing it and without a diagnostic.
      if (s == Step::cut) return has_end_branch ? ReadResult::end : ReadResult::complete;
    }
    finish_value(cur, st.pending > 1);
    store(item, st.value);
    if (st.pending > 0) --st.pending;
  }
  return end_of_read(ch, cur, has_end_branch);
}

void name_read(InChannel& ch, char (&name)[30]) {
  begin_statement(true, "(A20)");
  constexpr int field = 20;
  int n = 0;
  int c = ch.eof_mark() ? end_of_data : ch.get();
  for (; n < field && c != '\n'; c = ch.get()) {
    if (c == end_of_data) {
      ch.set_eof_mark();
      fail("fmt", nullptr, ch.unit(), ch.name());
    }
    name[n++] = static_cast<char>(c);
  }
  // A short line counts as blanks up to the field width; 10 blanks follow.
  std::memset(name + n, ' ', sizeof name - static_cast<std::size_t>(n));
  while (c != '\n' && c != end_of_data) c = ch.get();
  if (c == end_of_data) ch.set_eof_mark();
  end_formatted_statement();
}

}  // namespace siteresp::textio
