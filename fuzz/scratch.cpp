// The harnesses' surroundings: scratch directory, standard streams, files.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support.h"
#include "textio/channel.h"
#include "textio/diag.h"

// Present when a sanitizer runtime is linked in.
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

namespace fuzzing {

int saved_stderr = 2;  // the standard error of the process before setup
int home_dir = -1;     // the working directory the process started in

namespace {

std::string scratch;
int scratch_dir = -1;

const char* scratch_base() {
  if (access("/dev/shm", W_OK) == 0) return "/dev/shm";
  const char* tmp = std::getenv("TMPDIR");
  return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

// Only files the harnesses make are removed; the directory goes when it is
// then empty, so that anything else found there is left for inspection.
void leave_scratch() {
  for (const char* f : {"w", "s", "f", "Amp-Factors.csv", "amp1.csv", "wave1.csv"})
    unlink((scratch + "/" + f).c_str());
  rmdir(scratch.c_str());
}

[[noreturn]] void throw_abnormal_end() { throw AbnormalEnd{}; }

void fail_setup(const char* what) {
  std::fprintf(stderr, "fuzz harness setup: %s failed (errno %d)\n", what, errno);
  std::abort();
}

bool write_all(int fd, const char* p, std::size_t n) {
  while (n > 0) {
    const ssize_t k = write(fd, p, n);
    if (k < 0 && errno == EINTR) continue;
    if (k <= 0) return false;
    p += k;
    n -= static_cast<std::size_t>(k);
  }
  return true;
}

}  // namespace

void setup() {
  static bool done = false;
  if (done) return;
  done = true;
  saved_stderr = fcntl(2, F_DUPFD_CLOEXEC, 10);
  if (saved_stderr < 0) fail_setup("dup of standard error");
  if (__sanitizer_set_report_fd != nullptr)
    __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<std::intptr_t>(saved_stderr)));

  std::string tmpl = std::string(scratch_base()) + "/siteresp-fuzz-XXXXXX";
  if (mkdtemp(tmpl.data()) == nullptr) fail_setup("mkdtemp");
  scratch = tmpl;
  scratch_dir = open(scratch.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  home_dir = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (scratch_dir < 0 || home_dir < 0) fail_setup("open of the working directories");
  std::atexit(leave_scratch);

  const int null = open("/dev/null", O_WRONLY);
  if (null < 0 || dup2(null, 1) < 0) fail_setup("/dev/null as standard output");
  close(null);
  const int in = memfd_create("answers", 0);
  if (in < 0 || dup2(in, 0) < 0) fail_setup("memory file as standard input");
  close(in);
  siteresp::textio::set_abnormal_end_hook(throw_abnormal_end);
}

InScratch::InScratch() {
  if (fchdir(scratch_dir) != 0) finding("cannot enter the scratch directory");
}

InScratch::~InScratch() {
  if (fchdir(home_dir) != 0) finding("cannot leave the scratch directory");
}

void put_file(const char* name, std::string_view bytes) {
  const int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || !write_all(fd, bytes.data(), bytes.size())) finding("scratch file not written", name);
  close(fd);
}

void remove_file(const char* name) { unlink(name); }

bool read_file(const char* name, std::string& content) {
  content.clear();
  const int fd = open(name, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buf[1 << 16];
  ssize_t n;
  while ((n = read(fd, buf, sizeof buf)) > 0) content.append(buf, static_cast<std::size_t>(n));
  close(fd);
  return true;
}

void set_console_input(std::string_view bytes) {
  if (ftruncate(0, 0) != 0 || lseek(0, 0, SEEK_SET) != 0 || !write_all(0, bytes.data(), bytes.size()) ||
      lseek(0, 0, SEEK_SET) != 0)
    finding("console input not replaced");
  siteresp::textio::console_in().attach_console();
}

}  // namespace fuzzing

// Every harness starts the same way; the fuzzer (or the replay main) calls
// this once before the first input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::setup();
  return 0;
}
