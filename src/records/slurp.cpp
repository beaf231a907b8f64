// Reading a whole input file, refusing what is not a plain readable file of
// sensible size before anything is allocated for it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
  std::string content;
  if (S_ISREG(st.st_mode)) content.reserve(static_cast<std::size_t>(st.st_size));
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(f.fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return os_error(path, "cannot read", errno);
    if (n == 0) break;
    // Devices and pipes have no size to check beforehand.
    if (content.size() + static_cast<std::size_t>(n) > max_file_bytes)
      return Error{path, 0, "is larger than 256 MB, too large for a record file"};
    content.append(buf, static_cast<std::size_t>(n));
  }
  return content;
}

}  // namespace sitekit::records
