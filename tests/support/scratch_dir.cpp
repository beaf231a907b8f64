#include "support/scratch_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace testsupport {

ScratchDir::ScratchDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "siteresp-XXXXXX").string();
  if (mkdtemp(tmpl.data()) == nullptr) std::abort();
  path_ = tmpl;
  using std::filesystem::perms;
  std::filesystem::permissions(path_, perms::owner_all | perms::group_read | perms::group_exec |
                                          perms::others_read | perms::others_exec);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string ScratchDir::write(const std::string& name, const std::string& bytes) const {
  std::ofstream(path_ / name, std::ios::binary) << bytes;
  return file(name);
}

std::string ScratchDir::read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool ScratchDir::exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

}  // namespace testsupport
