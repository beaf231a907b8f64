// Channels: line ends, push-back, names, and the buffered result files.
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/scratch_dir.h"
#include "textio/channel.h"

namespace {

using siteresp::textio::end_of_data;
using siteresp::textio::flush_open_files;
using siteresp::textio::InChannel;
using siteresp::textio::max_name;
using siteresp::textio::OutChannel;
using TempDir = testsupport::ScratchDir;

std::unique_ptr<InChannel> open_on(const TempDir& dir, const std::string& bytes) {
  auto ch = std::make_unique<InChannel>();
  const std::string path = dir.write("in.txt", bytes);
  ch->open_existing(11, path.c_str(), path.size());
  return ch;
}

std::vector<int> drain(InChannel& ch) {
  std::vector<int> got;
  for (int c = ch.get(); c != end_of_data; c = ch.get()) got.push_back(c);
  got.push_back(ch.get());  // the end stays the end
  return got;
}

TEST(InChannel, LineEnds) {
  TempDir dir;
  auto ch = open_on(dir, "a\r\nb\rc\r\r\nd\n\xff\r");
  const std::vector<int> want = {'a', '\n', 'b', '\r', 'c', '\r', '\n', 'd', '\n', 0xff, '\r', end_of_data};
  EXPECT_EQ(drain(*ch), want);
}

// A CR LF pair split between two reads of the buffer is still one line end.
TEST(InChannel, LineEndAcrossBufferRefill) {
  TempDir dir;
  auto ch = open_on(dir, std::string(65535, 'x') + "\r\ny");
  for (int k = 0; k < 65535; ++k) ASSERT_EQ(ch->get(), 'x');
  EXPECT_EQ(ch->get(), '\n');
  EXPECT_EQ(ch->get(), 'y');
  EXPECT_EQ(ch->get(), end_of_data);
}

TEST(InChannel, PushBack) {
  TempDir dir;
  auto ch = open_on(dir, "a\rz");
  EXPECT_EQ(ch->get(), 'a');
  ch->unget('a');
  EXPECT_EQ(ch->get(), 'a');
  // The CR look-ahead already holds 'z': the caller's push-back comes first.
  EXPECT_EQ(ch->get(), '\r');
  ch->unget('\r');
  EXPECT_EQ(ch->get(), '\r');
  EXPECT_EQ(ch->get(), 'z');
  ch->unget(end_of_data);
  EXPECT_EQ(ch->get(), end_of_data);
}

// Trailing blanks of a name go, leading ones stay part of it; the name kept
// for diagnostics is cut at max_name characters.
TEST(InChannel, Names) {
  TempDir dir;
  dir.write(" lead.csv", "1\n");
  const std::string long_name(100, 'n');
  dir.write(long_name, "2\n");
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  InChannel ch;
  const char typed[] = " lead.csv           ";
  ch.open_existing(4, typed, sizeof typed - 1);
  EXPECT_STREQ(ch.name(), " lead.csv");
  EXPECT_EQ(ch.unit(), 4);
  EXPECT_EQ(ch.get(), '1');
  ch.close();
  EXPECT_EQ(ch.name(), nullptr);
  ch.open_existing(11, long_name.c_str(), long_name.size());
  EXPECT_EQ(std::string(ch.name()), long_name.substr(0, max_name));
  EXPECT_EQ(ch.get(), '2');
  ch.close();
  ASSERT_EQ(chdir(cwd), 0);
}

TEST(InChannel, CloseClearsEndMark) {
  TempDir dir;
  auto ch = open_on(dir, "");
  EXPECT_EQ(ch->get(), end_of_data);
  ch->set_eof_mark();
  const std::string path = dir.write("two.txt", "q");
  ch->close();
  EXPECT_FALSE(ch->eof_mark());
  ch->open_existing(11, path.c_str(), path.size());
  EXPECT_FALSE(ch->eof_mark());
  EXPECT_EQ(ch->get(), 'q');
}

void put(OutChannel& ch, const std::string& rec) { ch.put_record(rec.data(), rec.size()); }

// A result file holds exactly the records written, each with its line end,
// whatever it held before.
TEST(OutChannel, ReplacesFile) {
  TempDir dir;
  const std::string path = dir.write("wave1.csv", std::string(5000, 'z') + "\n");
  auto ch = std::make_unique<OutChannel>();
  ch->create(11, path.c_str());
  EXPECT_EQ(ch->unit(), 11);
  EXPECT_STREQ(ch->name(), path.substr(0, max_name).c_str());
  put(*ch, " time      ,H1");
  put(*ch, "");
  ch->close();
  EXPECT_FALSE(ch->is_open());
  EXPECT_EQ(dir.read("wave1.csv"), " time      ,H1\n\n");
}

// Records crossing the buffer boundary and records longer than the buffer
// arrive whole and in order.
TEST(OutChannel, LargeOutput) {
  TempDir dir;
  const std::string path = dir.file("amp1.csv");
  auto ch = std::make_unique<OutChannel>();
  ch->create(10, path.c_str());
  std::string want;
  for (int k = 0; k < 20000; ++k) {
    const std::string rec = "  0.0977,  0.1234E-01," + std::to_string(k);
    put(*ch, rec);
    want += rec + "\n";
    if (k == 7000) {
      const std::string big(100000, static_cast<char>('a' + k % 26));
      put(*ch, big);
      want += big + "\n";
    }
  }
  ch->close();
  EXPECT_EQ(dir.read("amp1.csv"), want);
}

// What the abnormal end and the signal handlers rely on: every open result
// file is written out and closed.
TEST(OutChannel, FlushOpenFiles) {
  TempDir dir;
  auto a = std::make_unique<OutChannel>();
  auto b = std::make_unique<OutChannel>();
  a->create(9, dir.file("a.csv").c_str());
  b->create(10, dir.file("b.csv").c_str());
  put(*a, "one");
  put(*b, "two");
  b->close();
  put(*a, "three");
  EXPECT_EQ(dir.read("a.csv"), "");
  flush_open_files();
  EXPECT_FALSE(a->is_open());
  EXPECT_EQ(dir.read("a.csv"), "one\nthree\n");
  EXPECT_EQ(dir.read("b.csv"), "two\n");
}

}  // namespace
