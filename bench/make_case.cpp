// Writes wave.csv, soil.csv and answers.txt of one golden-output case into a
// directory: make_case largest|borehole|undamped|short DIR.  A case named
// ROWSxLAYERS (such as 16384x50) is the largest run cut to that many rows
// and its top layers over the same half-space, for timings by size.
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

// ROWSxLAYERS: 2..32768 rows, 2..50 layers with the half-space.
bool sized(const char* name, golden::CaseFiles& files) {
  int rows = 0, layers = 0;
  char tail = 0;
  if (std::sscanf(name, "%dx%d%c", &rows, &layers, &tail) != 2) return false;
  if (rows < 2 || rows > 32768 || layers < 2 || layers > 50) return false;
  auto profile = golden::deep_profile();
  profile.erase(profile.begin() + (layers - 1), profile.end() - 1);
  files = {golden::wave_file(rows, 50, 11), golden::soil_file(30.0, 1, profile),
           golden::answers(1, 1, "0.1,0.3,20.0,30.0")};
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_case largest|borehole|undamped|short|ROWSxLAYERS DIR\n");
    return 2;
  }
  golden::CaseFiles files;
  if (!golden::generate(argv[1], files) && !sized(argv[1], files)) {
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
