// Writes wave.csv, soil.csv and answers.txt of one golden-output case into a
// directory: make_case largest|borehole|undamped|short DIR
#include <cstdio>
#include <string>

#include "golden/cases.h"

namespace {

bool put(const std::string& path, const std::string& text) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_case largest|borehole|undamped|short DIR\n");
    return 2;
  }
  golden::CaseFiles files;
  if (!golden::generate(argv[1], files)) {
    std::fprintf(stderr, "make_case: unknown case %s\n", argv[1]);
    return 2;
  }
  const std::string dir = argv[2];
  if (!put(dir + "/wave.csv", files.wave) || !put(dir + "/soil.csv", files.soil) ||
      !put(dir + "/answers.txt", files.answers)) {
    std::perror("make_case");
    return 1;
  }
  return 0;
}
