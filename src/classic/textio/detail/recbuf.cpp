#include "textio/detail/recbuf.h"

#include <cstring>
#include <new>

#include "textio/channel.h"
#include "textio/diag.h"

namespace siteresp::textio {

namespace {

// No record of this program comes near this; a request beyond it can only
// come from a runaway format and is treated like memory that is not there.
constexpr std::size_t max_record = std::size_t{1} << 28;

[[noreturn]] void out_of_space(const RecordSink& out) {
  const auto* ch = dynamic_cast<const OutChannel*>(&out);
  fail("malloc failure", "out of free space", out.unit(), ch ? ch->name() : nullptr);
}

}  // namespace

void RecordBuffer::reserve(std::size_t n, const RecordSink& out) {
  if (n <= cap_) return;
  if (n > max_record) out_of_space(out);
  std::size_t cap = cap_ * 2 > n ? cap_ * 2 : n;
  std::unique_ptr<char[]> block(new (std::nothrow) char[cap]);
  if (!block) out_of_space(out);
  std::memcpy(block.get(), p_, len_);
  heap_ = std::move(block);
  p_ = heap_.get();
  cap_ = cap;
}

char* RecordBuffer::field(std::size_t pos, std::size_t w, const RecordSink& out) {
  if (pos > max_record || w > max_record) out_of_space(out);
  reserve(pos + w, out);
  if (pos > len_) std::memset(p_ + len_, ' ', pos - len_);
  if (pos + w > len_) len_ = pos + w;
  return p_ + pos;
}

void RecordBuffer::append(const char* s, std::size_t n, const RecordSink& out) {
  if (n == 0) return;
  std::memcpy(field(len_, n, out), s, n);
}

void RecordBuffer::put(RecordSink& out) {
  out.put_record(p_, len_);
  len_ = 0;
}

}  // namespace siteresp::textio
