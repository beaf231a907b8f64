// An interrupt while a result file is being written to a reader that has
// stopped reading: the file must receive a prefix of its normal content,
// never a byte twice, and the run must still end at once.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "hostile.h"

namespace {

using namespace hardening;

// Reads from fd until `want` bytes are in (or the end when want is 0).
void read_from(int fd, std::string& into, std::size_t want) {
  char buf[65536];
  while (want == 0 || into.size() < want) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 20000) <= 0) return;
    const ssize_t k = read(fd, buf, want == 0 ? sizeof buf : std::min(sizeof buf, want - into.size()));
    if (k <= 0) return;
    into.append(buf, static_cast<std::size_t>(k));
  }
}

TEST(InterruptWhileWriting, StalledPipeGetsAPrefixOnly) {
  const std::string wave = record(32768);
  const Reference ref = reference_run(wave, two_layers());
  ASSERT_GT(ref.amp_factors.size(), 600000u);

  for (int sig : {SIGINT, SIGTERM}) {
    TempDir dir;
    dir.write("w.csv", wave);
    dir.write("s.csv", two_layers());
    ASSERT_EQ(mkfifo(dir.file("Amp-Factors.csv").c_str(), 0600), 0);
    testsupport::Child child(SITERESP_EXE, {}, testsupport::Options().in(dir.str()).with_input("w.csv\ns.csv\n"));
    ASSERT_TRUE(child.wait_for("Thickness(m)\n"));
    // Standard input ends after the file names: the run would end at the
    // first question, but it never gets there while the pipe is not read.
    const int fd = open(dir.file("Amp-Factors.csv").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    std::string got;
    read_from(fd, got, 300000);  // then stop reading: the writer blocks
    usleep(200000);
    child.signal(sig);
    const ChildResult r = child.finish();
    read_from(fd, got, 0);
    close(fd);
    EXPECT_TRUE(r.exited() && r.code() == 1) << "signal " << sig;
    ASSERT_GE(got.size(), 300000u);
    EXPECT_EQ(got, ref.amp_factors.substr(0, got.size())) << "signal " << sig;
  }
}

}  // namespace
