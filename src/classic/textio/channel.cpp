// Input channels: the console and the files opened by name.
#include "textio/channel.h"

#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "textio/diag.h"

namespace siteresp::textio {

void InChannel::reset(int fd, int unit) {
  fd_ = fd;
  unit_ = unit;
  named_ = false;
  eof_mark_ = false;
  at_end_ = false;
  has_pushed_ = false;
  has_lookahead_ = false;
  name_[0] = '\0';
  pos_ = len_ = 0;
}

void InChannel::attach_console() { reset(STDIN_FILENO, unit_console_in); }

void InChannel::open_existing(int unit, const char* name, std::size_t len) {
  close();
  reset(-1, unit);
  while (len > 0 && name[len - 1] == ' ') --len;
  // The channel keeps the name for its diagnostics, at most max_name
  // characters of it; the file itself is opened under the whole name.  A
  // blank name is a name too: "unit 11 named " with nothing after it.
  const std::size_t cap = static_cast<std::size_t>(max_name);
  const std::size_t kept = len < cap ? len : cap;
  std::memcpy(name_, name, kept);
  name_[kept] = '\0';
  named_ = true;
  if (len == 0) fail("open", "null file name", unit, name_);

  char path[PATH_MAX];
  if (len >= sizeof path) fail_errno("open", ENAMETOOLONG, unit, name_);
  std::memcpy(path, name, len);
  path[len] = '\0';
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail_errno("open", errno, unit, name_);
  // Linux opens a directory for reading without complaint; refuse it here
  // rather than at the first read.
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    fail_errno("open", EISDIR, unit, name_);
  }
  fd_ = fd;
}

void InChannel::close() {
  if (named_ && fd_ >= 0) ::close(fd_);
  reset(-1, 0);
}

bool InChannel::refill() {
  if (at_end_) return false;
  for (;;) {
    const ssize_t n = ::read(fd_, buf_, sizeof buf_);
    if (n > 0) {
      pos_ = 0;
      len_ = static_cast<std::size_t>(n);
      return true;
    }
    if (n == 0) {
      at_end_ = true;
      return false;
    }
    if (errno != EINTR) fail_errno("read", errno, unit_, name());
  }
}

int InChannel::raw_get() {
  if (has_lookahead_) {
    has_lookahead_ = false;
    return lookahead_;
  }
  if (pos_ == len_ && !refill()) return end_of_data;
  return buf_[pos_++];
}

int InChannel::get_slow() {
  if (has_pushed_) {
    has_pushed_ = false;
    return pushed_;
  }
  const int c = raw_get();
  if (c != '\r') return c;
  // CR LF is one line end; a CR before anything else is an ordinary byte.
  const int next = raw_get();
  if (next == '\n') return '\n';
  if (next != end_of_data) {
    lookahead_ = next;
    has_lookahead_ = true;
  }
  return '\r';
}

void InChannel::unget(int c) {
  // The end of the data needs no push-back: it is met again anyway.
  if (c == end_of_data) return;
  pushed_ = c;
  has_pushed_ = true;
}

InChannel& console_in() {
  static InChannel ch;
  static const bool attached = (ch.attach_console(), true);
  (void)attached;
  return ch;
}

}  // namespace siteresp::textio
