#pragma once
// Free-form (list-directed) reading of value lists, and the fixed-width
// 20-character name read.
#include <cstdint>
#include <span>

#include "textio/channel.h"

namespace siteresp::textio {

// Longest character item a read may fill.
inline constexpr int max_chars_item = 256;

struct Item {
  enum class Kind { integer, real, chars };
  Kind kind;
  void* dest;
  int len;  // characters, for Kind::chars only (1..max_chars_item)

  static Item of(std::int32_t& v) { return {Kind::integer, &v, 0}; }
  static Item of(float& v) { return {Kind::real, &v, 0}; }
  static Item chars(char* dest, int len) { return {Kind::chars, dest, len}; }
};

enum class ReadResult { complete, end };

// One free-form read statement on `ch`: fills the items in order, then
// discards the rest of its last line.  Items that receive an empty value, or
// that the read does not reach, keep their content.  Meeting the end of the
// data returns ReadResult::end when the read has an end branch; without one
// it ends the run with the end-of-file diagnostic, except that an end met
// only while discarding the rest of the last line completes the read (the
// next read then fails at "read start").  A quoted value cut off by the end
// of the data ends the read at once, with no diagnostic, and is not stored
// (ReadResult::end with an end branch, complete without).  Malformed numbers
// end the run.
ReadResult list_read(InChannel& ch, std::span<const Item> items, bool has_end_branch);

// Reads one console line as a 20-character field into `name`: the first 20
// characters (blanks for a short line), then 10 blanks; the rest of the line
// is discarded.  The end of the data inside the field ends the run with
// "fmt: end of file".
void name_read(InChannel& ch, char (&name)[30]);

}  // namespace siteresp::textio
