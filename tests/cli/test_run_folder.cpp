// A run folder appears whole or not at all; runs.csv lists every run; one
// failing run does not stop the others and makes the exit status 1.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "cli/cli_fixture.h"

namespace sitekit::cli::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> entries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void write_inputs(const testsupport::ScratchDir& dir) {
  dir.write("wave.csv", small_wave(300));
  dir.write("soil.csv", example("soil.csv"));
}

// A copy of sitekit beside a stand-in for siteresp (a shell script), so that
// the computation can be made to fail after the run folder was begun.
testsupport::Outcome sitekit_with_fake(const testsupport::ScratchDir& dir, const std::string& script,
                                       const std::vector<std::string>& args) {
  fs::create_directory(dir.path() / "bin");
  fs::copy_file(SITEKIT_EXE, dir.path() / "bin/sitekit");
  dir.write("bin/siteresp", "#!/bin/sh\n" + script);
  fs::permissions(dir.path() / "bin/siteresp", fs::perms::owner_all | fs::perms::group_exec |
                                                   fs::perms::others_exec | fs::perms::others_read);
  return testsupport::run(dir.file("bin/sitekit"), args, testsupport::Options().in(dir.str()));
}

struct FailedComputation {
  std::string script;
  std::string err;
};

TEST(RunFolderAtomicity, FailedComputationLeavesNoFolder) {
  const FailedComputation cases[] = {
      {"echo partial > Amp-Factors.csv\n"
       "echo 'open: No such file or directory' >&2\n"
       "echo 'apparent state: unit 4 named soil.csv' >&2\n"
       "echo 'last format: list io' >&2\nexit 2\n",
       "sitekit: wave.csv: siteresp stopped: open: No such file or directory (apparent state: unit "
       "4 named site-a.csv)\n"},
      {"echo partial > Amp-Factors.csv\nkill -9 $$\n",
       "sitekit: wave.csv: siteresp was ended by signal 9 (Killed)\n"},
      {"echo partial > Amp-Factors.csv\nexit 0\n",
       "sitekit: wave.csv: siteresp ended without writing amp1.csv\n"},
  };
  for (const FailedComputation& c : cases) {
    testsupport::ScratchDir dir;
    write_inputs(dir);
    dir.write("site-a.csv", example("soil.csv"));
    const testsupport::Outcome r =
        sitekit_with_fake(dir, c.script, {"run", "--soil", "site-a.csv", "--out", "out", "wave.csv"});
    EXPECT_EQ(r.code(), 1);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(entries(dir.path() / "out"), std::vector<std::string>{"runs.csv"});
  }
}

TEST(RunFolderAtomicity, BadInputLeavesNoFolder) {
  testsupport::ScratchDir dir;
  write_inputs(dir);
  dir.write("bad.csv", "time,H1,H2,V1\n0,1,2,3\n0.01,x,2,3\n");
  EXPECT_EQ(sitekit(dir, {"run", "--soil", "soil.csv", "--out", "out", "bad.csv"}).code(), 1);
  EXPECT_EQ(entries(dir.path() / "out"), std::vector<std::string>{"runs.csv"});
}

// siteresp starts before its record is ready and waits for its answers: a
// run that stops first (a record that cannot be imported) kills it
// unanswered; otherwise it reads where its input is.
TEST(RunFolderAtomicity, TheComputationStartsFirstAndIsAnsweredOrKilled) {
  struct Row { const char* record; const char* log; };
  const Row rows[] = {
      {"time,H1,H2,V1\n0,1,2,3\n0.01,1,2,3\n", "answered input.csv\n"},
      {"not a record of any format\n", ""},
  };
  for (const Row& row : rows) {
    testsupport::ScratchDir dir;
    write_inputs(dir);
    dir.write("rec.csv", row.record);
    const std::string script = fmt::format("read a\necho \"answered $a\" >> '{}'\nexit 3\n", dir.file("log"));
    const testsupport::Outcome r = sitekit_with_fake(dir, script, {"run", "--soil", "soil.csv", "--out", "out", "rec.csv"});
    EXPECT_EQ(r.code(), 1) << r.err;
    EXPECT_EQ(fs::exists(dir.path() / "log") ? dir.read("log") : "", row.log) << row.record;
    EXPECT_EQ(entries(dir.path() / "out"), std::vector<std::string>{"runs.csv"});
  }
}

TEST(RunFolderAtomicity, OlderFolderIsReplacedWhole) {
  testsupport::ScratchDir dir;
  write_inputs(dir);
  fs::create_directories(dir.path() / "out/wave");
  dir.write("out/wave/stale.txt", "from an older run");
  dir.write("out/wave/wave1.csv", "older");
  ASSERT_EQ(sitekit(dir, {"run", "--soil", "soil.csv", "--out", "out", "wave.csv"}).code(), 0);
  EXPECT_EQ(entries(dir.path() / "out/wave"),
            (std::vector<std::string>{"Amp-Factors-KO.csv", "Amp-Factors.csv", "RespSpec.csv", "amp1.csv",
                                      "input.csv", "run-info.csv", "soil.csv", "summary.txt", "wave1.csv"}));
  EXPECT_EQ(entries(dir.path() / "out"), (std::vector<std::string>{"runs.csv", "wave"}));
}

TEST(RunFolderAtomicity, AFileInTheWayIsAnErrorNotAReplacement) {
  testsupport::ScratchDir dir;
  write_inputs(dir);
  fs::create_directories(dir.path() / "out");
  dir.write("out/wave", "a file, not a run");
  const testsupport::Outcome r = sitekit(dir, {"run", "--soil", "soil.csv", "--out", "out", "wave.csv"});
  EXPECT_EQ(r.code(), 1);
  EXPECT_EQ(r.err, "sitekit: out/wave: cannot move the finished run into place: exists and is not a folder\n");
  EXPECT_EQ(dir.read("out/wave"), "a file, not a run");
  EXPECT_EQ(entries(dir.path() / "out"), (std::vector<std::string>{"runs.csv", "wave"}));
}

TEST(RunFolderPaths, NoLimitOnTheLengthOfDir) {
  testsupport::ScratchDir dir;
  write_inputs(dir);
  std::string deep = "out";
  for (int i = 0; i < 6; ++i) deep += "/a-folder-name-of-forty-characters-xxxxxxx";
  dir.write("a-wave-file-with-a-long-name.csv", small_wave(300));
  const testsupport::Outcome r =
      sitekit(dir, {"run", "--soil", "soil.csv", "--out", deep, "a-wave-file-with-a-long-name.csv"});
  ASSERT_EQ(r.code(), 0) << r.err;
  EXPECT_EQ(dir.read(deep + "/a-wave-file-with-a-long-name/input.csv"), small_wave(300));
  EXPECT_TRUE(dir.exists(deep + "/a-wave-file-with-a-long-name/wave1.csv"));
}

TEST(RunFolderFiles, TheRecordsCopyIsByteForByteAndWritable) {
  // A wave file goes to input.csv as it is, by the kernel's copy; the copy
  // takes the run's file mode, not the record's (a read-only record stays
  // read-only, its copy does not).
  struct Row { const char* what; fs::perms mode; };
  const Row rows[] = {
      {"an ordinary record", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read},
      {"a read-only record", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read},
  };
  for (const Row& r : rows) {
    testsupport::ScratchDir dir;
    write_inputs(dir);
    fs::permissions(dir.path() / "wave.csv", r.mode);
    ASSERT_EQ(sitekit(dir, {"run", "--soil", "soil.csv", "--out", "out", "wave.csv"}).code(), 0) << r.what;
    EXPECT_EQ(dir.read("out/wave/input.csv"), dir.read("wave.csv")) << r.what;
    EXPECT_EQ(fs::status(dir.path() / "out/wave/input.csv").permissions(),
              fs::status(dir.path() / "out/wave/RespSpec.csv").permissions())
        << r.what;
    EXPECT_NE(fs::status(dir.path() / "out/wave/input.csv").permissions() & fs::perms::owner_write, fs::perms::none)
        << r.what;
    EXPECT_EQ(entries(dir.path() / "out/wave").size(), 9u) << r.what;  // no temporary left behind
  }
}

TEST(RunBatch, OneFailureDoesNotStopTheOthers) {
  testsupport::ScratchDir dir;
  write_inputs(dir);
  dir.write("w2.csv", small_wave(250));
  dir.write("bad.csv", "time,H1,H2,V1\n0,1,2,3\n0.01,x,2,3\n");
  const testsupport::Outcome r =
      sitekit(dir, {"run", "--soil", "soil.csv", "--out", "out", "-j", "2", "wave.csv", "bad.csv", "w2.csv"});
  EXPECT_EQ(r.code(), 1);
  EXPECT_EQ(entries(dir.path() / "out"), (std::vector<std::string>{"runs.csv", "w2", "wave"}));
  const std::vector<std::string> rows = lines_of(dir.read("out/runs.csv"));
  ASSERT_EQ(rows.size(), 4u);
  expect_starts(rows[1], "wave.csv,wave,ok,");
  expect_starts(rows[2], "bad.csv,bad,failed,\"bad.csv:3: field 2: \"\"x\"\" is not a number\",,soil.csv,");
  expect_starts(rows[3], "w2.csv,w2,ok,");
}

}  // namespace
}  // namespace sitekit::cli::test

namespace sitekit::cli::test {
namespace {

TEST(RunBatch, InterruptStopsNewRunsAndKeepsTheTable) {
  testsupport::ScratchDir dir;
  dir.write("soil.csv", example("soil.csv"));
  std::vector<std::string> args = {"run", "--soil", "soil.csv", "--out", "out", "-j", "1"};
  for (int i = 0; i < 40; ++i) {
    dir.write(fmt::format("r{}.csv", i), example("wave.csv"));
    args.push_back(fmt::format("r{}.csv", i));
  }
  testsupport::Child c(SITEKIT_EXE, args, testsupport::Options().in(dir.str()));
  ASSERT_TRUE(c.wait_for("ok      r0 "));
  c.signal(SIGINT);
  const testsupport::Outcome r = c.finish();
  EXPECT_EQ(r.code(), 1);
  const std::vector<std::string> rows = lines_of(dir.read("out/runs.csv"));
  ASSERT_EQ(rows.size(), 41u);
  int ok = 0, stopped = 0;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const std::string name = fmt::format("r{}", i - 1);
    if (rows[i].find(",ok,") != std::string::npos) {
      ++ok;
      EXPECT_TRUE(dir.exists("out/" + name + "/wave1.csv")) << name;
    } else {
      ++stopped;
      EXPECT_NE(rows[i].find(",failed,not run: interrupted before it started,"), std::string::npos) << rows[i];
      EXPECT_FALSE(dir.exists("out/" + name)) << name;
    }
  }
  EXPECT_GE(ok, 1);
  EXPECT_GE(stopped, 1);
  for (const auto& e : std::filesystem::directory_iterator(dir.path() / "out"))
    EXPECT_NE(e.path().filename().string().front(), '.') << e.path();
}

}  // namespace
}  // namespace sitekit::cli::test
