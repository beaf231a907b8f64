#pragma once
// What the harnesses share: a scratch directory on a memory file system, the
// console input replaced by bytes of the fuzz input, the abnormal end turned
// into an exception, and the checks of how a read or a run ended.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace fuzzing {

// Thrown by the abnormal end hook: the run ended with its diagnostic.
struct AbnormalEnd {};

// Once per process: makes a scratch directory (under /dev/shm when it is
// writable, else $TMPDIR or /tmp), sends standard output to /dev/null,
// makes standard input a memory file and installs the throwing abnormal end
// hook.  Findings and sanitizer reports go to the standard error that was
// there before.
void setup();

// The scratch directory is the working directory while one of these lives;
// the fuzzer's own relative paths (corpus, artifacts) stay as given.
class InScratch {
public:
  InScratch();
  ~InScratch();
  InScratch(const InScratch&) = delete;
  InScratch& operator=(const InScratch&) = delete;
};

// Replaces the scratch file `name` with `bytes`; remove_file deletes it.
void put_file(const char* name, std::string_view bytes);
void remove_file(const char* name);
// The content of scratch file `name`; false when there is none.
bool read_file(const char* name, std::string& content);

// Makes `bytes` the whole of what the console channel reads next.
void set_console_input(std::string_view bytes);

// How a guarded call ended: by returning, or through the abnormal end; and
// everything it wrote to standard error.
struct Outcome {
  bool abnormal = false;
  std::string_view diag;
};

void begin_capture();
std::string_view end_capture();

template <typename F>
Outcome guarded(F&& body) {
  begin_capture();
  Outcome o;
  try {
    body();
  } catch (const AbnormalEnd&) {
    o.abnormal = true;
  }
  o.diag = end_capture();
  return o;
}

// A finding: the message and the detail go to the saved standard error and
// the process aborts, so that the fuzzer keeps the input.
[[noreturn]] void finding(const char* what, std::string_view detail = {});

// An abnormal end must have left exactly one well-formed diagnostic naming
// one of `units`; a call that returned must have written nothing.
void check_outcome(const Outcome& o, std::initializer_list<int> units);

// True when one of the first `lines` lines of console answers holds a "/":
// such a name could reach beyond the scratch directory (an endless device
// such as /dev/zero would keep a reader busy for ever), so the harnesses
// skip those inputs.
bool names_a_path(std::string_view answers, int lines);

// Splits `input` at the separator "\n~~~\n" into at most `max` parts;
// returns how many there are.  The last part takes the rest.
int split(std::string_view input, std::string_view* parts, int max);

}  // namespace fuzzing
