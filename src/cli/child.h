#pragma once
// Runs the dialogue program as a child process inside a run folder: the
// answers on its standard input, its standard output into a file there, its
// standard error kept for the error message.
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace sitekit::cli {

struct ChildOutcome {
  bool started = false;   // false: the program could not be started (see err)
  bool exited = false;    // ended by exit (not by a signal)
  int code = -1;          // exit status when exited
  int signal = 0;         // terminating signal otherwise
  std::string err;        // its standard error (or why it did not start)
  bool ok() const { return started && exited && code == 0; }
};

// The siteresp executable: beside this program (/proc/self/exe), else the
// first on PATH, else empty.
std::filesystem::path find_siteresp();

// `exe` running with working directory `dir`, its standard output going to
// dir/`stdout_name`.  Its standard input stays open until answer() (or
// finish()) closes it, so the program can start before what it will read is
// ready.  The caller may do other work before finish(); a child that is
// neither finished nor wanted any more is killed on destruction.
class RunningChild {
 public:
  RunningChild(const std::filesystem::path& exe, const std::filesystem::path& dir, const std::string& stdout_name);
  // Started, then answered with `input`.
  RunningChild(const std::filesystem::path& exe, const std::filesystem::path& dir, const std::string& input,
               const std::string& stdout_name);
  ~RunningChild();
  RunningChild(const RunningChild&) = delete;
  RunningChild& operator=(const RunningChild&) = delete;

  // Writes `input` to its standard input and closes it.
  void answer(std::string_view input);
  // Closes its standard input if still open, collects its standard error and
  // waits for the end.
  ChildOutcome finish();

 private:
  pid_t pid_ = -1;
  int in_ = -1, err_ = -1;
  ChildOutcome r_;
};

// RunningChild(...).finish().
ChildOutcome run_in_folder(const std::filesystem::path& exe, const std::filesystem::path& dir,
                           const std::string& input, const std::string& stdout_name);

}  // namespace sitekit::cli
