// Writing the dialogue's wave file, whole or not at all.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <algorithm>
#include <cstring>

#include <fmt/compile.h>
#include <fmt/format.h>

#include "wave_file.h"

namespace sitekit::records {

namespace {

// The heading and rows [from, to) appended to `out`: times to 9 digits (the
// dialogue keeps single precision), samples in the shortest form that reads
// back to the same double.
void format_rows(const Record& r, std::size_t from, std::size_t to, fmt::memory_buffer& out) {
  if (from == 0)
    fmt::format_to(fmt::appender(out), "{},{},{},{}\n", r.labels[0], r.labels[1], r.labels[2], r.labels[3]);
  const bool own_times = r.time.size() == r.size();
  for (std::size_t k = from; k < to; ++k) {
    const double t = own_times ? r.time[k] : static_cast<double>(k) * r.dt;
    fmt::format_to(fmt::appender(out), FMT_COMPILE("{:.9g},{},{},{}\n"), t, r.h1[k], r.h2[k], r.v1[k]);
  }
}

}  // namespace

std::string format_wave(const Record& r) {
  fmt::memory_buffer out;
  format_rows(r, 0, r.size(), out);
  return fmt::to_string(out);
}

namespace {

Error os_error(const std::string& path, const char* what, int err) {
  return Error{path, 0, fmt::format("{}: {}", what, std::strerror(err))};
}

bool write_all(int fd, std::string_view s) {
  while (!s.empty()) {
    const ssize_t n = ::write(fd, s.data(), s.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    s.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The file in blocks of rows, so that a long record needs no second copy of
// itself in memory.
bool write_rows(int fd, const Record& r) {
  constexpr std::size_t rows_per_block = 1024;
  fmt::memory_buffer block;
  for (std::size_t from = 0; from == 0 || from < r.size(); from += rows_per_block) {
    block.clear();
    format_rows(r, from, std::min(r.size(), from + rows_per_block), block);
    if (!write_all(fd, std::string_view(block.data(), block.size()))) return false;
  }
  return true;
}

}  // namespace

Status write_wave(const std::string& path, const Record& record) {
  std::string tmp = path + ".partial-XXXXXX";
  const int fd = ::mkstemp(tmp.data());
  if (fd < 0) return os_error(path, "cannot write", errno);
  ::fchmod(fd, 0644);
  const bool written = write_rows(fd, record);
  const int write_err = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    const int e = written ? errno : write_err;
    ::unlink(tmp.c_str());
    return os_error(path, "cannot write", e);
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    const int e = errno;
    ::unlink(tmp.c_str());
    return os_error(path, "cannot write", e);
  }
  return done();
}

}  // namespace sitekit::records
