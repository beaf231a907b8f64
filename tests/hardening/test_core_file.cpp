// A deliberate abnormal end leaves no core file in the user's directory,
// even where the shell allows them; a real crash still dumps as the user's
// settings say.
#include <csignal>
#include <filesystem>
#include <string>

#include "hostile.h"

namespace {

using namespace hardening;

// The program as started from a shell that allows core files of any size.
const std::string shell = "/bin/sh";
const std::string allow_cores = "ulimit -c unlimited && exec \"$0\"";

int core_files(const TempDir& dir) {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
    if (e.path().filename().string().rfind("core", 0) == 0) ++n;
  }
  return n;
}

TEST(CoreFiles, NoneAfterADiagnostic) {
  // First the user's settings at work: a crash (SIGQUIT while the program
  // waits at its first question) dumps core.  Where nothing dumps anyway
  // (a sanitizer, a core pattern that sends dumps elsewhere) there is
  // nothing to show.
  TempDir crash;
  testsupport::Child child(shell, {"-c", allow_cores, SITERESP_EXE},
                           testsupport::Options().in(crash.str()).stdin_kept_open());
  ASSERT_TRUE(child.wait_for("Enter Wave Data"));
  child.signal(SIGQUIT);
  const ChildResult crashed = child.finish();
  ASSERT_EQ(crashed.signal(), SIGQUIT);
  if (core_files(crash) == 0) GTEST_SKIP() << "this machine writes no core file into the working directory";

  TempDir dir;
  const ChildResult r = testsupport::run(shell, {"-c", allow_cores, SITERESP_EXE},
                                         testsupport::Options().in(dir.str()).with_input("nosuch.csv\n"));
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.err, "open: No such file or directory\napparent state: unit 11 named nosuch.csv\n" + lately_reading);
  EXPECT_EQ(core_files(dir), 0);
}

}  // namespace
