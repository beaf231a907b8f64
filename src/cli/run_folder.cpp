#include "cli/run_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sitekit::cli {

namespace fs = std::filesystem;

namespace {

// ".NAME.tmp-XXXXXX": hidden, and never a name a record can get.
std::string temp_name(const fs::path& final_path) {
  std::string n = ".";
  n += final_path.filename().string();
  n += ".tmp-XXXXXX";
  return n;
}

}  // namespace

mode_t process_umask() {
  static const mode_t mask = [] {
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
  }();
  return mask;
}

StagedFolder::StagedFolder(const fs::path& final_dir) : final_(final_dir) {
  std::error_code ec;
  fs::path parent = final_dir.parent_path();
  if (parent.empty()) parent = ".";
  fs::create_directories(parent, ec);
  if (ec) {
    error_ = ec.message();
    return;
  }
  std::string name = (parent / temp_name(final_dir)).string();
  if (::mkdtemp(name.data()) == nullptr) {
    error_ = std::strerror(errno);
    return;
  }
  path_ = name;
  // mkdtemp makes the folder private; a run folder is as open as any other.
  ::chmod(name.c_str(), 0777 & ~process_umask());
}

StagedFolder::~StagedFolder() {
  if (!path_.empty() && !published_) {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
}

std::string StagedFolder::publish() {
  if (::rename(path_.c_str(), final_.c_str()) == 0) {
    published_ = true;
    return {};
  }
  if (errno == ENOTDIR) return "exists and is not a folder";
  if (errno != EEXIST && errno != ENOTEMPTY) return std::strerror(errno);
  if (!fs::is_directory(final_)) return "exists and is not a folder";
  // An older run is there: swap both names at once, then drop the old one,
  // which now carries the temporary name.
  if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, final_.c_str(), RENAME_EXCHANGE) != 0)
    return std::strerror(errno);
  std::error_code ec;
  fs::remove_all(path_, ec);
  published_ = true;
  return {};
}

std::string write_file_atomically(const fs::path& path, const std::string& content) {
  fs::path parent = path.parent_path();
  if (parent.empty()) parent = ".";
  std::string tmp = (parent / temp_name(path)).string();
  const int fd = ::mkstemp(tmp.data());
  if (fd < 0) return std::strerror(errno);
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const std::string why = n < 0 ? std::strerror(errno) : "short write";
      ::close(fd);
      ::unlink(tmp.c_str());
      return why;
    }
    done += static_cast<std::size_t>(n);
  }
  ::fchmod(fd, 0666 & ~process_umask());
  if (::close(fd) != 0 || ::rename(tmp.c_str(), path.c_str()) != 0) {
    const std::string why = std::strerror(errno);
    ::unlink(tmp.c_str());
    return why;
  }
  return {};
}

}  // namespace sitekit::cli
