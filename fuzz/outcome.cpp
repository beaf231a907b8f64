// Standard error captured around a guarded call, and the checks of the
// diagnostic that an abnormal end must leave.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "support.h"

namespace fuzzing {

extern int saved_stderr;
extern int home_dir;

namespace {

int capture_fd = -1;
char captured[8192];

void say(std::string_view s) {
  while (!s.empty()) {
    const ssize_t k = write(saved_stderr, s.data(), s.size());
    if (k <= 0) return;
    s.remove_prefix(static_cast<std::size_t>(k));
  }
}

// First lines a diagnostic may have: the record layer's failures, the
// system's refusals (with its own text after the context) and the program's
// own refusals of values it cannot work with.
bool known_first_line(std::string_view l) {
  static constexpr std::string_view exact[] = {
      "list in: end of file",
      "read start: end of file",
      "fmt: end of file",
      "invalid number: incomprehensible list input",
      "exponent field: incomprehensible list input",
      "bad repetition count: incomprehensible list input",
      "invalid integer: read unexpected character",
      "open: null file name",
      "list output start: can't write file",
  };
  static constexpr std::string_view prefix[] = {"open: ", "read: ", "write: ", "close: ",
                                                "wave record: ", "soil profile: "};
  for (std::string_view e : exact)
    if (l == e) return true;
  for (std::string_view p : prefix)
    if (l.size() > p.size() && l.substr(0, p.size()) == p) return true;
  return false;
}

//   apparent state: unit N named NAME   or   apparent state: unit N (unnamed)
bool channel_line(std::string_view l, std::initializer_list<int> units) {
  constexpr std::string_view head = "apparent state: unit ";
  if (l.substr(0, head.size()) != head) return false;
  l.remove_prefix(head.size());
  int unit = 0;
  std::size_t i = 0;
  for (; i < l.size() && i < 3 && l[i] >= '0' && l[i] <= '9'; ++i) unit = unit * 10 + (l[i] - '0');
  if (i == 0) return false;
  bool listed = false;
  for (int u : units) listed = listed || u == unit;
  l.remove_prefix(i);
  // A typed name that starts with a NUL byte opens as "" and shows empty.
  constexpr std::string_view named = " named ";
  const bool name_ok = l == " (unnamed)" || l.substr(0, named.size()) == named;
  return listed && name_ok;
}

bool format_line(std::string_view l) {
  constexpr std::string_view head = "last format: ";
  if (l.substr(0, head.size()) != head) return false;
  l.remove_prefix(head.size());
  return l == "list io" || (!l.empty() && l.front() == '(' && l.back() == ')');
}

bool lately_line(std::string_view l) {
  return l == "lately reading sequential formatted external IO" ||
         l == "lately writing sequential formatted external IO";
}

}  // namespace

void begin_capture() {
  if (capture_fd < 0) capture_fd = memfd_create("diagnostic", MFD_CLOEXEC);
  if (capture_fd < 0 || ftruncate(capture_fd, 0) != 0 || lseek(capture_fd, 0, SEEK_SET) != 0 ||
      dup2(capture_fd, 2) < 0)
    finding("standard error not captured");
}

std::string_view end_capture() {
  dup2(saved_stderr, 2);
  struct stat st;
  if (fstat(capture_fd, &st) != 0) finding("captured standard error lost");
  if (static_cast<std::size_t>(st.st_size) > sizeof captured) finding("standard error flooded");
  const ssize_t n = pread(capture_fd, captured, sizeof captured, 0);
  return {captured, n > 0 ? static_cast<std::size_t>(n) : 0};
}

void finding(const char* what, std::string_view detail) {
  // Back home first: the fuzzer writes the input it keeps relative to it.
  if (home_dir >= 0 && fchdir(home_dir) != 0) say("(still in the scratch directory)\n");
  say("siteresp fuzz finding: ");
  say(what);
  say("\n");
  if (!detail.empty()) {
    say(detail);
    say("\n");
  }
  std::abort();
}

void check_outcome(const Outcome& o, std::initializer_list<int> units) {
  if (!o.abnormal) {
    if (!o.diag.empty()) finding("standard error written by a call that returned", o.diag);
    return;
  }
  if (o.diag.empty() || o.diag.back() != '\n') finding("abnormal end without a whole diagnostic", o.diag);
  std::string_view lines[5];
  int n = 0;
  for (std::string_view rest = o.diag; !rest.empty() && n < 5; ++n) {
    const std::size_t nl = rest.find('\n');
    lines[n] = rest.substr(0, nl);
    rest.remove_prefix(nl + 1);
  }
  const bool shape = (n == 3 || (n == 4 && format_line(lines[2]))) && known_first_line(lines[0]) &&
                     channel_line(lines[1], units) && lately_line(lines[n - 1]);
  if (!shape) finding("malformed diagnostic", o.diag);
}

bool names_a_path(std::string_view answers, int lines) {
  for (int i = 0; i < lines && !answers.empty(); ++i) {
    const std::size_t nl = answers.find('\n');
    if (answers.substr(0, nl).find('/') != std::string_view::npos) return true;
    if (nl == std::string_view::npos) break;
    answers.remove_prefix(nl + 1);
  }
  return false;
}

int split(std::string_view input, std::string_view* parts, int max) {
  constexpr std::string_view sep = "\n~~~\n";
  int n = 0;
  while (n < max - 1) {
    const std::size_t at = input.find(sep);
    if (at == std::string_view::npos) break;
    parts[n++] = input.substr(0, at);
    input.remove_prefix(at + sep.size());
  }
  parts[n++] = input;
  return n;
}

}  // namespace fuzzing
