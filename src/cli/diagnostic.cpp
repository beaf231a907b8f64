#include "cli/diagnostic.h"

#include <fmt/format.h>
#include <unistd.h>

#include <mutex>

namespace sitekit::cli {

namespace {

std::string location(const Problem& p) {
  if (p.where.empty()) return {};
  if (p.line > 0) return fmt::format("{}:{}: ", p.where, p.line);
  return p.where + ": ";
}

}  // namespace

std::string text_of(const Problem& p) { return location(p) + p.message; }

std::string error_line(const Problem& p) { return "sitekit: " + text_of(p); }

std::string warning_line(const Problem& p) {
  return "sitekit: " + location(p) + "warning: " + p.message;
}

void emit(const std::string& line) {
  // One write per line, under a lock, so lines of parallel runs never mix.
  static std::mutex lock;
  const std::string whole = line + "\n";
  std::lock_guard<std::mutex> guard(lock);
  std::size_t done = 0;
  while (done < whole.size()) {
    const ssize_t n = ::write(2, whole.data() + done, whole.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

Failure::Failure(Exit status, Problem problem)
    : std::runtime_error(text_of(problem)), status_(status), problem_(std::move(problem)) {}

void fail_input(Problem p) { throw Failure(Exit::bad_input, std::move(p)); }
void fail_usage(Problem p) { throw Failure(Exit::bad_usage, std::move(p)); }

}  // namespace sitekit::cli
