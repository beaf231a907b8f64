// sitekit's manifest parser on arbitrary file contents.
//
// A manifest is either refused with one error at a line of the file (a
// Failure of status bad input) or read into rows; every row read has a
// record, lines that increase and lie within the file, and a band (when
// given) through which something can pass.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cli/manifest.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  long lines = 1;
  for (char c : text) lines += c == '\n';
  try {
    long last = 0;
    for (const sitekit::cli::ManifestRow& r : sitekit::cli::parse_manifest(text, "m.csv")) {
      if (r.record.empty() || r.line <= last || r.line > lines) std::abort();
      if (r.band && !(r.band->hz[3] > r.band->hz[0])) std::abort();
      last = r.line;
    }
  } catch (const sitekit::cli::Failure& f) {
    if (f.status() != sitekit::cli::Exit::bad_input) std::abort();
    if (f.problem().where != "m.csv" || f.problem().line > lines) std::abort();
    if (f.problem().message.empty() || f.problem().message.find('\n') != std::string::npos) std::abort();
  }
  return 0;
}
