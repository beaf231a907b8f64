// Signal handling: a short line on standard error, result files written out
// and closed, then the end the signal calls for.  The handlers use only
// write(2), close(2), _exit(2), sigaction(2) and abort(3).
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

#include "textio/channel.h"
#include "textio/diag.h"
#include "textio/signals.h"
#include "textio/detail/fdio.h"

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

// Set while a block of a result file is being written: a signal that comes
// then is only noted, and acted on when the write returns, so that nothing
// is written twice and no row is torn.
volatile std::sig_atomic_t in_block_write = 0;
volatile std::sig_atomic_t pending = 0;

extern "C" void on_signal(int sig) {
  if (in_block_write) {
    pending = sig;
    return;
  }
  end_by_signal(sig);
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
  for (int sig : {SIGINT, SIGTERM, SIGFPE, SIGABRT}) handle(sig, on_signal);
}

void end_by_signal(int sig) noexcept {
  // A second signal must not start the ending again half-way.
  sigset_t all;
  sigfillset(&all);
  sigprocmask(SIG_BLOCK, &all, nullptr);
  switch (sig) {
    case SIGINT:
      say("Interrupt\n");
      break;
    case SIGTERM:
      say("Killed\n");
      break;
    case SIGFPE:
      say("Floating Exception\n");
      break;
    default:
      say("IOT Trap\n");
      break;
  }
  flush_open_files();
  if (sig == SIGINT || sig == SIGTERM) _exit(1);
  abort_by_default();
}

void begin_block_write() noexcept { in_block_write = 1; }

int end_block_write() noexcept {
  in_block_write = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  const int sig = pending;
  pending = 0;
  return sig;
}

int pending_signal() noexcept { return pending; }

}  // namespace siteresp::textio
