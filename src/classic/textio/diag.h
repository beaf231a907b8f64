#pragma once
// The one funnel through which every failure of a run ends it.
//
// A diagnostic is three or four lines on standard error:
//   CONTEXT: MESSAGE            (or "CONTEXT: end of file")
//   apparent state: unit N named NAME      (or "unit N (unnamed)" for the console)
//   last format: FORMAT         (left out after a completed fixed-width statement)
//   lately reading|writing sequential formatted external IO
// after which every open result file is written out and closed and the run
// ends abnormally (SIGABRT, no signal text of its own).
#include <cstddef>

namespace siteresp::textio {

// Statement bookkeeping that the diagnostics report.  Free-form statements
// pass "list io"; fixed-width ones pass their format text.
void begin_statement(bool reading, const char* format);
// A fixed-width statement that completed leaves no "last format" line.
void end_formatted_statement();

// CONTEXT: MESSAGE, or CONTEXT: end of file when message is nullptr.
[[noreturn]] void fail(const char* context, const char* message, int unit, const char* name);
// CONTEXT: the system's text for errno value `err`.
[[noreturn]] void fail_errno(const char* context, int err, int unit, const char* name);
// A refusal of the program's own (bad input values, lost output): the first
// line is `what` as it stands, then the channel line and the "lately" line;
// there is no format line.
[[noreturn]] void refuse(const char* what, int unit, const char* name, bool reading);

// Ends the run abnormally after the files are closed.  Tests and fuzzers may
// replace the final step: the hook is called instead of abort() (it must not
// return; if it does, the run aborts anyway).
using AbnormalEndHook = void (*)();
void set_abnormal_end_hook(AbnormalEndHook hook);
[[noreturn]] void abnormal_end();

}  // namespace siteresp::textio
