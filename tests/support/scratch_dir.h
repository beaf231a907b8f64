#pragma once
// A fresh directory for one test, removed with everything in it.  It is
// open to all (0755), so a child dropped to an unprivileged user can still
// work in it.
#include <filesystem>
#include <string>

namespace testsupport {

class ScratchDir {
public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  // The full path of `name` inside the directory.
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  // Writes `bytes` to `name` (replacing it) and returns its full path.
  std::string write(const std::string& name, const std::string& bytes) const;
  // The content of `name`; empty when it does not exist.
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;

private:
  std::filesystem::path path_;
};

}  // namespace testsupport
