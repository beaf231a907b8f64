// Output channels: the console and the result files.
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "textio/channel.h"
#include "textio/diag.h"
#include "textio/signals.h"
#include "textio/detail/fdio.h"

namespace siteresp::textio {
namespace {

// Result files that are open now, so that an abnormal end or a signal can
// write out what is buffered for them.  The run has at most one open at a
// time; a few spare slots cost nothing.
constexpr int max_open = 8;
std::atomic<OutChannel*> open_files[max_open];

void enlist(OutChannel* ch) {
  for (auto& slot : open_files) {
    OutChannel* none = nullptr;
    if (slot.compare_exchange_strong(none, ch)) return;
  }
}

void delist(OutChannel* ch) noexcept {
  for (auto& slot : open_files) {
    OutChannel* mine = ch;
    slot.compare_exchange_strong(mine, nullptr);
  }
}

}  // namespace

void OutChannel::attach_console() {
  fd_ = STDOUT_FILENO;
  unit_ = unit_console_out;
  named_ = false;
  console_ = true;
  read_only_ = false;
  len_ = 0;
}

void OutChannel::create(int unit, const char* name) {
  if (fd_ >= 0 && !console_) close();
  unit_ = unit;
  console_ = false;
  read_only_ = false;
  len_ = 0;
  std::snprintf(name_, sizeof name_, "%s", name);
  named_ = true;
  int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    const int err = errno;
    // An existing file that may only be read is still connected; its first
    // record then fails ("can't write file").
    if (err == EACCES || err == EPERM || err == EROFS) {
      fd = ::open(name, O_RDONLY | O_CLOEXEC);
      read_only_ = fd >= 0;
    }
    if (fd < 0) fail_errno("open", err, unit, name_);
  }
  fd_ = fd;
  enlist(this);
}

void OutChannel::put_record(const char* p, std::size_t n) {
  if (fd_ < 0) return;
  if (read_only_) fail("list output start", "can't write file", unit_, name());
  if (console_) {
    // One write per record, so that a prompt is complete on the terminal
    // before the program waits for the answer.
    if (n + 1 <= sizeof buf_) {
      std::memcpy(buf_, p, n);
      buf_[n] = '\n';
      if (!write_all(fd_, buf_, n + 1)) lost("write", errno);
    } else {
      write_through(p, n);
    }
    return;
  }
  if (len_ + n + 1 > sizeof buf_) flush();
  if (n + 1 > sizeof buf_) {
    write_through(p, n);
    return;
  }
  std::memcpy(buf_ + len_, p, n);
  buf_[len_ + n] = '\n';
  len_ += n + 1;
}

// A record too long for the buffer goes straight to the descriptor.
void OutChannel::write_through(const char* p, std::size_t n) {
  if (!write_all(fd_, p, n) || !write_all(fd_, "\n", 1)) lost("write", errno);
}

// The buffer goes out with the interrupt and termination signals deferred:
// a signal that comes during the write ends the run from here, with only
// the bytes not yet written left for the final write-out.
void OutChannel::flush() {
  if (len_ == 0) return;
  std::size_t done = 0;
  begin_block_write();
  while (done < len_) {
    const ssize_t k = ::write(fd_, buf_ + done, len_ - done);
    if (k > 0) done += static_cast<std::size_t>(k);
    if (k == 0 || (k < 0 && errno != EINTR)) {
      const int err = k == 0 ? ENOSPC : errno;
      end_block_write();
      lost("write", err);
    }
    if (const int sig = pending_signal()) {
      std::memmove(buf_, buf_ + done, len_ - done);
      len_ -= done;
      // A reader that has stopped must not hold the end of the run.
      ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
      end_block_write();
      end_by_signal(sig);
    }
  }
  len_ = 0;
  if (const int sig = end_block_write()) end_by_signal(sig);
}

void OutChannel::close() {
  if (console_ || fd_ < 0) return;
  if (!read_only_) flush();
  delist(this);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && errno != EINTR) lost("close", errno);
}

// Output that cannot be written ends the run: a run that lost part of its
// results must not look like a normal one.
void OutChannel::lost(const char* what, int err) {
  len_ = 0;
  if (!console_) {
    delist(this);
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  char line[160];
  std::snprintf(line, sizeof line, "%s: %s", what, std::strerror(err));
  refuse(line, unit_, name(), false);
}

void OutChannel::flush_for_exit() noexcept {
  if (console_ || fd_ < 0) return;
  delist(this);
  // A reader that has stopped (a pipe) must not hold the end of the run.
  ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
  if (!read_only_ && len_ > 0) write_all(fd_, buf_, len_);
  len_ = 0;
  ::close(fd_);
  fd_ = -1;
}

OutChannel& console_out() {
  static OutChannel ch;
  static const bool attached = (ch.attach_console(), true);
  (void)attached;
  return ch;
}

void flush_open_files() noexcept {
  for (auto& slot : open_files) {
    if (OutChannel* ch = slot.exchange(nullptr)) ch->flush_for_exit();
  }
}

}  // namespace siteresp::textio
