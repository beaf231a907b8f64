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

namespace {

std::mutex lock;
std::string status_line;

void write_fd(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

// One write per line, under the lock, so lines of parallel runs never mix.
void put_line(int fd, const std::string& line) {
  std::lock_guard<std::mutex> guard(lock);
  if (!status_line.empty()) write_fd(2, "\r\033[K");
  write_fd(fd, line + "\n");
  if (!status_line.empty()) write_fd(2, status_line);
}

}  // namespace

void emit(const std::string& line) { put_line(2, line); }
void say(const std::string& line) { put_line(1, line); }

void set_status_line(const std::string& status) {
  std::lock_guard<std::mutex> guard(lock);
  write_fd(2, "\r\033[K" + status);
  status_line = status;
}

Failure::Failure(Exit status, Problem problem)
    : std::runtime_error(text_of(problem)), status_(status), problem_(std::move(problem)) {}

void fail_input(Problem p) { throw Failure(Exit::bad_input, std::move(p)); }
void fail_usage(Problem p) { throw Failure(Exit::bad_usage, std::move(p)); }

}  // namespace sitekit::cli
