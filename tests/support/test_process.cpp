// The harness itself: what a child gets, how it may end, and the guarantees
// every test relies on (deadline, no core file, the unprivileged user).
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using testsupport::Child;
using testsupport::Options;
using testsupport::Outcome;
using testsupport::run;
using testsupport::run_function;
using testsupport::ScratchDir;

const std::string sh = "/bin/sh";

TEST(Process, StreamsArgumentsAndStatus) {
  const Outcome r = run(sh, {"-c", "cat; echo \"$0\" >&2; exit 3", "zero"}, Options().with_input("in\n"));
  EXPECT_EQ(r.out, "in\n");
  EXPECT_EQ(r.err, "zero\n");
  EXPECT_TRUE(r.exited());
  EXPECT_EQ(r.code(), 3);
  EXPECT_EQ(r.signal(), 0);
  EXPECT_FALSE(r.timed_out);
}

TEST(Process, MergedStreamsKeepTheirOrder) {
  const Outcome r = run(sh, {"-c", "echo 1; echo 2 >&2; echo 3"}, Options().merged());
  EXPECT_EQ(r.out, "1\n2\n3\n");
  EXPECT_EQ(r.err, "");
}

// A megabyte each way: input and output are pumped together, so neither
// side can fill its pipe and wait for the other.
TEST(Process, LargeInputAndOutputAtOnce) {
  const std::string big(1 << 20, 'x');
  const Outcome r = run("/bin/cat", {}, Options().with_input(big));
  EXPECT_EQ(r.out.size(), big.size());
  EXPECT_EQ(r.code(), 0);
}

TEST(Process, WorkingDirectory) {
  ScratchDir dir;
  dir.write("here.txt", "found");
  EXPECT_EQ(run("/bin/cat", {"here.txt"}, Options().in(dir.str())).out, "found");
}

TEST(Process, FunctionChild) {
  const Outcome r = run_function(
      [] {
        int c = 0;
        std::string got;
        while ((c = std::getchar()) != EOF) got += static_cast<char>(c);
        std::printf("[%s]", got.c_str());
        return 7;
      },
      Options().with_input("abc"));
  EXPECT_EQ(r.out, "[abc]");
  EXPECT_EQ(r.code(), 7);
}

TEST(Process, AbortIsSeen) {
  const Outcome r = run_function([] {
    std::abort();
    return 0;
  });
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.code(), -1);
}

// A hung child is killed at the deadline, and the test goes on.
TEST(Process, DeadlineKillsAHungChild) {
  const auto start = std::chrono::steady_clock::now();
  const Outcome r = run("/bin/sleep", {"30"}, Options().within(std::chrono::milliseconds(300)));
  EXPECT_TRUE(r.timed_out);
  EXPECT_EQ(r.signal(), SIGKILL);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

// A child that keeps its standard input open waits until it is signalled.
TEST(Process, WatchAndSignal) {
  Child c(sh, {"-c", "echo ready; read x; echo never"}, Options().stdin_kept_open());
  ASSERT_TRUE(c.wait_for("ready\n"));
  c.signal(SIGTERM);
  const Outcome r = c.finish();
  EXPECT_EQ(r.out, "ready\n");
  EXPECT_EQ(r.signal(), SIGTERM);
}

TEST(Process, NoCoreFileLimit) {
  const Outcome r = run_function([] {
    rlimit core{};
    getrlimit(RLIMIT_CORE, &core);
    return core.rlim_cur == 0 ? 0 : 1;
  });
  EXPECT_EQ(r.code(), 0);
}

TEST(Process, UnprivilegedUser) {
  if (geteuid() != 0) GTEST_SKIP() << "not root: there is no one to drop to";
  const Outcome r = run_function([] { return geteuid() == 65534 && getegid() == 65534 ? 0 : 1; },
                                 Options().as_nobody());
  EXPECT_EQ(r.code(), 0);
}

TEST(ScratchDir, WriteReadAndRemoval) {
  std::filesystem::path where;
  {
    ScratchDir dir;
    where = dir.path();
    EXPECT_EQ(dir.write("a.txt", "bytes\r\n"), dir.file("a.txt"));
    EXPECT_EQ(dir.read("a.txt"), "bytes\r\n");
    EXPECT_TRUE(dir.exists("a.txt"));
    EXPECT_FALSE(dir.exists("b.txt"));
    EXPECT_EQ(dir.read("b.txt"), "");
  }
  EXPECT_FALSE(std::filesystem::exists(where));
}

}  // namespace
