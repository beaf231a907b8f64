// The free-form read and the name read, on files written for each case.
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/scratch_dir.h"
#include "textio/channel.h"
#include "textio/read.h"

namespace {

using siteresp::textio::InChannel;
using siteresp::textio::Item;
using siteresp::textio::ReadResult;
using siteresp::textio::list_read;
using siteresp::textio::name_read;
using TempDir = testsupport::ScratchDir;

constexpr float kept = -7.0f;  // what an item holds before the read

// A channel reading the given bytes from a file.
class Source {
public:
  explicit Source(const std::string& bytes) : ch_(std::make_unique<InChannel>()) {
    const std::string path = dir_.write("in.csv", bytes);
    ch_->open_existing(11, path.c_str(), path.size());
  }
  InChannel& ch() { return *ch_; }

  // One read of n reals, each starting at `kept`.
  std::vector<float> reals(int n, bool end_branch = false, ReadResult* result = nullptr) {
    std::vector<float> v(static_cast<std::size_t>(n), kept);
    std::vector<Item> items;
    for (float& x : v) items.push_back(Item::of(x));
    const ReadResult r = list_read(*ch_, items, end_branch);
    if (result != nullptr) *result = r;
    return v;
  }
  std::vector<std::int32_t> ints(int n) {
    std::vector<std::int32_t> v(static_cast<std::size_t>(n), -7);
    std::vector<Item> items;
    for (std::int32_t& x : v) items.push_back(Item::of(x));
    list_read(*ch_, items, false);
    return v;
  }
  // One read of n character items of length len, each starting as dots.
  std::vector<std::string> chars(int n, int len, bool end_branch = false, ReadResult* result = nullptr) {
    std::vector<std::string> v(static_cast<std::size_t>(n), std::string(static_cast<std::size_t>(len), '.'));
    std::vector<Item> items;
    for (std::string& s : v) items.push_back(Item::chars(s.data(), len));
    const ReadResult r = list_read(*ch_, items, end_branch);
    if (result != nullptr) *result = r;
    return v;
  }
  std::string name() {
    char n[30];
    name_read(*ch_, n);
    return std::string(n, sizeof n);
  }

private:
  TempDir dir_;
  std::unique_ptr<InChannel> ch_;
};

float one_real(const std::string& input) { return Source(input).reals(1)[0]; }

TEST(ListRead, NumberForms) {
  struct Row { const char* input; float value; };
  const Row rows[] = {
      {"1.5E3\n", 1500.0f},   {"1.5e3\n", 1500.0f},    {"1.5D3\n", 1500.0f},
      {"1.5d3\n", 1500.0f},   {"1.5+3\n", 1500.0f},    {"1.5E+3\n", 1500.0f},
      {"1.5-3\n", 0.0015f},   {"1.5E-3\n", 0.0015f},   {"1.5d-3\n", 0.0015f},
      {".5\n", 0.5f},         {"5.\n", 5.0f},          {"+5\n", 5.0f},
      {"007\n", 7.0f},        {"  \t 2.25  \n", 2.25f}, {"1.5abc\n", 1.5f},
      {"1.5Q3\n", 1.5f},      {"12e0003\n", 12000.0f}, {"0.1\n", 0.1f},
      {"1.2.3\n", 1.2f},      {"1E99999999\n", INFINITY}, {"-1E99999999\n", -INFINITY},
      {"1E-99999999\n", 0.0f}, {"3.4028235e38\n", 3.4028235e38f},
  };
  for (const Row& r : rows) EXPECT_EQ(one_real(r.input), r.value) << r.input;
}

TEST(ListRead, NegativeZero) {
  const float v = one_real("-0\n");
  EXPECT_EQ(v, 0.0f);
  EXPECT_TRUE(std::signbit(v));
}

// The value is formed in double and only then rounded to single precision:
// this input lies just above the float halfway point 1 + 2**-24, but its
// nearest double is the halfway point itself, which rounds to even (1.0).
TEST(ListRead, DoubleThenSingle) {
  EXPECT_EQ(one_real("1.00000005960464478\n"), 1.0f);
  EXPECT_EQ(one_real("1.0000000596046448\n"), 1.0f);
  EXPECT_EQ(one_real("1.00000006\n"), 1.00000012f);
}

// Only the first 40 significant digits count; longer numbers and exponents
// of any length are read without overflow.
TEST(ListRead, SignificantDigits) {
  EXPECT_EQ(one_real("1" + std::string(45, '0') + "e-30\n"), 1e15f);
  EXPECT_EQ(one_real("1" + std::string(37, '0') + "\n"), 1e37f);
  EXPECT_EQ(one_real("1" + std::string(60, '0') + "e-50\n"), 1e10f);
  EXPECT_EQ(one_real("0." + std::string(30, '0') + "15\n"), 1.5e-31f);
  EXPECT_EQ(one_real(std::string(1000, '0') + "2.5\n"), 2.5f);
  EXPECT_EQ(one_real("2." + std::string(1000, '9') + "\n"), 3.0f);
  EXPECT_EQ(one_real("1" + std::string(1000, '0') + "\n"), INFINITY);
  EXPECT_EQ(one_real("0." + std::string(1000, '0') + "1\n"), 0.0f);
  EXPECT_EQ(one_real("1e" + std::string(1000, '0') + "7\n"), 1e7f);
}

// Short decimals take a quicker way when the buffer holds the whole field
// and its separator; a field cut by a refill, a pushed-back character or a
// CR LF line end must not change what is read.
TEST(ListRead, QuickFieldsAtBufferEdges) {
  for (std::size_t pad : {65523u, 65524u, 65529u, 65533u, 65534u}) {
    // The buffer holds 65,536 bytes; the second value spans its end or starts it.
    const std::string bytes = std::string(pad, ' ') + "1,-12.345678,3\n";
    EXPECT_EQ(Source(bytes).reals(3), (std::vector<float>{1.0f, -12.345678f, 3.0f})) << pad;
  }
  struct Row { const char* input; std::vector<float> values; };
  const std::vector<Row> rows = {
      {"1.5\r\n2.5\r\n", {1.5f, 2.5f}},    {"1.5\r2.5\n", {1.5f}},
      {"2*0.25,3\n", {0.25f, 0.25f, 3.0f}},  {"1.5e1 2.5E-1\t-3e+0\n", {15.0f, 0.25f, -3.0f}},
      {"4.5/6\n", {4.5f, kept, kept}},
  };
  for (const Row& r : rows)
    EXPECT_EQ(Source(r.input).reals(static_cast<int>(r.values.size())), r.values) << r.input;
}

// Integers are truncated toward zero from the double value; values outside
// 32 bits saturate.
TEST(ListRead, Integers) {
  struct Row { const char* input; std::int32_t value; };
  const Row rows[] = {
      {"12\n", 12},  {"-7\n", -7},   {"+5\n", 5},     {"007\n", 7},     {"-0\n", 0},
      {"12x\n", 12}, {"12+3\n", 12000}, {"5-1\n", 0}, {"25-1\n", 2}, {"2147483647\n", INT32_MAX},
      {"2147483648\n", INT32_MAX},   {"-2147483648\n", INT32_MIN},
      {"-99999999999999999999999999999999999999999999\n", INT32_MIN},
  };
  for (const Row& r : rows) EXPECT_EQ(Source(r.input).ints(1)[0], r.value) << r.input;
}

// Separators, empty values, repeat counts and the slash, into three reals.
TEST(ListRead, ValueLists) {
  struct Row { const char* input; std::vector<float> values; };
  const std::vector<Row> rows = {
      {"1,2,3\n",          {1, 2, 3}},
      {"1 2\t3\n",         {1, 2, 3}},
      {"1 , 2 ,\t3\n",     {1, 2, 3}},
      {"1,,3\n",           {1, kept, 3}},
      {"1, ,3\n",          {1, kept, 3}},
      {",,3\n",            {kept, kept, 3}},
      {"1/\n",             {1, kept, kept}},
      {"1,2/3\n",          {1, 2, kept}},
      {"/1,2,3\n",         {kept, kept, kept}},
      {"3*2.0\n",          {2, 2, 2}},
      {"2*5,6\n",          {5, 5, 6}},
      {"2*5 6\n",          {5, 5, 6}},
      {"2*,4\n",           {kept, kept, 4}},
      {"2* 4\n",           {kept, kept, 4}},
      {"2*5,,6\n",         {5, 5, kept}},
      {"2*,,4\n",          {kept, kept, kept}},
      {"1,2*\n",           {1, kept, kept}},
      {"2*/4\n",           {kept, kept, kept}},
      {"1*9,2*-1.5\n",     {9, -1.5, -1.5}},
      {"-,.,+/\n",         {kept, kept, kept}},
      {"-,5,6\n",          {kept, 5, 6}},
      {"1\n\n\n2\n3\n",    {1, 2, 3}},
      {"1,\n2,\n3,\n",     {1, 2, 3}},
      {"\n\n  1,2,3,4,5\n", {1, 2, 3}},
      {"1\r\n2\r\n3\r\n",  {1, 2, 3}},
  };
  for (const Row& r : rows) EXPECT_EQ(Source(r.input).reals(3), r.values) << r.input;
}

// A repeat count reaching past the end of the list is dropped with the rest
// of the line; so are values after the last item.
TEST(ListRead, RestOfLineDropped) {
  Source s("1,5*7\n9,10,11,12,13\n14 1.5abc\n2\n");
  EXPECT_EQ(s.reals(2), (std::vector<float>{1, 7}));
  EXPECT_EQ(s.reals(2), (std::vector<float>{9, 10}));
  EXPECT_EQ(s.reals(2), (std::vector<float>{14, 1.5}));
  EXPECT_EQ(s.reals(1), (std::vector<float>{2}));
}

// A read of no items skips one line.
TEST(ListRead, EmptyListSkipsLine) {
  Source s("title, 1, 2\n30.0,angle\n");
  s.reals(0);
  EXPECT_EQ(s.reals(1), (std::vector<float>{30}));
}

// A repeat count carries the value read for the first item to the next.
TEST(ListRead, RepeatAcrossKinds) {
  Source s("2*3 4.5\n");
  std::int32_t i = 0;
  float a = 0, b = 0;
  const Item items[] = {Item::of(i), Item::of(a), Item::of(b)};
  list_read(s.ch(), items, false);
  EXPECT_EQ(i, 3);
  EXPECT_EQ(a, 3.0f);
  EXPECT_EQ(b, 4.5f);
}

TEST(ListRead, CharacterValues) {
  struct Row { std::string input; int len; std::string value; };
  const std::vector<Row> rows = {
      {"time,H1\n",                 10, "time      "},
      {"H1 (gal)\n",                10, "H1        "},
      {"'H1 (gal), x'\n",           10, "H1 (gal), "},
      {"\"a, b\"\n",                 4, "a, b"},
      {"'it''s'\n",                  6, "it's  "},
      {"\"say \"\"hi\"\"\"\n",       10, "say \"hi\"  "},
      {"\"it's\"\n",                 4, "it's"},
      {"'ab\ncd'\n",                 6, "abcd  "},
      {"'ab\r\ncd'\n",               6, "abcd  "},
      {"'ab\\\ncd'\n",               6, "ab\ncd "},
      {"'a\\b'\n",                   3, "a\\b"},
      {"acceleration\n",            10, "accelerati"},
      {"label\r\n",                 10, "label     "},
      {"a\rb\n",                     4, "a\rb "},
      {"0*x\n",                      4, "0*x "},
      {"12abc\n",                    6, "12abc "},
      {"1.5\n",                      4, "1.5 "},
      {"a/b\n",                      4, "a   "},
      {std::string("'\0\xff'\n", 5), 3, std::string("\0\xff ", 3)},
      {"'" + std::string(1 << 20, 'q') + "'\n", 3, "qqq"},
  };
  for (const Row& r : rows) EXPECT_EQ(Source(r.input).chars(1, r.len)[0], r.value) << r.input;
}

TEST(ListRead, CharacterRepeats) {
  struct Row { const char* input; std::vector<std::string> values; };
  const std::vector<Row> rows = {
      {"2*xy,z\n",     {"xy ", "xy ", "z  "}},
      {"2*'a b' c\n",  {"a b", "a b", "c  "}},
      {"3*\n",         {"...", "...", "..."}},
      {"2*,c\n",       {"...", "...", "c  "}},
      {"0002*k\nz\n",  {"k  ", "k  ", "z  "}},
      {"a,,c\n",       {"a  ", "...", "c  "}},
      {"a\n\nb /c\n",  {"a  ", "b  ", "..."}},
      {"2*3*x /\n",    {"3*x", "3*x", "..."}},
  };
  for (const Row& r : rows) EXPECT_EQ(Source(r.input).chars(3, 3), r.values) << r.input;
}

// Rows of a file read with an end branch: how the end of the data is met.
TEST(ListRead, EndOfDataWithEndBranch) {
  struct Row { const char* input; ReadResult first; std::vector<float> values; };
  const std::vector<Row> rows = {
      {"1,2,3,4\n",    ReadResult::complete, {1, 2, 3, 4}},
      {"1,2,3,4",      ReadResult::complete, {1, 2, 3, 4}},
      {"1,2,3,4 \t",   ReadResult::complete, {1, 2, 3, 4}},
      {"1,2,3,4,",     ReadResult::end,      {1, 2, 3, 4}},
      {"1,2,3,4,5",    ReadResult::end,      {1, 2, 3, 4}},
      {"1,2,3,4abc",   ReadResult::end,      {1, 2, 3, 4}},
      {"1,2,3",        ReadResult::end,      {1, 2, 3, kept}},
      {"1,2,3\n",      ReadResult::end,      {1, 2, 3, kept}},
      {"1,2,3,\n\n",   ReadResult::end,      {1, 2, 3, kept}},
      {"4*2.0",        ReadResult::end,      {2, kept, kept, kept}},
      {"1,2/",         ReadResult::end,      {1, 2, kept, kept}},
      {"1,2/\n",       ReadResult::complete, {1, 2, kept, kept}},
      {"",             ReadResult::end,      {kept, kept, kept, kept}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.input);
    Source s(r.input);
    ReadResult result;
    EXPECT_EQ(s.reals(4, true, &result), r.values);
    EXPECT_EQ(result, r.first);
    // Whatever happened, the channel is now at its end.
    s.reals(4, true, &result);
    EXPECT_EQ(result, ReadResult::end);
  }
}

// Without an end branch a read that meets the end only while discarding
// the rest of its line completes with all its values.
TEST(ListRead, EndOfDataWhileDiscarding) {
  for (const char* input : {"5", "5,", "5 trailing", "5\r"}) {
    SCOPED_TRACE(input);
    Source s(input);
    ReadResult result;
    EXPECT_EQ(s.reals(1, false, &result), std::vector<float>{5});
    EXPECT_EQ(result, ReadResult::complete);
    EXPECT_TRUE(s.ch().eof_mark());
  }
}

// The end of the data inside a quoted value ends the read at once: the item
// keeps its content and no later item is reached.
TEST(ListRead, QuotedValueCutByEnd) {
  for (bool branch : {false, true}) {
    Source s("a,'bc\nd");
    ReadResult result;
    EXPECT_EQ(s.chars(3, 2, branch, &result), (std::vector<std::string>{"a ", "..", ".."}));
    EXPECT_EQ(result, branch ? ReadResult::end : ReadResult::complete);
    EXPECT_TRUE(s.ch().eof_mark());
  }
}

TEST(ListRead, ReadContinuesOverLines) {
  Source s("time,H1,H2\nV1,1,2\n3,4,5,6\n");
  EXPECT_EQ(s.chars(4, 4), (std::vector<std::string>{"time", "H1  ", "H2  ", "V1  "}));
  EXPECT_EQ(s.reals(4), (std::vector<float>{3, 4, 5, 6}));
}

TEST(NameRead, Field) {
  struct Row { std::string input; std::string name; };
  const std::vector<Row> rows = {
      {"wave.csv\n",                    "wave.csv" + std::string(22, ' ')},
      {"wave.csv\r\n",                  "wave.csv" + std::string(22, ' ')},
      {"  soil.csv\n",                  "  soil.csv" + std::string(20, ' ')},
      {"\n",                            std::string(30, ' ')},
      {"abcdefghijklmnopqrstuvwxyz\n",  "abcdefghijklmnopqrst" + std::string(10, ' ')},
      {"abcdefghijklmnopqrst",          "abcdefghijklmnopqrst" + std::string(10, ' ')},
      {"a,b c/d'e\n",                   "a,b c/d'e" + std::string(21, ' ')},
  };
  for (const Row& r : rows) EXPECT_EQ(Source(r.input).name(), r.name) << r.input;
}

// The name read takes one line; the rest of it is discarded and the next
// read starts on the following line.
TEST(NameRead, OneLine) {
  Source s("first-name-longer-than-twenty\n\nsecond\n");
  EXPECT_EQ(s.name(), "first-name-longer-th          ");
  EXPECT_EQ(s.name(), std::string(30, ' '));
  EXPECT_EQ(s.name(), "second" + std::string(24, ' '));
}

}  // namespace
