#include "cli/cli_fixture.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include <fmt/format.h>

namespace sitekit::cli::test {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string example(const std::string& name) {
  return read_file(std::string(SITERESP_SOURCE_DIR) + "/examples/" + name);
}

std::string example_soil(int wave_type) {
  std::string soil = example("soil.csv");
  const std::size_t line3 = soil.find('\n', soil.find('\n') + 1) + 1;
  soil[line3] = static_cast<char>('0' + wave_type);
  return soil;
}

testsupport::Outcome sitekit(const testsupport::ScratchDir& dir, const std::vector<std::string>& args) {
  return testsupport::run(SITEKIT_EXE, args, testsupport::Options().in(dir.str()));
}

testsupport::Outcome siteresp(const testsupport::ScratchDir& dir, const std::string& answers) {
  return testsupport::run(SITERESP_EXE, {}, testsupport::Options().in(dir.str()).with_input(answers));
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

std::string small_wave(int rows) {
  std::string w = "time,H1,H2,V1\n";
  for (int k = 0; k < rows; ++k) {
    const double t = 0.01 * k;
    w += fmt::format("{:.2f},{:.4f},{:.4f},{:.4f}\n", t, 10 * std::sin(7 * t) * std::exp(-t),
                     8 * std::cos(5 * t) * std::exp(-t), 3 * std::sin(11 * t) * std::exp(-2 * t));
  }
  return w;
}

}  // namespace sitekit::cli::test
