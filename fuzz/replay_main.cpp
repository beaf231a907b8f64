// Without libFuzzer a harness is a replay program: every file of the
// directories and files named on the command line goes once through
// LLVMFuzzerTestOneInput, in name order, so that the corpora and the inputs
// kept from earlier findings are rerun by every test run.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> inputs_of(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path p = argv[i];
    if (std::filesystem::is_directory(p)) {
      std::vector<std::filesystem::path> in_dir;
      for (const auto& e : std::filesystem::directory_iterator(p))
        if (e.is_regular_file()) in_dir.push_back(e.path());
      std::sort(in_dir.begin(), in_dir.end());
      files.insert(files.end(), in_dir.begin(), in_dir.end());
    } else {
      files.push_back(p);
    }
  }
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::filesystem::path> files = inputs_of(argc, argv);
  LLVMFuzzerInitialize(&argc, &argv);
  std::size_t n = 0;
  for (const auto& f : files) {
    std::ifstream in(f, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", f.c_str());
      return 2;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ++n;
  }
  std::fprintf(stderr, "replayed %zu inputs\n", n);
  return n > 0 ? 0 : 1;
}
