#pragma once
// Free-form (list-directed) output: texts, integers and reals appended to a
// record, with one leading blank per record and a break before column 80.
#include <cstdint>
#include <string_view>

#include "textio/record.h"

namespace siteresp::textio {

// One free-form write statement.  Usage:
//   ListWriter(console_out()).text(" IF1,NF=").integer(if1).integer(nf).end();
// A statement without items writes an empty line.
class ListWriter {
public:
  explicit ListWriter(RecordSink& out);
  ListWriter(const ListWriter&) = delete;
  ListWriter& operator=(const ListWriter&) = delete;

  ListWriter& text(std::string_view s);
  ListWriter& integer(std::int32_t v);
  ListWriter& real(float v);
  // Ends the statement: the current record is written.
  void end();

private:
  void append(const char* p, int n, int counted);
  void flush_record();

  RecordSink& out_;
};

}  // namespace siteresp::textio
