// The soil profile reader on arbitrary file contents and console answers.
//
// Input: the soil file, or the console answers, the separator "\n~~~\n" and
// the soil file.  Without a separator the answer is "s", the name under
// which the file is written.  Answers that name a path are skipped.
//
// The eight layer arrays sit between guards and are filled with a marker
// value before the call.  After a call that returned, the layer count must
// be within the capacity, the wave type 1 or 2, every layer the responses
// would divide by refused, and every element past the last layer still the
// marker.  A call that ended must have left a diagnostic of channel 4 (the
// file) or 5 (the console).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "capacity.h"
#include "input/soilin.h"
#include "support.h"

namespace {

using siteresp::ml;

constexpr std::uint32_t marker = 0x7FC0DEADu;  // a quiet NaN no read can produce
constexpr int narrays = 8;
constexpr int guard = 8;

struct Arrays {
  float a[narrays][guard + ml + guard];
  float* layer(int k) { return a[k] + guard; }
};

std::uint32_t bits(float f) {
  std::uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return u;
}

void fill(Arrays& s) {
  float m;
  std::memcpy(&m, &marker, sizeof m);
  for (auto& row : s.a)
    for (float& f : row) f = m;
}

// Marker from `from` (layer index) to the end of the guard after the array;
// the guard before the array must be whole too.
bool marker_outside(Arrays& s, int from) {
  for (auto& row : s.a) {
    for (int i = 0; i < guard; ++i)
      if (bits(row[i]) != marker) return false;
    for (int i = guard + from; i < guard + ml + guard; ++i)
      if (bits(row[i]) != marker) return false;
  }
  return true;
}

void check_profile(Arrays& s, std::int32_t nl, std::int32_t nin) {
  if (nl < 1 || nl > ml) fuzzing::finding("layer count outside the capacity returned");
  if (nin != 1 && nin != 2) fuzzing::finding("wave type other than 1 or 2 returned");
  if (!marker_outside(s, nl)) fuzzing::finding("a layer array written past the last layer");
  const float* dns = s.layer(0);
  const float* vp = s.layer(1);
  const float* vs = s.layer(4);
  for (int l = 0; l < nl; ++l)
    if (dns[l] == 0.0f || vp[l] == 0.0f || vs[l] == 0.0f || vp[l] == vs[l])
      fuzzing::finding("a layer the responses divide by was accepted");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzzing::InScratch here;
  std::string_view parts[2];
  const int n = fuzzing::split(std::string_view(reinterpret_cast<const char*>(data), size), parts, 2);
  const std::string_view answers = n == 2 ? parts[0] : "s\n";
  if (fuzzing::names_a_path(answers, 1)) return 0;
  fuzzing::set_console_input(answers);
  fuzzing::put_file("s", parts[n - 1]);

  static Arrays s;
  fill(s);
  float theta = 0.0f;
  std::int32_t nl = 0, nin = 0;
  const fuzzing::Outcome o = fuzzing::guarded([&] {
    siteresp::soilin(s.layer(0), s.layer(1), s.layer(2), s.layer(3), s.layer(4), s.layer(5), s.layer(6),
                     s.layer(7), theta, nl, ml, nin);
  });
  fuzzing::check_outcome(o, {4, 5});
  if (o.abnormal) {
    if (!marker_outside(s, ml)) fuzzing::finding("a layer array written outside its capacity");
  } else {
    check_profile(s, nl, nin);
  }
  return 0;
}
