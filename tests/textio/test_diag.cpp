// Diagnostics and abnormal ends, watched from outside: the probe program
// runs the reads and opens, and its standard error is compared byte for byte.
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "probe_child.h"
#include "temp_dir.h"

namespace {

using textio_test::TempDir;

const std::string console = "apparent state: unit 5 (unnamed)\n";
const std::string list_io = "last format: list io\n";
const std::string lately_reading = "lately reading sequential formatted external IO\n";
const std::string lately_writing = "lately writing sequential formatted external IO\n";

struct ConsoleFailure {
  std::vector<std::string> steps;
  std::string input;
  std::string first_line;
};

// Every failure of a free-form read on the console: the first line names
// the failure, then the console channel, the format and the statement kind.
TEST(Diagnostics, FreeFormReadFailures) {
  const std::string digits41(41, '1');
  const std::vector<ConsoleFailure> cases = {
      {{"list:rrr"},         "1,2\n",              "list in: end of file"},
      {{"list:rrr"},         "",                   "list in: end of file"},
      {{"list:c10c10"},      "time\n\n",           "list in: end of file"},
      {{"list:r", "list:r"}, "5",                  "read start: end of file"},
      {{"list:r", "list:r"}, "5,",                 "read start: end of file"},
      {{"list:rr"},          "1;2\n",              "invalid number: incomprehensible list input"},
      {{"list:rr"},          "1.5Q3\n",            "invalid number: incomprehensible list input"},
      {{"list:rr"},          "a,7\n",              "invalid number: incomprehensible list input"},
      {{"list:r"},           "- 5\n",              "invalid number: incomprehensible list input"},
      {{"list:r"},           "'5'\n",              "invalid number: incomprehensible list input"},
      {{"list:r"},           ".e5\n",              "invalid number: incomprehensible list input"},
      {{"list:ii"},          "12x\n",              "invalid number: incomprehensible list input"},
      {{"list:r"},           "1.5E\n",             "exponent field: incomprehensible list input"},
      {{"list:r"},           "1.5e+,\n",           "exponent field: incomprehensible list input"},
      {{"list:r"},           "1.5-\n",             "exponent field: incomprehensible list input"},
      {{"list:i"},           "5+\n",               "exponent field: incomprehensible list input"},
      {{"list:r"},           "1e100000000\n",      "exponent field: incomprehensible list input"},
      {{"list:r"},           "1e-100000000\n",     "exponent field: incomprehensible list input"},
      {{"list:rr"},          "0*5\n",              "bad repetition count: incomprehensible list input"},
      {{"list:rr"},          "+2*5\n",             "bad repetition count: incomprehensible list input"},
      {{"list:rr"},          "-2*5\n",             "bad repetition count: incomprehensible list input"},
      {{"list:rr"},          digits41 + "*5\n",    "bad repetition count: incomprehensible list input"},
      {{"list:c4c4"},        digits41 + "*ab\n",   "bad repetition count: incomprehensible list input"},
      {{"list:i"},           "12.0\n",             "invalid integer: read unexpected character"},
      {{"list:i"},           "1e3\n",              "invalid integer: read unexpected character"},
      {{"list:i"},           ".5\n",               "invalid integer: read unexpected character"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("input «" + c.input + "»");
    const probe::Result r = probe::run(c.steps, c.input);
    EXPECT_TRUE(r.aborted()) << "status " << r.status;
    EXPECT_EQ(r.err, c.first_line + "\n" + console + list_io + lately_reading);
  }
}

// The end of the console input inside the 20-character name field.
TEST(Diagnostics, NameFieldEndOfFile) {
  for (const std::string input : {"", "abc", "wave.csv\r"}) {
    SCOPED_TRACE("input «" + input + "»");
    const probe::Result r = probe::run({"name"}, input);
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.err, "fmt: end of file\n" + console + "last format: (A20)\n" + lately_reading);
  }
}

// A name read that met the end while discarding its line has stored its
// name; the next name read fails at once.
TEST(Diagnostics, NameReadAfterEnd) {
  const probe::Result r = probe::run({"name", "name"}, "abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(r.out, "name=[abcdefghijklmnopqrst          ]\n");
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.err, "fmt: end of file\n" + console + "last format: (A20)\n" + lately_reading);
}

// After a completed name read there is no format line; after a console
// write the statement kind is "writing".
TEST(Diagnostics, OpenFailures) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("folder"));
  struct Case {
    std::vector<std::string> steps;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {{"name", "open:11:wave.csv"},
       "open: No such file or directory\napparent state: unit 11 named wave.csv\n" + lately_reading},
      {{"name", "open:11:    "},
       "open: null file name\napparent state: unit 11 (unnamed)\n" + lately_reading},
      {{"name", "open:11:"},
       "open: null file name\napparent state: unit 11 (unnamed)\n" + lately_reading},
      {{"name", "say:From Subroutine SOILIN:", "open:4:soil.csv"},
       "open: No such file or directory\napparent state: unit 4 named soil.csv\n" + list_io +
           lately_writing},
      {{"name", "open:4:folder"},
       "open: Is a directory\napparent state: unit 4 named folder\n" + lately_reading},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.steps.back());
    const probe::Result r = probe::run(c.steps, "x\n", dir.path());
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.err, c.expected);
  }
}

// A read failing on a file names the file's channel.
TEST(Diagnostics, FileChannelNamed) {
  TempDir dir;
  dir.write("wave.csv", "time,H1,H2\n");
  const probe::Result r = probe::run({"open:11:wave.csv", "list:c10c10c10c10"}, "", dir.path());
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.err, "list in: end of file\napparent state: unit 11 named wave.csv\n" + list_io +
                       lately_reading);
}

// Output that cannot be written ends the run abnormally, whether the loss
// shows when the buffer fills or only when the file is closed.
TEST(Diagnostics, LostOutputIsNeverNormal) {
  TempDir dir;
  std::filesystem::create_symlink("/dev/full", dir.file("full.csv"));
  const std::string expected = "write: No space left on device\napparent state: unit 9 named full.csv\n" +
                               lately_writing;
  for (const std::string records : {"3", "20000"}) {
    SCOPED_TRACE(records + " records");
    const probe::Result r = probe::run({"create:9:full.csv:" + records, "close", "say:done"}, "", dir.path());
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.err, expected);
    EXPECT_EQ(r.out, "");
  }
}

// The console loses output too: a failed write of a console record ends the
// run, and so does a console input the system refuses to read.
TEST(Diagnostics, ConsoleSystemFailures) {
  const probe::Result w = probe::run({"stdout:/dev/full", "say:hello"}, "");
  EXPECT_TRUE(w.aborted());
  EXPECT_EQ(w.err, "write: No space left on device\napparent state: unit 6 (unnamed)\n" + lately_writing);
  const probe::Result r = probe::run({"stdin:/", "list:r"}, "");
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.err, "read: Is a directory\n" + console + list_io + lately_reading);
}

// An existing result file that may only be read is connected, and its first
// record fails.
TEST(Diagnostics, ReadOnlyResultFile) {
  TempDir dir;
  dir.write("amp1.csv", "old\n");
  chmod(dir.file("amp1.csv").c_str(), 0444);
  const probe::Result r = probe::run({"create:10:amp1.csv:1"}, "", dir.path(), true);
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.err, "list output start: can't write file\napparent state: unit 10 named amp1.csv\n" +
                       list_io + lately_writing);
  EXPECT_EQ(dir.read("amp1.csv"), "old\n");
}

TEST(Diagnostics, UncreatableResultFile) {
  TempDir dir;
  const probe::Result r = probe::run({"create:9:no/such/Amp-Factors.csv:1"}, "", dir.path());
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.err, "open: No such file or directory\napparent state: unit 9 named no/such/Amp-Factors.csv\n" +
                       lately_reading);
}

// A failed read still writes out what is buffered for the open result file.
TEST(Diagnostics, FailureWritesOutResultFile) {
  TempDir dir;
  const probe::Result r = probe::run({"create:9:a.csv:3", "list:r"}, "x\n", dir.path());
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(dir.read("a.csv"), " record 1\n record 2\n record 3\n");
}

struct SignalCase {
  int sig;
  std::string text;
  bool aborts;  // otherwise exit status 1
};

// Signals while the program waits on the console: a line on standard error,
// the result file written out, then the end the signal calls for.
TEST(Diagnostics, Signals) {
  const std::vector<SignalCase> cases = {
      {SIGINT, "Interrupt\n", false},
      {SIGTERM, "Killed\n", false},
      {SIGFPE, "Floating Exception\n", true},
      {SIGABRT, "IOT Trap\n", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TempDir dir;
    probe::Child child({"create:9:Amp-Factors.csv:2", "wait"}, dir.path());
    ASSERT_TRUE(child.wait_for("ready\n"));
    // The records are still in the channel's buffer.
    EXPECT_EQ(dir.read("Amp-Factors.csv"), "");
    child.signal(c.sig);
    const probe::Result r = child.finish();
    EXPECT_EQ(r.err, c.text);
    if (c.aborts) {
      EXPECT_TRUE(r.aborted()) << r.status;
    } else {
      EXPECT_EQ(r.exit_code(), 1);
    }
    EXPECT_EQ(dir.read("Amp-Factors.csv"), " record 1\n record 2\n");
  }
}

}  // namespace
