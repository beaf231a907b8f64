#pragma once
// Writing records, the two kinds of write statement:
//
// Free-form (list-directed) output: texts, integers and reals appended to a
// record, with one leading blank per record and a break before column 80.
//
// Format-directed output: a format such as "(F8.4,6(',',E12.4))" is parsed
// into a program of edit items (at compile time for a literal); writing
// applies it to a list of values.  Items understood: 'text' (also "text"; a
// doubled quote stands for one), nX, /, n( ... ) nested to any depth up to
// max_depth, and [n]Iw, [n]Fw.d, [n]Ew.d.  Blanks outside texts are ignored,
// letters may be of either case, and the commas between items are optional.
// A format made at run time that is not such a format is kept as invalid:
// valid() is false and a write with it writes one empty record.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "textio/detail/recbuf.h"
#include "textio/record.h"

namespace siteresp::textio {

struct Value {
  enum class Kind { integer, real } kind;
  std::int32_t i = 0;
  float r = 0.0f;
  Value() : kind(Kind::real) {}
  Value(std::int32_t v) : kind(Kind::integer), i(v) {}
  Value(float v) : kind(Kind::real), r(v) {}
};

class FormatParser;

class Format {
public:
  // A format written as a literal is parsed while the program compiles; one
  // that cannot be parsed is a compile-time error (a call of
  // format_cannot_be_parsed).  The text is also what a diagnostic shows as
  // the last format.
  consteval explicit Format(const char* text);
  // A format made while the program runs (the tests build some): valid()
  // says whether it parsed.  `text` must outlive the Format.
  static constexpr Format from_text(const char* text);

  constexpr const char* text() const { return text_; }
  constexpr bool valid() const { return valid_; }

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

  constexpr const Op* ops() const { return ops_; }
  constexpr int nops() const { return nops_; }
  constexpr const char* literals() const { return literals_; }
  // Where the format starts again when values are left at its end: the last
  // explicit group at the outer level if it holds a data descriptor, else 0.
  constexpr int reversion() const { return reversion_; }
  constexpr bool has_data() const { return has_data_; }

private:
  friend class FormatParser;
  struct Parse {};
  constexpr Format(const char* text, Parse);

  const char* text_;
  Op ops_[max_ops] = {};
  int nops_ = 0;
  char literals_[max_literal] = {};
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

#include "textio/detail/format_parser.h"

namespace siteresp::textio {

// Called only while a literal format is parsed at compile time, and only
// when it cannot be parsed: not being constexpr, it stops the compilation
// there.
inline void format_cannot_be_parsed() {}

constexpr Format::Format(const char* text, Parse) : text_(text) {
  valid_ = FormatParser(*this).run();
  if (!valid_) {
    nops_ = 0;
    reversion_ = 0;
    has_data_ = false;
  }
}

consteval Format::Format(const char* text) : Format(text, Parse{}) {
  if (!valid_) format_cannot_be_parsed();
}

constexpr Format Format::from_text(const char* text) { return Format(text, Parse{}); }

// One free-form write statement.  Usage:
//   ListWriter(console_out()).text(" IF1,NF=").integer(if1).integer(nf).end();
// A statement without items writes an empty line.
//
// Items: a text as it stands, with one blank before it only when it is the
// first thing in its record; an integer as " 5" or " -12"; a real as
// edit_free_real writes it.  Before an item goes in, its counted length (the
// whole text, the whole real form, only the digits of an integer) is added
// to the record's length; at 80 or more a nonempty record is ended first.
class ListWriter {
public:
  static constexpr std::size_t line_length = 80;

  explicit ListWriter(RecordSink& out);
  ListWriter(const ListWriter&) = delete;
  ListWriter& operator=(const ListWriter&) = delete;

  ListWriter& text(std::string_view s);
  ListWriter& integer(std::int32_t v);
  ListWriter& real(float v);
  // Ends the statement: the current record is written.
  void end();

private:
  void append(const char* p, std::size_t n, std::size_t counted, bool is_text);
  void flush_record();

  RecordSink& out_;
  RecordBuffer rec_;
};

}  // namespace siteresp::textio
