// One of sitekit's record readers on arbitrary file contents; which one is
// chosen when the harness is built (RECORDS_READER, see CMakeLists.txt).
//
// The reader must return, within the fuzzer's time and memory limits, either
// an error that names a line of the input (or none) with a message, or
// values that make sense: every channel with samples, a positive finite
// interval and finite samples; a soil profile of 1 to 50 layers with the
// angle and wave type it allows (a quality factor of 0 is allowed: it is
// the profile's way of saying undamped).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "records/read.h"
#include "records/soil.h"
#include "records/text.h"
#include "records/wave_file.h"

namespace {

using namespace sitekit::records;

[[noreturn]] void finding(const char* what) {
  std::fprintf(stderr, "finding: %s\n", what);
  std::abort();
}

void check_error(const Error& e, std::string_view input) {
  if (e.message.empty()) finding("an error without a message");
  const auto lines = static_cast<long>(text::split_lines(input).size());
  if (e.line < 0 || e.line > lines + 1) finding("an error at a line the input does not have");
}

bool finite_all(const std::vector<double>& x) {
  for (double v : x)
    if (!std::isfinite(v)) return false;
  return true;
}

void check_channels(const std::vector<Component>& cs) {
  if (cs.empty()) finding("no channel and no error");
  for (const Component& c : cs) {
    if (c.samples.empty()) finding("a channel without samples");
    if (!(c.dt > 0) || !std::isfinite(c.dt)) finding("a channel without a positive interval");
    if (!finite_all(c.samples)) finding("a sample that is not finite");
  }
}

void check_soil(const SoilProfile& p) {
  if (p.layers.empty() || p.layers.size() > max_soil_layers) finding("a layer count out of range");
  if (!(p.angle_deg >= 0 && p.angle_deg < 90)) finding("an angle out of range");
  if (p.wave_type != 1 && p.wave_type != 2) finding("a wave type out of range");
  for (const Layer& l : p.layers)
    if (!(l.density > 0 && l.vs > 0 && l.vp > 0 && l.qs >= 0 && l.qp >= 0)) finding("a layer that should be refused");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string reader = RECORDS_READER;
  if (reader == "soil") {
    const auto r = read_soil(input, "f");
    if (r) check_soil(r.value());
    else check_error(r.error(), input);
    return 0;
  }
  const auto format = parse_format(reader);
  if (!format) finding("unknown reader");
  (void)detect(input);
  const auto r = read_components(input, "f", *format);
  if (r) check_channels(r.value());
  else check_error(r.error(), input);
  return 0;
}
