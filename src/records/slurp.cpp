// Reading a whole input file, refusing what is not a plain readable file of
// sensible size before anything is allocated for it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "read.h"

namespace sitekit::records {

namespace {

struct Fd {
  int fd;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

Error os_error(const std::string& path, const char* what, int err) {
  return Error{path, 0, std::string(what) + ": " + std::strerror(err)};
}

}  // namespace

Result<std::string> slurp(const std::string& path) {
  const Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (f.fd < 0) return os_error(path, "cannot open", errno);
  struct stat st {};
  if (::fstat(f.fd, &st) != 0) return os_error(path, "cannot read", errno);
  if (S_ISDIR(st.st_mode)) return Error{path, 0, "is a directory, not a record file"};
  if (S_ISREG(st.st_mode) && static_cast<unsigned long long>(st.st_size) > max_file_bytes)
    return Error{path, 0, "is larger than 256 MB, too large for a record file"};
  // A regular file is read straight into a string of its size; devices and
  // pipes, which have no size to check beforehand, in pieces up to the limit.
  std::string content;
  std::size_t have = 0;
  content.resize(S_ISREG(st.st_mode) ? static_cast<std::size_t>(st.st_size) + 1 : std::size_t{1} << 16);
  for (;;) {
    if (have == content.size()) {
      if (content.size() > max_file_bytes) return Error{path, 0, "is larger than 256 MB, too large for a record file"};
      content.resize(std::min(2 * content.size(), max_file_bytes + 1));
    }
    const ssize_t n = ::read(f.fd, content.data() + have, content.size() - have);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return os_error(path, "cannot read", errno);
    if (n == 0) break;
    have += static_cast<std::size_t>(n);
  }
  if (have > max_file_bytes) return Error{path, 0, "is larger than 256 MB, too large for a record file"};
  content.resize(have);
  return content;
}

}  // namespace sitekit::records
