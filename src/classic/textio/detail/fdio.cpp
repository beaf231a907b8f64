#include "textio/detail/fdio.h"

#include <cerrno>

#include <unistd.h>

namespace siteresp::textio {

bool write_all(int fd, const char* p, std::size_t n) noexcept {
  while (n > 0) {
    const ssize_t k = ::write(fd, p, n);
    if (k < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (k == 0) {
      // A regular file or device that accepts nothing is out of room.
      errno = ENOSPC;
      return false;
    }
    p += k;
    n -= static_cast<std::size_t>(k);
  }
  return true;
}

}  // namespace siteresp::textio
