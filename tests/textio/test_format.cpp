// Format-directed output: parsing of formats and the records a write makes.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "textio/collect_sink.h"
#include "textio/write.h"

namespace siteresp::textio {
namespace {

Records write(const Format& fmt, std::initializer_list<Value> values) {
  CollectSink sink;
  write_formatted(sink, fmt, std::span<const Value>(values.begin(), values.size()));
  return sink.records;
}

Records write(const char* text, std::initializer_list<Value> values) {
  const Format fmt = Format::from_text(text);
  EXPECT_TRUE(fmt.valid()) << text;
  return write(fmt, values);
}

TEST(FormattedRows, ValuesRunOutInsideARepeatedGroup) {
  const Format amp("(F8.4,6(',',E12.4))");
  // Five values: the comma before the sixth E12.4 is still written.
  EXPECT_EQ(write(amp, {0.5f, 1.0f, 2.0f, 0.5f, 0.25f}),
            Records{"  0.5000,  0.1000E+01,  0.2000E+01,  0.5000E+00,  0.2500E+00,"});
  // Seven values fill the format and the row ends with the last number.
  EXPECT_EQ(write(amp, {12.5f, 1.0f, -2.0f, 3.0f, 4.0f, 5.0f, 6.0f}),
            Records{" 12.5000,  0.1000E+01, -0.2000E+01,  0.3000E+01,  0.4000E+01,  0.5000E+01,  0.6000E+01"});
  EXPECT_EQ(write(amp, {1.0f, 2.0f, 3.0f, 4.0f}),
            Records{"  1.0000,  0.2000E+01,  0.3000E+01,  0.4000E+01,"});
}

TEST(FormattedRows, WaveRowEndsWithTheLastNumber) {
  const Records r = write("(F10.5,3(',',E12.4))", {0.01f, 1.0f, -2.0f, 0.0f});
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0], "   0.01000,  0.1000E+01, -0.2000E+01,  0.0000E+00");
  EXPECT_EQ(r[0].size(), 49u);
}

TEST(FormattedRows, SoilEchoRow) {
  const Records r = write("(I6,F9.3,2(F9.2,F9.3,F7.3),F12.3)",
                          {1, 1.8f, 1500.0f, 20.0f, 0.5f, 200.0f, 10.0f, 0.5f, 10.0f});
  EXPECT_EQ(r, Records{"     1    1.800  1500.00   20.000  0.500   200.00   10.000  0.500      10.000"});
}

TEST(FormattedRecords, SlashesAndTrailingLiterals) {
  // One value: the literal and / after the I5 are still performed.
  EXPECT_EQ(write("(/,'   Total Number of Layers =',I5,/,'   Layer,Density,Vp(real),    Qp  ,  Fp  ,"
                  "Vs(real),    Qs  ,  Fs  ,Thickness(m)')",
                  {3}),
            (Records{"", "   Total Number of Layers =    3",
                     "   Layer,Density,Vp(real),    Qp  ,  Fp  ,Vs(real),    Qs  ,  Fs  ,Thickness(m)"}));
  // No data descriptor, no values: every record is written.
  EXPECT_EQ(write("(/,1X,'Enter Soil Data (e.g., soil_dat.csv)')", {}),
            (Records{"", " Enter Soil Data (e.g., soil_dat.csv)"}));
  EXPECT_EQ(write("(I2,/)", {1}), (Records{" 1", ""}));
  EXPECT_EQ(write("(I2/I2)", {1, 2}), (Records{" 1", " 2"}));
  EXPECT_EQ(write("(//)", {}), (Records{"", "", ""}));
  // No values: the items before the first data descriptor, then the record ends.
  EXPECT_EQ(write("('a',I2,'b')", {}), Records{"a"});
}

TEST(FormattedRecords, LiteralsAndSkips) {
  EXPECT_EQ(write("('it''s',I2)", {5}), Records{"it's 5"});
  EXPECT_EQ(write("(\"say \"\"hi\"\"\")", {}), Records{"say \"hi\""});
  EXPECT_EQ(write("('''')", {}), Records{"'"});
  EXPECT_EQ(write("('')", {}), Records{""});
  // Skipped columns become blanks only once something follows them.
  EXPECT_EQ(write("(I2,3X,'a')", {5}), Records{" 5   a"});
  EXPECT_EQ(write("(I2,3X)", {5}), Records{" 5"});
  EXPECT_EQ(write("(2X,I1,X,I1)", {1, 2}), Records{"  1 2"});
}

TEST(FormattedRecords, NestedGroupsAndRepeatCounts) {
  EXPECT_EQ(write("(2(I1,2('-',I1)),'|')", {1, 2, 3, 4, 5, 6}), Records{"1-2-34-5-6|"});
  EXPECT_EQ(write("(3I2)", {1, 2, 3}), Records{" 1 2 3"});
  EXPECT_EQ(write("(2F4.1,'|')", {1.0f, 2.0f}), Records{" 1.0 2.0|"});
  EXPECT_EQ(write("( i3 , f6.2 , e10.3 )", {7, 1.5f, 1.5f}), Records{"  7  1.50 0.150E+01"});
}

TEST(FormattedRecords, LeftoverValuesRestartTheFormat) {
  // Back to the last outer group, with its repeat count.
  EXPECT_EQ(write("(I2,2(',',I2))", {1, 2, 3, 4, 5}), (Records{" 1, 2, 3", ", 4, 5"}));
  EXPECT_EQ(write("(I2,2(',',I2))", {1, 2, 3, 4}), (Records{" 1, 2, 3", ", 4,"}));
  // No outer group (a repeat count is not one): back to the start.
  EXPECT_EQ(write("(3I2)", {1, 2, 3, 4}), (Records{" 1 2 3", " 4"}));
  EXPECT_EQ(write("(I1,'-',2I1)", {1, 2, 3, 4}), (Records{"1-23", "4-"}));
  EXPECT_EQ(write("(I3)", {1, 2, 3}), (Records{"  1", "  2", "  3"}));
  // The last outer group holds no data descriptor: back to the start.
  EXPECT_EQ(write("(I1,2('x'))", {1, 2}), (Records{"1xx", "2xx"}));
  // Nothing could take the values: they are dropped.
  EXPECT_EQ(write("('x')", {1, 2}), Records{"x"});
}

TEST(FormattedRecords, KindMismatchGivesAsterisks) {
  EXPECT_EQ(write("(I3,F5.1,E9.2)", {1.5f, 2, 3}), Records{std::string(3 + 5 + 9, '*')});
  EXPECT_EQ(write("(I3,F5.1)", {2, 1.5f}), Records{"  2  1.5"});
}

TEST(FormattedRecords, LongRecordsGrowTheBuffer) {
  const Format fmt("(40F8.2)");
  std::vector<Value> values(40, Value(1.25f));
  CollectSink sink;
  write_formatted(sink, fmt, values);
  write_formatted(sink, fmt, std::span<const Value>(values.data(), 2));
  ASSERT_EQ(sink.records.size(), 2u);
  std::string row;
  for (int k = 0; k < 40; ++k) row += "    1.25";
  EXPECT_EQ(sink.records[0], row);
  EXPECT_EQ(sink.records[1], "    1.25    1.25");
  // A long skip before a literal is blank-filled.
  EXPECT_EQ(write("(300X,'z')", {}), Records{std::string(300, ' ') + "z"});
}

TEST(FormatParsing, InvalidFormatsWriteOneEmptyRecord) {
  const char* bad[] = {
      "I5",          // no parentheses
      "(I5",         // unclosed
      "(I5))",       // trailing text
      "(Q5)",        // unknown descriptor
      "(F8)",        // F without decimals
      "(I0)",        // zero width
      "(0X)",        // zero count
      "(0(I2))",
      "('abc)",      // unclosed text
      "(I99999)",    // width beyond the limit
      "(1(1(1(1(1(1(1(1(1(I1))))))))))",  // nested too deep
  };
  for (const char* text : bad) {
    const Format fmt = Format::from_text(text);
    EXPECT_FALSE(fmt.valid()) << text;
    EXPECT_EQ(fmt.nops(), 0) << text;
    EXPECT_EQ(write(fmt, {1, 2.0f}), Records{""}) << text;
  }
  EXPECT_FALSE(Format::from_text(nullptr).valid());
}

// The parser runs while compiling: the program's formats are checked there,
// and a bad one is refused there too (see compile_fail/).
static_assert(Format("(F8.4,6(',',E12.4))").nops() > 0);
static_assert(!Format::from_text("(F8)").valid());

TEST(FormatParsing, TablesHaveFixedLimits) {
  std::string many = "(";
  for (int k = 0; k < Format::max_ops + 1; ++k) many += "I1,";
  many.back() = ')';
  EXPECT_FALSE(Format::from_text(many.c_str()).valid());
  const std::string long_text = "('" + std::string(Format::max_literal + 1, 'a') + "')";
  EXPECT_FALSE(Format::from_text(long_text.c_str()).valid());
  const std::string fits = "('" + std::string(Format::max_literal, 'a') + "')";
  const Format ok = Format::from_text(fits.c_str());
  ASSERT_TRUE(ok.valid());
  EXPECT_EQ(write(ok, {}), Records{std::string(Format::max_literal, 'a')});
  EXPECT_TRUE(Format("(1(1(1(1(1(1(1(1(I1)))))))))").valid());  // eight levels
}

}  // namespace
}  // namespace siteresp::textio
