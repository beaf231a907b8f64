#pragma once
// The record being composed by a write statement.
//
// A fixed block inside the object serves every ordinary record (the program's
// longest is under 100 characters).  A record that outgrows it moves to a
// heap block at least twice as large, which is kept for the records that
// follow, so steady output allocates nothing.  Memory that cannot be had ends
// the run with "malloc failure: out of free space".
#include <cstddef>
#include <memory>

#include "textio/record.h"

namespace siteresp::textio {

class RecordBuffer {
public:
  static constexpr std::size_t fixed_capacity = 256;

  RecordBuffer() = default;
  RecordBuffer(const RecordBuffer&) = delete;
  RecordBuffer& operator=(const RecordBuffer&) = delete;

  std::size_t size() const { return len_; }
  bool empty() const { return len_ == 0; }

  // Returns w writable columns starting at column `pos` (0-based); columns
  // between the current end and `pos` become blanks, and the record is at
  // least pos + w long afterwards.
  char* field(std::size_t pos, std::size_t w, const RecordSink& out);
  void append(const char* s, std::size_t n, const RecordSink& out);

  // Hands the record to `out` and starts an empty one.
  void put(RecordSink& out);

private:
  void reserve(std::size_t n, const RecordSink& out);

  char fixed_[fixed_capacity];
  std::unique_ptr<char[]> heap_;
  char* p_ = fixed_;
  std::size_t cap_ = fixed_capacity;
  std::size_t len_ = 0;
};

}  // namespace siteresp::textio
