#pragma once
// Free-form (list-directed) output: texts, integers and reals appended to a
// record, with one leading blank per record and a break before column 80.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "textio/recbuf.h"
#include "textio/record.h"

namespace siteresp::textio {

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
