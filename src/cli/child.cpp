#include "cli/child.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string_view>

extern char** environ;

namespace sitekit::cli {

namespace fs = std::filesystem;

fs::path find_siteresp() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const fs::path beside = self.parent_path() / "siteresp";
    if (::access(beside.c_str(), X_OK) == 0) return beside;
  }
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  for (std::string d; std::getline(dirs, d, ':');) {
    const fs::path candidate = fs::path(d.empty() ? "." : d) / "siteresp";
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

namespace {

// Closes what it holds on every path out of run_in_folder.
struct Fd {
  int fd = -1;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

struct Actions {
  posix_spawn_file_actions_t a;
  Actions() { posix_spawn_file_actions_init(&a); }
  ~Actions() { posix_spawn_file_actions_destroy(&a); }
};

void write_all(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // the child stopped reading: its status tells why
    text.remove_prefix(static_cast<std::size_t>(n));
  }
}

std::string read_all(int fd) {
  std::string out;
  char buf[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return out;
    out.append(buf, static_cast<std::size_t>(n));
  }
}

}  // namespace

RunningChild::RunningChild(const fs::path& exe, const fs::path& dir, const std::string& input,
                           const std::string& stdout_name)
    : RunningChild(exe, dir, stdout_name) {
  answer(input);
}

RunningChild::RunningChild(const fs::path& exe, const fs::path& dir, const std::string& stdout_name) {
  ChildOutcome& r = r_;
  Fd dirfd{::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  Fd out{::openat(dirfd.fd, stdout_name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)};
  int in_pipe[2], err_pipe[2];
  if (dirfd.fd < 0 || out.fd < 0 || ::pipe2(in_pipe, O_CLOEXEC) != 0) {
    r.err = std::strerror(errno);
    return;
  }
  Fd in_read{in_pipe[0]}, in_write{in_pipe[1]};
  if (::pipe2(err_pipe, O_CLOEXEC) != 0) {
    r.err = std::strerror(errno);
    return;
  }
  Fd err_read{err_pipe[0]}, err_write{err_pipe[1]};

  // The working directory is set through a descriptor, so the folder's path
  // may be longer than the system's limit for one path.
  Actions act;
  posix_spawn_file_actions_adddup2(&act.a, in_read.fd, 0);
  posix_spawn_file_actions_adddup2(&act.a, out.fd, 1);
  posix_spawn_file_actions_adddup2(&act.a, err_write.fd, 2);
  posix_spawn_file_actions_addfchdir_np(&act.a, dirfd.fd);
  // sitekit ignores SIGPIPE (a child may stop reading its answers early);
  // the child gets the default back.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF);
  char* argv[] = {const_cast<char*>(exe.c_str()), nullptr};
  const int rc = ::posix_spawn(&pid_, exe.c_str(), &act.a, &attr, argv, environ);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) {
    pid_ = -1;
    r.err = std::strerror(rc);
    return;
  }
  r.started = true;
  in_ = in_write.fd, in_write.fd = -1;
  err_ = err_read.fd, err_read.fd = -1;
}

void RunningChild::answer(std::string_view input) {
  if (in_ < 0) return;
  // The answers are a few dozen bytes, far below a pipe's buffer, so writing
  // them cannot block.
  write_all(in_, input);
  ::close(in_);
  in_ = -1;
}

ChildOutcome RunningChild::finish() {
  answer({});
  if (pid_ < 0) return r_;
  r_.err = read_all(err_);
  ::close(err_);
  err_ = -1;
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  r_.exited = WIFEXITED(status);
  r_.code = r_.exited ? WEXITSTATUS(status) : -1;
  r_.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return r_;
}

RunningChild::~RunningChild() {
  if (pid_ < 0) return;
  ::kill(pid_, SIGKILL);
  finish();
}

ChildOutcome run_in_folder(const fs::path& exe, const fs::path& dir, const std::string& input,
                           const std::string& stdout_name) {
  return RunningChild(exe, dir, input, stdout_name).finish();
}

}  // namespace sitekit::cli
