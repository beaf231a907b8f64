// Reading the files of a run folder: both writers' rows, quoting, numbers,
// and what becomes of missing, empty and unreadable files.
#include <gtest/gtest.h>

#include <cmath>

#include "report/csv_table.h"
#include "support/scratch_dir.h"

namespace sitekit::report {
namespace {

struct SplitCase {
  const char* line;
  std::vector<std::string> fields;
};

TEST(CsvFields, SplitAtCommasKeepingQuotedText) {
  const SplitCase cases[] = {
      {"a,b,c", {"a", "b", "c"}},
      {"  0.1000E+01,  0.2000E+01,", {"0.1000E+01", "0.2000E+01", ""}},
      {"\"H,2\",'x',\"say \"\"hi\"\"\"", {"H,2", "'x'", "say \"hi\""}},
      {"record,failed,\"wave.csv:3: field 2: \"\"x\"\" is not a number\"",
       {"record", "failed", "wave.csv:3: field 2: \"x\" is not a number"}},
      {"", {""}},
      {",,", {"", "", ""}},
      {"a\r", {"a"}},
  };
  for (const auto& c : cases) EXPECT_EQ(split_csv_line(c.line), c.fields) << c.line;
}

TEST(CsvNumbers, WhatBothWritersPutInAField) {
  const std::pair<const char*, double> cases[] = {
      {"0.1234E+02", 12.34}, {" -5.5 ", -5.5}, {"+5", 5}, {"1e-3", 1e-3},
      {"608.2", 608.2},      {"0", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(parse_number(text), value) << text;
  for (const char* bad : {"********", "", "1.2.3", "abc", "1,5", "NaN", "nan", "12 m"})
    EXPECT_TRUE(std::isnan(parse_number(bad))) << bad;
}

TEST(CsvFile, StatesAndTheDialoguesTrailingComma) {
  testsupport::ScratchDir dir;
  dir.write("amp.csv", " frequency (Hz),Samp1,Samp2\n  0.0000,  0.2000E+01,  0.1000E+01,\n"
                       "  0.0244,  0.2001E+01,********,\n");
  dir.write("runs.csv", "record,status,error\nwave,ok,\n");
  dir.write("empty.csv", "period_s,PSA\n\n");
  dir.write("zero.csv", "");
  std::filesystem::create_directory(dir.path() / "folder.csv");

  const CsvFile amp = read_csv(dir.file("amp.csv"));
  ASSERT_EQ(amp.state, FileState::ok);
  EXPECT_EQ(amp.table.heading, (std::vector<std::string>{"frequency (Hz)", "Samp1", "Samp2"}));
  EXPECT_EQ(amp.table.rows[1].size(), 3u);
  EXPECT_DOUBLE_EQ(amp.table.numbers(1)[1], 2.001);
  EXPECT_TRUE(std::isnan(amp.table.numbers(2)[1]));
  EXPECT_EQ(amp.table.find("Samp2"), 2);
  EXPECT_EQ(amp.table.find("Pamp1"), -1);
  // An empty last column of sitekit's own files stays a column.
  EXPECT_EQ(read_csv(dir.file("runs.csv")).table.rows[0], (std::vector<std::string>{"wave", "ok", ""}));

  EXPECT_EQ(read_csv(dir.file("empty.csv")).state, FileState::empty);
  EXPECT_EQ(read_csv(dir.file("zero.csv")).state, FileState::empty);
  EXPECT_EQ(read_csv(dir.file("folder.csv")).state, FileState::unreadable);
  EXPECT_EQ(read_csv(dir.file("absent.csv")).state, FileState::missing);
}

}  // namespace
}  // namespace sitekit::report
