#pragma once
// What the tests of `sitekit` share: the example inputs in a scratch
// directory, the two programs run there, and file reading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/process.h"
#include "support/scratch_dir.h"

namespace sitekit::cli::test {

std::string read_file(const std::string& path);
std::string example(const std::string& name);  // examples/NAME's content

// The bundled example's soil file with another input wave type.
std::string example_soil(int wave_type);

// sitekit with `args` in `dir`.
testsupport::Outcome sitekit(const testsupport::ScratchDir& dir, const std::vector<std::string>& args);
// siteresp in `dir` with its answers on standard input.
testsupport::Outcome siteresp(const testsupport::ScratchDir& dir, const std::string& answers);

std::vector<std::string> lines_of(const std::string& text);

// Expects `line` to start with `start`.
inline void expect_starts(const std::string& line, const std::string& start) {
  EXPECT_EQ(line.substr(0, start.size()), start);
}

// A wave file of `rows` rows at 0.01 s, three channels of smooth motion.
std::string small_wave(int rows);

}  // namespace sitekit::cli::test
