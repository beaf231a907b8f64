#pragma once
// Where composed output records go.  A record is one line without its
// terminator; the sink appends the line end.
#include <cstddef>

namespace siteresp::textio {

class RecordSink {
public:
  virtual ~RecordSink() = default;
  // Hands over one complete record (n bytes, no line end).
  virtual void put_record(const char* p, std::size_t n) = 0;
  // Channel number for diagnostics.
  virtual int unit() const = 0;
};

}  // namespace siteresp::textio
