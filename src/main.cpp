// siteresp: ground response of a layered soil profile to a three-channel
// earthquake record.  The program takes no arguments: it asks its questions
// on standard output and reads the answers from standard input.
#include "driver/run.h"
#include "textio/signals.h"

int main() {
  siteresp::textio::install_signal_handlers();
  return siteresp::run();
}
