// Free-form output: item forms, the record's leading blank and line breaking.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textio/collect_sink.h"
#include "textio/write.h"

namespace siteresp::textio {
namespace {

TEST(FreeFormLines, ConsoleLines) {
  CollectSink out;
  ListWriter(out).text("  Incident Wave Angle (degree) =").real(30.0f).end();
  ListWriter(out).text("  Input Wave Type =").integer(1).end();
  ListWriter(out).text("From Subroutine SOILIN:").end();
  ListWriter(out).text("  Duration and Delta Time =").real(10.2399998f).real(0.00999999978f).end();
  EXPECT_EQ(out.records, (Records{"   Incident Wave Angle (degree) =  30.", "   Input Wave Type = 1",
                                  " From Subroutine SOILIN:", "   Duration and Delta Time =  10.2399998  0.00999999978"}));
}

TEST(FreeFormLines, LeadingBlankOnlyForAFirstText) {
  CollectSink out;
  ListWriter(out).end();                              // no items: an empty line
  ListWriter(out).text("TIME      ").text(",").end();  // texts run together, blanks kept
  ListWriter(out).integer(5).integer(-12).end();
  ListWriter(out).real(-2.25f).text("x").end();
  ListWriter(out).text("").end();
  EXPECT_EQ(out.records, (Records{"", " TIME      ,", " 5 -12", " -2.25x", " "}));
}

TEST(FreeFormLines, BreakBeforeColumnEighty) {
  enum Kind { text, integer, real };
  struct Case {
    std::size_t len;   // characters in the record before the item
    Kind kind;         // text "b", an integer, or the real 30
    int value;
    const char* form;  // what the item adds to a record
    bool breaks;
  };
  const Case cases[] = {
      {78, text, 0, "b", false},       // 78 + 1 = 79
      {79, text, 0, "b", true},        // 79 + 1 = 80
      {78, integer, 5, " 5", false},   // only the digit counts: 79
      {78, integer, -5, " -5", false}, // the sign does not count either; the line reaches 81
      {78, integer, 12, " 12", true},  // 78 + 2 = 80
      {74, real, 0, "  30.", false},   // the whole form counts: 74 + 5 = 79
      {75, real, 0, "  30.", true},    // 80
  };
  for (const auto& c : cases) {
    std::string head(c.len, 'a');  // a record of len characters: one first text
    head[0] = ' ';
    CollectSink out;
    ListWriter w(out);
    w.text(std::string_view(head).substr(1));
    if (c.kind == text) w.text("b");
    if (c.kind == integer) w.integer(c.value);
    if (c.kind == real) w.real(30.0f);
    w.end();
    std::string alone = c.kind == text ? " " : "";  // a text first in its record gets the blank
    alone += c.form;
    const Records expected = c.breaks ? Records{head, alone} : Records{head + c.form};
    EXPECT_EQ(out.records, expected) << "len " << c.len << " item " << c.form;
  }
}

TEST(FreeFormLines, ManyItemsWrapEveryLine) {
  CollectSink out;
  ListWriter w(out);
  for (int k = 0; k < 20; ++k) w.real(1.5f);  // "  1.5" five characters each
  w.end();
  // 15 items make 75; the 16th would reach 80.
  EXPECT_EQ(out.records.size(), 2u);
  std::string line;
  for (int k = 0; k < 15; ++k) line += "  1.5";
  EXPECT_EQ(out.records.at(0), line);
  EXPECT_EQ(out.records.at(1), std::string("  1.5  1.5  1.5  1.5  1.5"));
}

TEST(FreeFormLines, ItemLongerThanTheLineStandsAlone) {
  const std::string wide(100, 'w');
  CollectSink out;
  ListWriter(out).text(wide).end();  // first item: no empty record before it
  ListWriter(out).text("x").text(wide).text("y").integer(7).end();
  EXPECT_EQ(out.records, (Records{" " + wide, " x", " " + wide, " y 7"}));
  const std::string huge(1000, 'h');  // longer than the record's fixed block
  ListWriter(out).integer(1).text(huge).end();
  EXPECT_EQ(out.records.at(4), " 1");
  EXPECT_EQ(out.records.at(5), " " + huge);
}

}  // namespace
}  // namespace siteresp::textio
