// Numbers, fields and layouts as record files write them.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "records/fields.h"
#include "records/text.h"

namespace {

using namespace sitekit::records;

struct RealCase {
  const char* in;
  std::optional<double> out;
};

TEST(RealForms, FortranAndPlainFormsReadAsTheSameValue) {
  const RealCase cases[] = {
      {"1.5E3", 1500.0},        {"1.5e3", 1500.0},      {"1.5D3", 1500.0},   {"1.5d3", 1500.0},
      {"1.5+3", 1500.0},        {"1.5-3", 1.5e-3},      {".5", 0.5},         {"5.", 5.0},
      {"+5", 5.0},              {"-0", -0.0},           {"007", 7.0},        {"  -.8075668E-03", -.8075668e-3},
      {"2.3375500E-05 ", 2.33755e-5}, {"-2.2223E+0", -2.2223},
      {"1.2.3", std::nullopt},  {"", std::nullopt},     {"-", std::nullopt}, {".", std::nullopt},
      {"1e", std::nullopt},     {"1e+", std::nullopt},  {"inf", std::nullopt}, {"nan", std::nullopt},
      {"0x10", std::nullopt},   {"1e999", std::nullopt}, {"1,5", std::nullopt}, {"1.5abc", std::nullopt},
  };
  for (const RealCase& c : cases) {
    const auto v = text::parse_real(c.in);
    ASSERT_EQ(v.has_value(), c.out.has_value()) << c.in;
    if (v) {
      EXPECT_EQ(*v, *c.out) << c.in;
    }
  }
  EXPECT_FALSE(text::parse_real(std::string_view("1\0", 2)));
}

TEST(WholeForms, OnlyDigitsWithAnOptionalSign) {
  const std::pair<const char*, std::optional<long long>> cases[] = {
      {"12", 12}, {"+12", 12}, {"-32768", -32768}, {" 7 ", 7},
      {"12.0", std::nullopt}, {"1e3", std::nullopt}, {"", std::nullopt}, {"+-1", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(text::parse_int(in), out) << in;
}

TEST(Layouts, FortranEditDescriptorsGiveFieldsPerLineAndWidth) {
  const std::pair<const char*, std::optional<std::pair<std::size_t, std::size_t>>> cases[] = {
      {"(8F10.6)", std::pair{8, 10}}, {"(1E15.6)", std::pair{1, 15}}, {"(10I8)", std::pair{10, 8}},
      {"16I5", std::pair{16, 5}},     {"( 5E16.7 )", std::pair{5, 16}}, {"(E15.6)", std::pair{1, 15}},
      {"(8X10.6)", std::nullopt},     {"(0F10.6)", std::nullopt},     {"(8F)", std::nullopt},
      {"(8F10.6", std::pair{8, 10}},  {"", std::nullopt},
  };
  for (const auto& [in, out] : cases) {
    const auto l = text::parse_layout(in);
    ASSERT_EQ(l.has_value(), out.has_value()) << in;
    if (l) {
      EXPECT_EQ(std::pair(l->per_line, l->width), *out) << in;
    }
  }
}

TEST(Quoting, BadFieldsAreShownPrintableAndShort) {
  EXPECT_EQ(text::quoted("1.2.3"), "\"1.2.3\"");
  EXPECT_EQ(text::quoted(std::string_view("1\0x", 3)), "\"1\\x00x\"");
  EXPECT_EQ(text::quoted("a\"b"), "\"a\\x22b\"");
  EXPECT_EQ(text::quoted(std::string(50, '9')), "\"" + std::string(40, '9') + "...\"");
}

TEST(FixedWidth, TouchingFieldsAreCutByColumn) {
  const std::vector<std::string_view> lines = {"-2.2223E+0-1.9234E+0   1.5E+0", "       4.0"};
  std::vector<double> out;
  const auto next = text::read_fixed(lines, 0, 4, 3, 10, out, "f");
  ASSERT_TRUE(next);
  EXPECT_EQ(next.value(), 2u);
  EXPECT_EQ(out, (std::vector<double>{-2.2223, -1.9234, 1.5, 4.0}));
}

TEST(FixedWidth, ErrorsNameTheLineAndField) {
  const std::vector<std::string_view> lines = {"       1.0       2.0", "       3.0     1.2.3"};
  std::vector<double> out;
  auto r = text::read_fixed(lines, 0, 4, 2, 10, out, "f");
  ASSERT_FALSE(r);
  EXPECT_EQ(r.error(), (Error{"f", 2, "field 2: \"1.2.3\" is not a number"}));
  r = text::read_fixed(lines, 0, 6, 2, 10, out, "f");
  ASSERT_FALSE(r);
  EXPECT_EQ(r.error().message, "field 2: \"1.2.3\" is not a number");
  r = text::read_fixed(lines, 0, 1000000000, 2, 10, out, "f");
  ASSERT_FALSE(r);
  EXPECT_EQ(r.error().message, "field 2: \"1.2.3\" is not a number");
  const std::vector<std::string_view> good = {"       1.0       2.0"};
  r = text::read_fixed(good, 0, 1000000000, 2, 10, out, "f");
  ASSERT_FALSE(r);
  EXPECT_EQ(r.error(), (Error{"f", 1, "the file ends after 2 of 1000000000 samples"}));
}

TEST(Lines, LineEndsOfEitherKindAndNoTrailingEmptyLine) {
  const std::pair<std::string, std::vector<std::string_view>> cases[] = {
      {"a\nb\n", {"a", "b"}}, {"a\r\nb\r\n", {"a", "b"}}, {"a\nb", {"a", "b"}},
      {"\n\n", {"", ""}},     {"", {}},                   {"a\r", {"a"}},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(text::split_lines(in), out) << in;
}

TEST(FreeFormFields, CommaBlanksAndTabsSeparateAndTwoCommasEncloseAnEmptyField) {
  const std::pair<const char*, std::vector<std::string_view>> cases[] = {
      {"0,1,2,3", {"0", "1", "2", "3"}},   {"0 , 1\t2  3", {"0", "1", "2", "3"}},
      {"1,,3", {"1", "", "3"}},            {",1", {"", "1"}},
      {"1,2,", {"1", "2"}},                {"  ", {}},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(fields::split(in), out) << in;
}

TEST(FreeFormLabels, QuotedLabelsKeepBlanksCommasAndDoubledQuotes) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"time,H1,H2,V1", {"time", "H1", "H2", "V1"}},
      {"'t (s)',\"H1, N\",'it''s',V1", {"t (s)", "H1, N", "it's", "V1"}},
      {"H1 (gal)", {"H1", "(gal)"}},
      {"'open", {"open"}},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(fields::labels(in), out) << in;
}

}  // namespace
