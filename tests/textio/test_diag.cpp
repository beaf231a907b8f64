// Diagnostics and abnormal ends, watched from outside: each case runs the
// reads, opens and writes in a forked child of the test, and the child's
// standard error is compared byte for byte.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/process.h"
#include "support/scratch_dir.h"
#include "textio/channel.h"
#include "textio/diag.h"
#include "textio/signals.h"
#include "textio/read.h"

namespace {

namespace tx = siteresp::textio;
using testsupport::Options;
using testsupport::Outcome;
using testsupport::ScratchDir;

const std::string console = "apparent state: unit 5 (unnamed)\n";
const std::string list_io = "last format: list io\n";
const std::string lately_reading = "lately reading sequential formatted external IO\n";
const std::string lately_writing = "lately writing sequential formatted external IO\n";

// Runs `steps` in a forked child that starts as the program does: no
// statement yet, so no format line.
Outcome in_child(const std::function<void()>& steps, const Options& opt = {}) {
  return testsupport::run_function(
      [&] {
        tx::begin_statement(true, nullptr);
        steps();
        return 0;
      },
      opt);
}

enum class Kind { real, integer, label };

// One free-form read of n items of one kind, without end branch.
void read_items(tx::InChannel& ch, Kind kind, int n) {
  float reals[8] = {};
  std::int32_t ints[8] = {};
  char labels[8][10];
  std::vector<tx::Item> items;
  for (int k = 0; k < n; ++k) {
    if (kind == Kind::real) items.push_back(tx::Item::of(reals[k]));
    if (kind == Kind::integer) items.push_back(tx::Item::of(ints[k]));
    if (kind == Kind::label) items.push_back(tx::Item::chars(labels[k], 10));
  }
  tx::list_read(ch, items, false);
}

void say(const std::string& s) {
  tx::begin_statement(false, "list io");
  tx::console_out().put_record(s.data(), s.size());
}

std::string read_name() {
  char name[30];
  tx::name_read(tx::console_in(), name);
  return std::string(name, sizeof name);
}

void open_input(int unit, const std::string& name) {
  static tx::InChannel ch;
  ch.open_existing(unit, name.data(), name.size());
}

// A result file on `unit` with n records " record k".
tx::OutChannel& create(int unit, const char* name, int n) {
  static tx::OutChannel ch;
  ch.create(unit, name);
  tx::begin_statement(false, "list io");
  for (int k = 1; k <= n; ++k) {
    const std::string rec = " record " + std::to_string(k);
    ch.put_record(rec.data(), rec.size());
  }
  return ch;
}

struct ConsoleFailure {
  Kind kind;
  int items;
  int reads;
  std::string input;
  std::string first_line;
};

// Every failure of a free-form read on the console: the first line names
// the failure, then the console channel, the format and the statement kind.
TEST(Diagnostics, FreeFormReadFailures) {
  const std::string digits41(41, '1');
  const std::vector<ConsoleFailure> cases = {
      {Kind::real,    3, 1, "1,2\n",            "list in: end of file"},
      {Kind::real,    3, 1, "",                 "list in: end of file"},
      {Kind::label,   2, 1, "time\n\n",         "list in: end of file"},
      {Kind::real,    1, 2, "5",                "read start: end of file"},
      {Kind::real,    1, 2, "5,",               "read start: end of file"},
      {Kind::real,    2, 1, "1;2\n",            "invalid number: incomprehensible list input"},
      {Kind::real,    2, 1, "1.5Q3\n",          "invalid number: incomprehensible list input"},
      {Kind::real,    2, 1, "a,7\n",            "invalid number: incomprehensible list input"},
      {Kind::real,    1, 1, "- 5\n",            "invalid number: incomprehensible list input"},
      {Kind::real,    1, 1, "'5'\n",            "invalid number: incomprehensible list input"},
      {Kind::real,    1, 1, ".e5\n",            "invalid number: incomprehensible list input"},
      {Kind::integer, 2, 1, "12x\n",            "invalid number: incomprehensible list input"},
      {Kind::real,    1, 1, "1.5E\n",           "exponent field: incomprehensible list input"},
      {Kind::real,    1, 1, "1.5e+,\n",         "exponent field: incomprehensible list input"},
      {Kind::real,    1, 1, "1.5-\n",           "exponent field: incomprehensible list input"},
      {Kind::integer, 1, 1, "5+\n",             "exponent field: incomprehensible list input"},
      {Kind::real,    1, 1, "1e100000000\n",    "exponent field: incomprehensible list input"},
      {Kind::real,    1, 1, "1e-100000000\n",   "exponent field: incomprehensible list input"},
      {Kind::real,    2, 1, "0*5\n",            "bad repetition count: incomprehensible list input"},
      {Kind::real,    2, 1, "+2*5\n",           "bad repetition count: incomprehensible list input"},
      {Kind::real,    2, 1, "-2*5\n",           "bad repetition count: incomprehensible list input"},
      {Kind::real,    2, 1, digits41 + "*5\n",  "bad repetition count: incomprehensible list input"},
      {Kind::label,   2, 1, digits41 + "*ab\n", "bad repetition count: incomprehensible list input"},
      {Kind::integer, 1, 1, "12.0\n",           "invalid integer: read unexpected character"},
      {Kind::integer, 1, 1, "1e3\n",            "invalid integer: read unexpected character"},
      {Kind::integer, 1, 1, ".5\n",             "invalid integer: read unexpected character"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("input «" + c.input + "»");
    const Outcome r = in_child(
        [&] {
          for (int k = 0; k < c.reads; ++k) read_items(tx::console_in(), c.kind, c.items);
        },
        Options().with_input(c.input));
    EXPECT_TRUE(r.aborted()) << "status " << r.status;
    EXPECT_EQ(r.err, c.first_line + "\n" + console + list_io + lately_reading);
  }
}

// The end of the console input inside the 20-character name field.
TEST(Diagnostics, NameFieldEndOfFile) {
  for (const std::string input : {"", "abc", "wave.csv\r"}) {
    SCOPED_TRACE("input «" + input + "»");
    const Outcome r = in_child([] { read_name(); }, Options().with_input(input));
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.err, "fmt: end of file\n" + console + "last format: (A20)\n" + lately_reading);
  }
}

// A name read that met the end while discarding its line has stored its
// name; the next name read fails at once.
TEST(Diagnostics, NameReadAfterEnd) {
  const Outcome r = in_child(
      [] {
        say("name=[" + read_name() + "]");
        read_name();
      },
      Options().with_input("abcdefghijklmnopqrstuvwxyz"));
  EXPECT_EQ(r.out, "name=[abcdefghijklmnopqrst          ]\n");
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.err, "fmt: end of file\n" + console + "last format: (A20)\n" + lately_reading);
}

struct OpenFailure {
  bool after_console_write;  // the soil file's open follows a console line
  int unit;
  std::string name;
  std::string expected;
};

// After a completed name read there is no format line; after a console
// write the statement kind is "writing".  A blank name is a name too: the
// channel line says "named" and nothing after it.
TEST(Diagnostics, OpenFailures) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.file("folder"));
  const std::vector<OpenFailure> cases = {
      {false, 11, "wave.csv", "open: No such file or directory\napparent state: unit 11 named wave.csv\n" + lately_reading},
      {false, 11, "    ",     "open: null file name\napparent state: unit 11 named \n" + lately_reading},
      {false, 11, "",         "open: null file name\napparent state: unit 11 named \n" + lately_reading},
      {true,  4,  "soil.csv", "open: No such file or directory\napparent state: unit 4 named soil.csv\n" + list_io + lately_writing},
      {true,  4,  "   ",      "open: null file name\napparent state: unit 4 named \n" + list_io + lately_writing},
      {false, 4,  "folder",   "open: Is a directory\napparent state: unit 4 named folder\n" + lately_reading},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("«" + c.name + "»");
    const Outcome r = in_child(
        [&] {
          read_name();
          if (c.after_console_write) say("From Subroutine SOILIN:");
          open_input(c.unit, c.name);
        },
        Options().in(dir.str()).with_input("x\n"));
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.err, c.expected);
  }
}

// A read failing on a file names the file's channel.
TEST(Diagnostics, FileChannelNamed) {
  ScratchDir dir;
  dir.write("wave.csv", "time,H1,H2\n");
  const Outcome r = in_child(
      [] {
        tx::InChannel ch;
        ch.open_existing(11, "wave.csv", 8);
        read_items(ch, Kind::label, 4);
      },
      Options().in(dir.str()));
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.err, "list in: end of file\napparent state: unit 11 named wave.csv\n" + list_io + lately_reading);
}

// Output that cannot be written ends the run abnormally, whether the loss
// shows when the buffer fills or only when the file is closed.
TEST(Diagnostics, LostOutputIsNeverNormal) {
  ScratchDir dir;
  std::filesystem::create_symlink("/dev/full", dir.file("full.csv"));
  const std::string expected = "write: No space left on device\napparent state: unit 9 named full.csv\n" +
                               lately_writing;
  for (const int records : {3, 20000}) {
    SCOPED_TRACE(std::to_string(records) + " records");
    const Outcome r = in_child(
        [&] {
          create(9, "full.csv", records).close();
          say("done");
        },
        Options().in(dir.str()));
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.err, expected);
    EXPECT_EQ(r.out, "");
  }
}

// The console loses output too: a failed write of a console record ends the
// run, and so does a console input the system refuses to read.
TEST(Diagnostics, ConsoleSystemFailures) {
  const Outcome w = in_child([] {
    dup2(::open("/dev/full", O_WRONLY), STDOUT_FILENO);
    say("hello");
  });
  EXPECT_TRUE(w.aborted());
  EXPECT_EQ(w.err, "write: No space left on device\napparent state: unit 6 (unnamed)\n" + lately_writing);
  const Outcome r = in_child([] {
    dup2(::open("/", O_RDONLY), STDIN_FILENO);
    read_items(tx::console_in(), Kind::real, 1);
  });
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.err, "read: Is a directory\n" + console + list_io + lately_reading);
}

// An existing result file that may only be read is connected, and its first
// record fails.  As root, permissions only apply to a child run as nobody.
TEST(Diagnostics, ReadOnlyResultFile) {
  ScratchDir dir;
  dir.write("amp1.csv", "old\n");
  chmod(dir.file("amp1.csv").c_str(), 0444);
  const Outcome r = in_child([] { create(10, "amp1.csv", 1); }, Options().in(dir.str()).as_nobody());
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.err, "list output start: can't write file\napparent state: unit 10 named amp1.csv\n" + list_io +
                       lately_writing);
  EXPECT_EQ(dir.read("amp1.csv"), "old\n");
}

TEST(Diagnostics, UncreatableResultFile) {
  ScratchDir dir;
  const Outcome r = in_child([] { create(9, "no/such/Amp-Factors.csv", 1); }, Options().in(dir.str()));
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.err, "open: No such file or directory\napparent state: unit 9 named no/such/Amp-Factors.csv\n" +
                       lately_reading);
}

// A failed read still writes out what is buffered for the open result file.
TEST(Diagnostics, FailureWritesOutResultFile) {
  ScratchDir dir;
  const Outcome r = in_child(
      [] {
        create(9, "a.csv", 3);
        read_items(tx::console_in(), Kind::real, 1);
      },
      Options().in(dir.str()).with_input("x\n"));
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
    ScratchDir dir;
    testsupport::Child child(
        [] {
          tx::install_signal_handlers();
          create(9, "Amp-Factors.csv", 2);
          say("ready");
          read_items(tx::console_in(), Kind::real, 1);
          return 0;
        },
        Options().in(dir.str()).stdin_kept_open());
    ASSERT_TRUE(child.wait_for("ready\n"));
    // The records are still in the channel's buffer.
    EXPECT_EQ(dir.read("Amp-Factors.csv"), "");
    child.signal(c.sig);
    const Outcome r = child.finish();
    EXPECT_EQ(r.err, c.text);
    if (c.aborts) {
      EXPECT_TRUE(r.aborted()) << r.status;
    } else {
      EXPECT_EQ(r.code(), 1);
    }
    EXPECT_EQ(dir.read("Amp-Factors.csv"), " record 1\n record 2\n");
  }
}

}  // namespace
