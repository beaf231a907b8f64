// Rows edited straight into a result file's buffer against the same rows
// written statement by statement: the file must hold the same bytes, across
// many buffer blocks and for every kind of value a field can get.
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/scratch_dir.h"
#include "textio/collect_sink.h"
#include "textio/write_rows.h"

namespace {

using namespace siteresp::textio;

// Values that probe rounding, signs, field overflow and the special values.
std::vector<float> probe_values() {
  const float inf = std::numeric_limits<float>::infinity();
  std::vector<float> v = {0.0f,    -0.0f,     0.0625f,  0.1875f,  -0.00004f, 9.99996f, 999.99995f,
                          1000.0f, 1234.5f,   -1.5f,    1e-45f,   3.4e38f,   -3.4e38f, 0.000123f,
                          12.5f,   99999.5f,  -0.5f,    inf,      -inf,      std::nanf("")};
  std::uint32_t x = 12345;
  for (int i = 0; i < 40000; ++i) {  // a spread over many magnitudes
    x = x * 1664525u + 1013904223u;
    const float m = static_cast<float>(x >> 8) / 16777216.0f;
    v.push_back((x & 1 ? -1.0f : 1.0f) * m * std::ldexp(1.0f, static_cast<int>(x % 40) - 20));
  }
  return v;
}

// The file a RowWriter makes, and the text of the same rows written by
// write_formatted() one statement at a time.
struct Both {
  std::string rows, statements;
  bool flat;
};

Both write_both(const char* text, int per_row, const std::vector<float>& v) {
  const Format fmt = Format::from_text(text);
  testsupport::ScratchDir dir;
  const std::string path = dir.file("rows.csv");
  CollectSink sink;
  OutChannel out;
  out.create(10, path.c_str());
  RowWriter rows(out, fmt, per_row);
  std::vector<Value> values;
  for (std::size_t k = 0; k + static_cast<std::size_t>(per_row) <= v.size(); k += static_cast<std::size_t>(per_row)) {
    const std::span<const float> row(v.data() + k, static_cast<std::size_t>(per_row));
    rows.row(row);
    values.assign(row.begin(), row.end());
    write_formatted(sink, fmt, values);
  }
  out.close();
  Both b{dir.read("rows.csv"), "", rows.flat()};
  for (const std::string& r : sink.records) b.statements += r + "\n";
  return b;
}

struct RowCase {
  const char* format;
  int per_row;
  bool flat;  // whether the rows can be edited straight into the buffer
};

const RowCase row_cases[] = {
    {"(F8.4,6(',',E12.4))", 5, true},   // Amp-Factors.csv: ends with a comma
    {"(F8.4,6(',',E12.4))", 4, true},   // amp1.csv
    {"(F10.5,3(',',E12.4))", 4, true},  // wave1.csv: ends with the last number
    {"(F8.4,6(',',E12.4))", 7, true},   // exactly full
    {"('[',F5.3,1X,']')", 1, false},    // a skip
    {"(F8.4,/,E12.4)", 2, false},       // two records a row
    {"(2F9.3)", 3, false},              // values left for a second pass
    {"(I5,F8.2)", 2, false},            // an integer field gets asterisks
    {"(E12.4,E8.1,F4.3,E7.4)", 4, true},
    {"(nonsense", 2, false},            // an invalid format writes empty records
};

TEST(RowWriter, SameBytesAsOneStatementPerRow) {
  const std::vector<float> v = probe_values();
  for (const RowCase& c : row_cases) {
    SCOPED_TRACE(std::string(c.format) + " with " + std::to_string(c.per_row));
    const Both b = write_both(c.format, c.per_row, v);
    EXPECT_EQ(b.flat, c.flat);
    if (c.flat) {
      EXPECT_GT(b.rows.size(), std::size_t{1} << 17);  // several buffer blocks
    }
    EXPECT_EQ(b.rows, b.statements);
  }
}

TEST(RowWriter, RowsStopAtCloseAndRestartAtCreate) {
  const std::vector<float> v = {1.5f, -2.0f, 3.0e-3f, 4.0e5f};
  const Format fmt("(F10.5,3(',',E12.4))");
  testsupport::ScratchDir dir;
  OutChannel out;
  for (const char* name : {"a.csv", "b.csv"}) {
    out.create(11, dir.file(name).c_str());
    RowWriter rows(out, fmt, 4);
    rows.row(v);
    rows.row(v);
    out.close();
  }
  const std::string row = "   1.50000, -0.2000E+01,  0.3000E-02,  0.4000E+06\n";
  EXPECT_EQ(dir.read("a.csv"), row + row);
  EXPECT_EQ(dir.read("b.csv"), row + row);
}

TEST(RowWriter, ConsoleRowsGoOutOneStatementEach) {
  const Format fmt("(F8.4,6(',',E12.4))");
  RowWriter rows(console_out(), fmt, 2);
  EXPECT_TRUE(rows.flat());  // the plan is made, but the console takes records whole
  EXPECT_EQ(console_out().record_space(10), nullptr);
}

}  // namespace
