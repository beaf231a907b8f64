#pragma once
// Reading a sample from a string, and the first error as the command line
// would show it ("FILE:LINE: MESSAGE").
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/read.h"

namespace records_test {

using namespace sitekit::records;

inline std::vector<Component> channels(const std::string& content, Format f, const std::string& file = "f") {
  auto r = read_components(content, file, f);
  if (!r) ADD_FAILURE() << r.error().file << ":" << r.error().line << ": " << r.error().message;
  return r ? std::move(r.value()) : std::vector<Component>{};
}

inline std::string shown(const Diagnostic& d) { return d.file + ":" + std::to_string(d.line) + ": " + d.message; }

inline std::string first_error(const std::string& content, Format f, const std::string& file = "f") {
  auto r = read_components(content, file, f);
  return r ? std::string("no error") : shown(r.error());
}

inline std::string crlf(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace records_test
