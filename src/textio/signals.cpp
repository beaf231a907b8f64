// Signal handling: a short line on standard error, result files written out
// and closed, then the end the signal calls for.  The handlers use only
// write(2), close(2), _exit(2), sigaction(2) and abort(3).
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

#include "textio/channel.h"
#include "textio/diag.h"
#include "textio/fdio.h"

namespace siteresp::textio {
namespace {

void say(const char* text) noexcept { write_all(STDERR_FILENO, text, std::strlen(text)); }

[[noreturn]] void abort_by_default() noexcept {
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  sigemptyset(&dfl.sa_mask);
  sigaction(SIGABRT, &dfl, nullptr);
  std::abort();  // unblocks SIGABRT itself
}

extern "C" void on_interrupt(int) {
  say("Interrupt\n");
  flush_open_files();
  _exit(1);
}

extern "C" void on_terminate(int) {
  say("Killed\n");
  flush_open_files();
  _exit(1);
}

extern "C" void on_float_trap(int) {
  say("Floating Exception\n");
  flush_open_files();
  abort_by_default();
}

extern "C" void on_abort(int) {
  say("IOT Trap\n");
  flush_open_files();
  abort_by_default();
}

void handle(int sig, void (*fn)(int)) {
  struct sigaction sa {};
  sa.sa_handler = fn;
  // No other of these signals may interrupt a handler half-way.
  sigfillset(&sa.sa_mask);
  sigaction(sig, &sa, nullptr);
}

}  // namespace

void install_signal_handlers() {
  handle(SIGINT, on_interrupt);
  handle(SIGTERM, on_terminate);
  handle(SIGFPE, on_float_trap);
  handle(SIGABRT, on_abort);
}

}  // namespace siteresp::textio
