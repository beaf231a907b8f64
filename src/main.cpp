// siteresp: ground response of a layered soil profile to a three-channel
// earthquake record.  The program takes no arguments: it asks its questions
// on standard output and reads the answers from standard input.
#include "driver/run.h"
#include "response/split.h"
#include "textio/signals.h"

int main() {
  siteresp::textio::install_signal_handlers();
  // Before the run, so that the processing allocates nothing.
  siteresp::start_sweep_helper();
  return siteresp::run();
}
