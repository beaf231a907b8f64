#pragma once
// Runs a program as a child process with prepared standard input, in a given
// working directory, and collects its output and how it ended.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

struct ChildResult {
  std::string out;   // standard output (or both streams when merged)
  std::string err;   // standard error (empty when merged)
  bool exited = false;
  int code = -1;     // exit status when exited
  int signal = 0;    // terminating signal otherwise
  bool aborted() const { return !exited && signal == SIGABRT; }
};

struct ChildOptions {
  std::string cwd = ".";
  bool merge_stderr = false;        // both streams into one pipe, in order
  int signal_after_prompt = 0;      // send this signal once `prompt_marker` appeared
  std::string prompt_marker;        // text on stdout to wait for
  bool close_stdin = true;          // close stdin after writing input
};

inline void exec_child(const std::string& exe, int in_fd, int out_fd, int err_fd,
                       const std::string& cwd) {
  dup2(in_fd, 0);
  dup2(out_fd, 1);
  dup2(err_fd, 2);
  if (chdir(cwd.c_str()) != 0) _exit(127);
  signal(SIGPIPE, SIG_DFL);
  char* argv[] = {const_cast<char*>(exe.c_str()), nullptr};
  execv(exe.c_str(), argv);
  _exit(127);
}

// Pumps input to the child and output from it until both output pipes close.
inline void pump(int in_w, int out_r, int err_r, const std::string& input, ChildResult& r,
                 pid_t pid, const ChildOptions& opt) {
  std::size_t sent = 0;
  bool signalled = false;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (out_r >= 0 || err_r >= 0) {
    pollfd fds[3];
    int n = 0;
    int idx_in = -1, idx_out = -1, idx_err = -1;
    if (in_w >= 0 && sent < input.size()) { idx_in = n; fds[n++] = {in_w, POLLOUT, 0}; }
    if (out_r >= 0) { idx_out = n; fds[n++] = {out_r, POLLIN, 0}; }
    if (err_r >= 0) { idx_err = n; fds[n++] = {err_r, POLLIN, 0}; }
    if (poll(fds, static_cast<nfds_t>(n), 200) < 0 && errno != EINTR) break;
    if (std::chrono::steady_clock::now() > deadline) { kill(pid, SIGKILL); deadline += std::chrono::hours(1); }
    if (idx_in >= 0 && (fds[idx_in].revents & (POLLOUT | POLLERR | POLLHUP))) {
      ssize_t w = write(in_w, input.data() + sent, input.size() - sent);
      if (w > 0) sent += static_cast<std::size_t>(w);
      else { close(in_w); in_w = -1; }
    }
    if (in_w >= 0 && sent >= input.size() && opt.close_stdin) { close(in_w); in_w = -1; }
    char buf[65536];
    auto drain = [&](int& fd, int idx, std::string& to) {
      if (idx < 0 || !(fds[idx].revents & (POLLIN | POLLHUP | POLLERR))) return;
      ssize_t got = read(fd, buf, sizeof buf);
      if (got > 0) to.append(buf, static_cast<std::size_t>(got));
      else { close(fd); fd = -1; }
    };
    drain(out_r, idx_out, r.out);
    drain(err_r, idx_err, r.err);
    if (opt.signal_after_prompt && !signalled &&
        r.out.find(opt.prompt_marker) != std::string::npos) {
      usleep(100000);  // let the child reach its read
      kill(pid, opt.signal_after_prompt);
      signalled = true;
    }
  }
  if (in_w >= 0) close(in_w);
}

inline ChildResult run_child(const std::string& exe, const std::string& input,
                             const ChildOptions& opt = {}) {
  int in[2], out[2], err[2];
  if (pipe(in) || pipe(out) || pipe(err)) std::abort();
  signal(SIGPIPE, SIG_IGN);
  pid_t pid = fork();
  if (pid == 0) {
    close(in[1]); close(out[0]); close(err[0]);
    exec_child(exe, in[0], out[1], opt.merge_stderr ? out[1] : err[1], opt.cwd);
  }
  close(in[0]); close(out[1]); close(err[1]);
  ChildResult r;
  pump(in[1], out[0], err[0], input, r, pid, opt);
  int status = 0;
  waitpid(pid, &status, 0);
  r.exited = WIFEXITED(status);
  r.code = r.exited ? WEXITSTATUS(status) : -1;
  r.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return r;
}

// A fresh directory under the system's temporary directory, removed at the end.
class TempDir {
public:
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "siteresp-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) std::abort();
    path_ = tmpl;
  }
  ~TempDir() { std::error_code ec; std::filesystem::remove_all(path_, ec); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  void write(const std::string& name, const std::string& content) const {
    std::ofstream(path_ / name, std::ios::binary) << content;
  }
  std::string read(const std::string& name) const {
    std::ifstream f(path_ / name, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
  }
  bool exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

private:
  std::filesystem::path path_;
};

inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> v;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t nl = text.find('\n', start);
    if (nl == std::string::npos) { v.push_back(text.substr(start)); break; }
    v.push_back(text.substr(start, nl - start));
    start = nl + 1;
  }
  return v;
}

}  // namespace testsupport
