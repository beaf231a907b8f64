// The diagnostic that ends a failed run, and the abnormal end itself.
#include "textio/diag.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/resource.h>
#include <unistd.h>

#include "textio/channel.h"
#include "textio/detail/fdio.h"

namespace siteresp::textio {
namespace {

// What the last statement was, for the "last format" and "lately" lines.
struct StatementState {
  bool reading = true;
  bool has_format = false;
  const char* format = "";  // a literal or a Format's text: both outlive the run
};
StatementState last;

AbnormalEndHook hook = nullptr;

// A diagnostic is composed in a fixed buffer and written with one write(2);
// a piece that does not fit is cut.
class Text {
public:
  Text& add(const char* s) {
    while (*s != '\0' && n_ < sizeof buf_) buf_[n_++] = *s++;
    return *this;
  }
  Text& add_int(int v) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", v);
    return add(digits);
  }
  void write_out() const { write_all(STDERR_FILENO, buf_, n_); }

private:
  char buf_[1024];
  std::size_t n_ = 0;
};

//   apparent state: unit 11 named wave.csv
//   apparent state: unit 5 (unnamed)
void add_channel(Text& t, int unit, const char* name) {
  t.add("apparent state: unit ").add_int(unit);
  if (name != nullptr) {
    t.add(" named ").add(name).add("\n");
  } else {
    t.add(" (unnamed)\n");
  }
}

//   lately reading sequential formatted external IO
void add_lately(Text& t, bool reading) {
  t.add("lately ").add(reading ? "reading" : "writing").add(" sequential formatted external IO\n");
}

[[noreturn]] void report(const char* first, const char* second, int unit, const char* name) {
  Text t;
  t.add(first).add(": ").add(second).add("\n");
  add_channel(t, unit, name);
  if (last.has_format) t.add("last format: ").add(last.format).add("\n");
  add_lately(t, last.reading);
  t.write_out();
  abnormal_end();
}

}  // namespace

void begin_statement(bool reading, const char* format) {
  last.reading = reading;
  last.has_format = format != nullptr;
  if (format != nullptr) last.format = format;
}

void end_formatted_statement() { last.has_format = false; }

void fail(const char* context, const char* message, int unit, const char* name) {
  report(context, message != nullptr ? message : "end of file", unit, name);
}

void fail_errno(const char* context, int err, int unit, const char* name) {
  report(context, std::strerror(err), unit, name);
}

void refuse(const char* what, int unit, const char* name, bool reading) {
  Text t;
  t.add(what).add("\n");
  add_channel(t, unit, name);
  add_lately(t, reading);
  t.write_out();
  abnormal_end();
}

void set_abnormal_end_hook(AbnormalEndHook h) { hook = h; }

void abnormal_end() {
  flush_open_files();
  if (hook != nullptr) hook();
  // Our own abort carries no signal text: the handler that prints
  // "IOT Trap" is for aborts from outside.  Nor does it leave a core file:
  // the diagnostic has said what went wrong, and a dump of a deliberate
  // end would only fill the user's directory.
  std::signal(SIGABRT, SIG_DFL);
  rlimit core{};
  if (getrlimit(RLIMIT_CORE, &core) == 0) {
    core.rlim_cur = 0;
    setrlimit(RLIMIT_CORE, &core);
  }
  std::abort();
}

}  // namespace siteresp::textio
