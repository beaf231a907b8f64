// The wave record reader on arbitrary file contents.
//
// The record sits between guard blocks and holds zeros before each read, as
// the run's storage does.  After a read that returned, the guards must be
// intact, the row count must not be negative, and every entry past the row
// after the last counted one must still be zero: a row that is not counted
// may leave what it got in the next entry, nothing further.  A read that
// ended must have left the diagnostic of channel 11.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "capacity.h"
#include "input/wave.h"
#include "support.h"

namespace {

constexpr unsigned char guard_byte = 0xA5;

struct Guarded {
  unsigned char before[64];
  siteresp::WaveRecord w;
  unsigned char after[64];
};

bool intact(const unsigned char (&g)[64]) {
  for (unsigned char b : g)
    if (b != guard_byte) return false;
  return true;
}

bool zero_from(const float* a, std::int64_t from) {
  for (std::int64_t i = from; i < siteresp::mom; ++i)
    if (a[i] != 0.0f || std::signbit(a[i])) return false;
  return true;
}

void check_record(const siteresp::WaveRecord& w) {
  if (w.nt < 0) fuzzing::finding("negative row count");
  const std::int64_t from = static_cast<std::int64_t>(w.nt) + 1;
  if (!zero_from(w.time, from) || !zero_from(w.xr1, from) || !zero_from(w.yr1, from) || !zero_from(w.zr1, from))
    fuzzing::finding("values stored past the row after the last counted one");
}

void check_diagnostic(std::string_view diag) {
  static constexpr std::string_view firsts[] = {
      "list in: end of file\n",
      "invalid number: incomprehensible list input\n",
      "exponent field: incomprehensible list input\n",
      "bad repetition count: incomprehensible list input\n",
      "invalid integer: read unexpected character\n",
  };
  constexpr std::string_view tail =
      "apparent state: unit 11 named w\nlast format: list io\nlately reading sequential formatted external IO\n";
  bool ok = false;
  for (std::string_view f : firsts) ok = ok || (diag.size() == f.size() + tail.size() &&
                                                diag.substr(0, f.size()) == f && diag.substr(f.size()) == tail);
  if (!ok) fuzzing::finding("unexpected diagnostic", diag);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzzing::InScratch here;
  static const std::unique_ptr<Guarded> g(new Guarded);
  std::memset(static_cast<void*>(g.get()), guard_byte, sizeof *g);
  std::memset(static_cast<void*>(&g->w), 0, sizeof g->w);
  fuzzing::put_file("w", std::string_view(reinterpret_cast<const char*>(data), size));

  const fuzzing::Outcome o = fuzzing::guarded([] { siteresp::read_wave("w", 1, g->w); });
  if (!intact(g->before) || !intact(g->after)) fuzzing::finding("the reader wrote outside the record");
  if (o.abnormal) {
    check_diagnostic(o.diag);
  } else {
    fuzzing::check_outcome(o, {});
    check_record(g->w);
  }
  return 0;
}
