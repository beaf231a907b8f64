// The quick way through a numeric field against the full reader.
//
// Input: byte 0 chooses the item, bit 0 an integer (else a real), bit 1 a
// repeat count allowed; the rest is the file, read twice on two channels.
// Whenever the quick way takes the first field, the full reader must read
// the same field without a diagnostic, to the same double bit for bit, and
// both must leave the same character next.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "support.h"
#include "textio/channel.h"
#include "textio/detail/listnumber.h"
#include "textio/detail/shortdecimal.h"

namespace {

using namespace siteresp::textio;

void open(InChannel& ch) {
  const fuzzing::Outcome o = fuzzing::guarded([&] { ch.open_existing(unit_wave, "f", 1); });
  if (o.abnormal) fuzzing::finding("the scratch file did not open", o.diag);
}

void compare(std::string_view field, bool integer, bool count_allowed) {
  static InChannel quick_ch, full_ch;
  open(quick_ch);
  open(full_ch);
  Cursor quick(quick_ch), full(full_ch);
  const int c = quick.get();
  full.get();
  ListValue q, f;
  if (c != end_of_data && read_short_decimal(quick, c, integer, q)) {
    const fuzzing::Outcome o = fuzzing::guarded([&] { parse_full_number(full, c, integer, count_allowed, f); });
    if (o.abnormal) fuzzing::finding("the quick way took a field the full reader refuses", o.diag);
    if (f.kind != ListValue::Kind::number || std::bit_cast<std::uint64_t>(q.num) != std::bit_cast<std::uint64_t>(f.num))
      fuzzing::finding("the quick way read another value", field);
    if (quick.get() != full.get()) fuzzing::finding("the quick way stopped elsewhere", field);
  }
  quick_ch.close();
  full_ch.close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const fuzzing::InScratch here;
  const std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);
  fuzzing::put_file("f", file);
  compare(file, (data[0] & 1) != 0, (data[0] & 2) != 0);
  return 0;
}
