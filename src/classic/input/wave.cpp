// Reading of the wave record file.
#include "input/wave.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "textio/channel.h"
#include "textio/read.h"

namespace siteresp {
namespace {

using textio::Item;
using textio::ReadResult;

// Rows past the capacity are read into this scratch row and dropped, so that
// an over-long file is still counted without being stored.
struct ScratchRow {
  float time, x, y, z;
};

void read_header(textio::InChannel& ch, WaveRecord& w) {
  // Labels the header does not supply stay blank.
  for (char* h : {w.head1, w.head2, w.head3, w.head4}) std::memset(h, ' ', 10);
  const Item items[] = {Item::chars(w.head1, 10), Item::chars(w.head2, 10),
                        Item::chars(w.head3, 10), Item::chars(w.head4, 10)};
  textio::list_read(ch, items, false);
}

// One row into slot `row` (0-based); false when the read met the end.
bool read_row(textio::InChannel& ch, WaveRecord& w, std::int64_t row, ScratchRow& spare) {
  const bool stored = row < mom;
  float& t = stored ? w.time[row] : spare.time;
  float& x = stored ? w.xr1[row] : spare.x;
  float& y = stored ? w.yr1[row] : spare.y;
  float& z = stored ? w.zr1[row] : spare.z;
  const Item items[] = {Item::of(t), Item::of(x), Item::of(y), Item::of(z)};
  return textio::list_read(ch, items, true) == ReadResult::complete;
}

}  // namespace

void read_wave(const char* name, int len, WaveRecord& w) {
  static textio::InChannel ch;
  ch.open_existing(textio::unit_wave, name, static_cast<std::size_t>(len));
  read_header(ch, w);
  ScratchRow spare{};
  std::int64_t rows = 0;
  while (read_row(ch, w, rows, spare)) ++rows;
  ch.close();
  w.nt = static_cast<std::int32_t>(std::min<std::int64_t>(rows, INT32_MAX));
}

}  // namespace siteresp
