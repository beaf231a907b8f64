#pragma once
// Child processes for tests: a built program run with arguments and
// standard input, or a function of the test run in a forked copy of it.
//
//   const Outcome r = run(SITERESP_EXE, {}, Options().in(dir.str()).with_input("wave.csv\n"));
//   EXPECT_TRUE(r.aborted());
//   EXPECT_EQ(r.err, "open: null file name\n...");
//
//   const Outcome f = run_function([] { return reader_under_test(); }, Options().with_input("1,2\n"));
//
// Every child:
//   - gets `input` on standard input (closed after it, unless kept open);
//   - has its standard output and standard error collected separately (or
//     merged in order);
//   - writes no core file, whatever the shell's limit (the soft limit is 0;
//     the hard limit is left, so a child may raise it again on purpose);
//   - is killed (SIGKILL) when it outlives the deadline, which shows as
//     Outcome::timed_out;
//   - optionally runs as the unprivileged user nobody when the tests run as
//     root, so that file permissions apply to it.
// A function child ends with _exit(its return value) after flushing stdio;
// gtest assertions inside it do not reach the test, so it reports through
// its output and exit status.
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

struct Options {
  std::string cwd;                  // working directory; empty: the test's own
  std::string input;                // standard input
  bool keep_stdin_open = false;     // do not close standard input after `input`
  bool merge_stderr = false;        // standard error into Outcome::out, in order
  bool unprivileged = false;        // as root: run as nobody (uid and gid 65534)
  std::chrono::milliseconds deadline{std::chrono::seconds(120)};

  // Chainable setters: Options().in(dir.str()).with_input("wave.csv\n").merged()
  Options& in(std::string dir) { cwd = std::move(dir); return *this; }
  Options& with_input(std::string bytes) { input = std::move(bytes); return *this; }
  Options& stdin_kept_open() { keep_stdin_open = true; return *this; }
  Options& merged() { merge_stderr = true; return *this; }
  Options& as_nobody() { unprivileged = true; return *this; }
  Options& within(std::chrono::milliseconds d) { deadline = d; return *this; }
};

// How a child ended and what it wrote.
struct Outcome {
  std::string out;  // standard output (both streams when merged)
  std::string err;  // standard error (empty when merged)
  int status = 0;   // wait status
  bool timed_out = false;

  bool exited() const;
  int code() const;    // exit status, -1 when ended by a signal
  int signal() const;  // terminating signal, 0 when exited
  bool aborted() const;  // ended by SIGABRT
};

// A running child, for tests that watch it while it runs: wait for a prompt,
// feed more input, send a signal, then finish().
class Child {
public:
  Child(const std::string& exe, const std::vector<std::string>& args, const Options& opt = {});
  Child(const std::function<int()>& body, const Options& opt = {});
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  pid_t pid() const { return pid_; }
  // More bytes for standard input.
  void feed(const std::string& bytes);
  // Collects output until `text` is on standard output; false at the
  // deadline or when the child closed its output first.
  bool wait_for(const std::string& text);
  void signal(int sig);
  // Closes standard input (unless kept open), collects everything, waits.
  Outcome finish();

private:
  void start(const std::function<void()>& in_child, const Options& opt);
  bool pump(bool closing);
  void check_deadline();

  pid_t pid_ = -1;
  int in_ = -1, out_ = -1, err_ = -1;
  bool keep_stdin_open_ = false;
  bool finished_ = false;
  std::string pending_;
  std::chrono::steady_clock::time_point deadline_;
  Outcome r_;
};

Outcome run(const std::string& exe, const std::vector<std::string>& args = {}, const Options& opt = {});
Outcome run_function(const std::function<int()>& body, const Options& opt = {});

}  // namespace testsupport
