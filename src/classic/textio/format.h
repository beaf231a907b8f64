#pragma once
// Format-directed output: a format such as "(F8.4,6(',',E12.4))" is parsed
// once into a program of edit items; writing applies it to a list of values.
//
// Items understood: 'text' (also "text"; a doubled quote stands for one), nX,
// /, n( ... ) nested to any depth up to max_depth, and [n]Iw, [n]Fw.d, [n]Ew.d.
// Blanks outside texts are ignored, letters may be of either case, and the
// commas between items are optional.  A text that is not such a format is
// kept as invalid: valid() is false and a write with it writes one empty
// record.
#include <cstdint>
#include <span>

#include "textio/record.h"

namespace siteresp::textio {

struct Value {
  enum class Kind { integer, real } kind;
  std::int32_t i = 0;
  float r = 0.0f;
  Value(std::int32_t v) : kind(Kind::integer), i(v) {}
  Value(float v) : kind(Kind::real), r(v) {}
};

class Format {
public:
  // `text` must outlive the Format (a string literal); it is also what a
  // diagnostic shows as the last format.
  explicit Format(const char* text);
  const char* text() const { return text_; }
  bool valid() const { return valid_; }

  // The parsed program.  A group is group_begin .. group_end, each holding
  // the index of the other; a repeat count on a data descriptor becomes a
  // group of its own.
  struct Op {
    enum class Kind { literal, skip, slash, group_begin, group_end, i, f, e } kind;
    int a = 0;          // width, skip count, group repeat, literal offset
    int b = 0;          // decimals, literal length, matching index
  };
  static constexpr int max_ops = 64;
  static constexpr int max_literal = 512;
  static constexpr int max_depth = 8;
  // Largest count or width accepted; keeps every position computation small.
  static constexpr int max_number = 9999;

  const Op* ops() const { return ops_; }
  int nops() const { return nops_; }
  const char* literals() const { return literals_; }
  // Where the format starts again when values are left at its end: the last
  // explicit group at the outer level if it holds a data descriptor, else 0.
  int reversion() const { return reversion_; }
  bool has_data() const { return has_data_; }

private:
  friend class FormatParser;

  const char* text_;
  Op ops_[max_ops];
  int nops_ = 0;
  char literals_[max_literal];
  int nliteral_ = 0;
  int reversion_ = 0;
  bool has_data_ = false;
  bool valid_ = false;
};

// One format-directed write statement: one or more records to `out`.
//
// Each value goes to the next data descriptor reached.  After the last value
// the texts, nX and / up to the next data descriptor or the end of the format
// are still performed, then the record ends.  Values left over at the end of
// the format start a new record and the format again from reversion(); a
// format without data descriptors drops them.  A value whose kind does not
// match its descriptor (an integer for F or E, a real for I) fills the field
// with asterisks.
void write_formatted(RecordSink& out, const Format& fmt, std::span<const Value> values);

}  // namespace siteresp::textio
