// Child processes of the tests: pipes for the three standard streams, one
// poll loop that feeds and drains them, and a deadline.
#include "support/process.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace testsupport {

bool Outcome::exited() const { return WIFEXITED(status); }
int Outcome::code() const { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }
int Outcome::signal() const { return WIFSIGNALED(status) ? WTERMSIG(status) : 0; }
bool Outcome::aborted() const { return signal() == SIGABRT; }

namespace {

// In the child, before the program or function runs.
void prepare_child(const Options& opt, int in, int out, int err) {
  if (dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(127);
  rlimit core{};
  getrlimit(RLIMIT_CORE, &core);
  core.rlim_cur = 0;
  setrlimit(RLIMIT_CORE, &core);
  std::signal(SIGPIPE, SIG_DFL);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  if (!opt.cwd.empty() && chdir(opt.cwd.c_str()) != 0) _exit(127);
  if (opt.unprivileged && geteuid() == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) _exit(127);
  }
}

void drain(const pollfd& p, int& fd, std::string& into) {
  if (fd < 0 || (p.revents & (POLLIN | POLLHUP | POLLERR)) == 0) return;
  char buf[65536];
  const ssize_t k = read(fd, buf, sizeof buf);
  if (k > 0) {
    into.append(buf, static_cast<std::size_t>(k));
  } else if (k == 0 || errno != EINTR) {
    close(fd);
    fd = -1;
  }
}

}  // namespace

Child::Child(const std::string& exe, const std::vector<std::string>& args, const Options& opt) {
  start(
      [&] {
        std::vector<char*> argv{const_cast<char*>(exe.c_str())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(exe.c_str(), argv.data());
        _exit(127);
      },
      opt);
}

Child::Child(const std::function<int()>& body, const Options& opt) {
  start(
      [&] {
        const int code = body();
        std::fflush(nullptr);
        _exit(code);
      },
      opt);
}

Child::~Child() {
  if (!finished_ && pid_ > 0) {
    kill(pid_, SIGKILL);
    finish();
  }
}

void Child::start(const std::function<void()>& in_child, const Options& opt) {
  // A child that stops reading its input must not end the test by SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);
  keep_stdin_open_ = opt.keep_stdin_open;
  pending_ = opt.input;
  deadline_ = std::chrono::steady_clock::now() + opt.deadline;
  int in[2], out[2], err[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) std::abort();
  std::fflush(nullptr);  // nothing buffered in the test may be written twice
  pid_ = fork();
  if (pid_ < 0) std::abort();
  if (pid_ == 0) {
    prepare_child(opt, in[0], out[1], opt.merge_stderr ? out[1] : err[1]);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
    in_child();
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  in_ = in[1];
  out_ = out[0];
  err_ = err[0];
  fcntl(in_, F_SETFL, O_NONBLOCK);
}

void Child::feed(const std::string& bytes) { pending_ += bytes; }

void Child::check_deadline() {
  if (r_.timed_out || std::chrono::steady_clock::now() < deadline_) return;
  kill(pid_, SIGKILL);
  r_.timed_out = true;
}

// One round of poll; false once both output pipes are at their end.
bool Child::pump(bool closing) {
  if (closing && pending_.empty() && in_ >= 0 && !keep_stdin_open_) {
    close(in_);
    in_ = -1;
  }
  if (out_ < 0 && err_ < 0) return false;
  pollfd fds[3] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}, {in_, POLLOUT, 0}};
  const nfds_t n = (in_ >= 0 && !pending_.empty()) ? 3 : 2;
  if (poll(fds, n, 100) < 0 && errno != EINTR) return false;
  drain(fds[0], out_, r_.out);
  drain(fds[1], err_, r_.err);
  if (n == 3 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
    const ssize_t k = write(in_, pending_.data(), pending_.size());
    if (k > 0) pending_.erase(0, static_cast<std::size_t>(k));
    if (k < 0 && errno != EAGAIN && errno != EINTR) pending_.clear();  // the child stopped reading
  }
  check_deadline();
  return out_ >= 0 || err_ >= 0;
}

bool Child::wait_for(const std::string& text) {
  while (r_.out.find(text) == std::string::npos) {
    if (r_.timed_out || !pump(false)) return false;
  }
  return true;
}

void Child::signal(int sig) { kill(pid_, sig); }

Outcome Child::finish() {
  if (finished_) return r_;
  while (pump(true)) {
  }
  if (in_ >= 0) close(in_);
  in_ = -1;
  // A child that closed its output but lives on still has the deadline.
  while (waitpid(pid_, &r_.status, WNOHANG) == 0) {
    check_deadline();
    usleep(10000);
  }
  finished_ = true;
  return r_;
}

Outcome run(const std::string& exe, const std::vector<std::string>& args, const Options& opt) {
  return Child(exe, args, opt).finish();
}

Outcome run_function(const std::function<int()>& body, const Options& opt) {
  return Child(body, opt).finish();
}

}  // namespace testsupport
