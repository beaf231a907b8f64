#pragma once
// Runs tests/helpers/textio_probe as a child process with given standard
// input, collecting its standard output, standard error and wait status.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace probe {

struct Result {
  std::string out, err;
  int status = 0;
  bool aborted() const { return WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT; }
  int exit_code() const { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }
};

class Child {
public:
  // With `unprivileged`, a child started by root runs as "nobody", so that
  // file permissions apply to it.
  explicit Child(const std::vector<std::string>& args, const std::string& dir = "",
                 bool unprivileged = false) {
    std::signal(SIGPIPE, SIG_IGN);  // a child that ends early must not kill the test
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      const rlimit no_core{0, 0};
      setrlimit(RLIMIT_CORE, &no_core);  // the aborts need no core files
      std::signal(SIGPIPE, SIG_DFL);
      if (!dir.empty() && chdir(dir.c_str()) != 0) _exit(127);
      if (unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(127);
      dup2(in[0], 0);
      dup2(out[1], 1);
      dup2(err[1], 2);
      for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
      const std::string exe = std::string(SITERESP_HELPER_DIR) + "/textio_probe";
      std::vector<char*> argv{const_cast<char*>(exe.c_str())};
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(exe.c_str(), argv.data());
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
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  // Bytes for standard input, written while the output is collected.
  void feed(const std::string& bytes) { pending_ += bytes; }

  // Collects output until `text` appears on standard output (or timeout).
  bool wait_for(const std::string& text, int timeout_ms = 10000) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (r_.out.find(text) == std::string::npos) {
      if (std::chrono::steady_clock::now() > until || !pump(false)) return false;
    }
    return true;
  }

  void signal(int sig) { kill(pid_, sig); }

  // Ends standard input, collects everything and waits for the child.
  Result finish() {
    while (pump(true)) {
    }
    waitpid(pid_, &r_.status, 0);
    close(out_);
    close(err_);
    return r_;
  }

private:
  // One round of poll; false once both output pipes are at their end.
  bool pump(bool close_input) {
    if (close_input && pending_.empty() && in_ >= 0) {
      close(in_);
      in_ = -1;
    }
    pollfd fds[3] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}, {in_, POLLOUT, 0}};
    const nfds_t n = (in_ >= 0 && !pending_.empty()) ? 3 : 2;
    if (out_ < 0 && err_ < 0) return false;
    if (poll(fds, n, 100) < 0 && errno != EINTR) return false;
    drain(fds[0], out_, r_.out);
    drain(fds[1], err_, r_.err);
    if (n == 3 && (fds[2].revents & (POLLOUT | POLLERR)) != 0) {
      const ssize_t k = write(in_, pending_.data(), pending_.size());
      if (k > 0) pending_.erase(0, static_cast<std::size_t>(k));
      if (k < 0 && errno == EPIPE) pending_.clear();
    }
    return out_ >= 0 || err_ >= 0;
  }

  static void drain(const pollfd& p, int& fd, std::string& into) {
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

  pid_t pid_ = -1;
  int in_ = -1, out_ = -1, err_ = -1;
  std::string pending_;
  Result r_;
};

// Runs the probe to its end with the given standard input.
inline Result run(const std::vector<std::string>& args, const std::string& input,
                  const std::string& dir = "", bool unprivileged = false) {
  Child c(args, dir, unprivileged);
  c.feed(input);
  return c.finish();
}

}  // namespace probe
