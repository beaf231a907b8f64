#pragma once
// The wave record file: a header of four labels, then rows of time, H1, H2, V1.
#include <cstdint>

#include "capacity.h"

namespace siteresp {

struct WaveRecord {
  // Labels, blank-padded to 10 characters (blank when the header gives none).
  char head1[10], head2[10], head3[10], head4[10];
  float time[mom];
  float xr1[mom], yr1[mom], zr1[mom];  // H1, H2, V1
  // Rows counted.  Rows beyond the capacity are read and counted, not stored.
  std::int32_t nt = 0;
};

// Opens the file named by the first `len` characters of `name` (trailing
// blanks removed) on channel 11, reads the whole record into `w` and closes
// the file.  `w` must hold zeros (and the labels blanks) on entry where the
// file leaves values empty.  Failures end the run with a diagnostic.
void read_wave(const char* name, int len, WaveRecord& w);

}  // namespace siteresp
