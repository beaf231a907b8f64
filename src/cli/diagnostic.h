#pragma once
// The one funnel of sitekit's messages: every error and warning becomes one
// line in the form compilers use, "sitekit: FILE:LINE: MESSAGE", and every
// failure carries the exit status it calls for.
#include <stdexcept>
#include <string>

namespace sitekit::cli {

enum class Exit : int { ok = 0, bad_input = 1, bad_usage = 2 };

// Where a message points: a file (or an option such as "--band") and a line
// (0 when the message is about the whole file or option).
struct Problem {
  std::string where;
  long line = 0;
  std::string message;
};

std::string error_line(const Problem& p);    // "sitekit: where:line: message"
std::string warning_line(const Problem& p);  // "sitekit: where:line: warning: message"
std::string text_of(const Problem& p);       // "where:line: message" (for runs.csv)

// Writes one whole line to standard error (emit) or standard output (say);
// safe from several threads.  A status line, when one is set, stays below
// them on the terminal: it is cleared before each line and drawn again.
void emit(const std::string& line);
void say(const std::string& line);
// Sets the status line (written to standard error without a line end), or
// clears it for good with an empty string.
void set_status_line(const std::string& status);
inline void error(const Problem& p) { emit(error_line(p)); }
inline void warn(const Problem& p) { emit(warning_line(p)); }

// Thrown by a subcommand when it cannot go on; main_entry reports it.
class Failure : public std::runtime_error {
 public:
  Failure(Exit status, Problem problem);
  Exit status() const { return status_; }
  const Problem& problem() const { return problem_; }

 private:
  Exit status_;
  Problem problem_;
};

[[noreturn]] void fail_input(Problem p);
[[noreturn]] void fail_usage(Problem p);

}  // namespace sitekit::cli
