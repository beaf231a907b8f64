#pragma once
// Signals that end a run: a short line on standard error, every open result
// file written out and closed, then the end the signal calls for.
namespace siteresp::textio {

// Interrupt -> "Interrupt", termination -> "Killed" (status 1); floating
// point trap -> "Floating Exception", abort from outside -> "IOT Trap"
// (abnormal end).  Open result files are written out and closed first.
void install_signal_handlers();

// Writes the signal's line, writes out and closes the result files, and ends
// as the signal calls for.
[[noreturn]] void end_by_signal(int sig) noexcept;

// While a block of a result file is being written, the signals above are
// only noted; the writer acts on them when its write returns, so that no
// byte reaches the file twice.  end_block_write() returns the signal that
// came meanwhile, or 0.
void begin_block_write() noexcept;
int end_block_write() noexcept;
int pending_signal() noexcept;

}  // namespace siteresp::textio
