// Manifests: one run per row, cells quoted or not, options as on the
// command line; every malformed manifest refused at its line.
#include <gtest/gtest.h>

#include "cli/manifest.h"

namespace sitekit::cli {
namespace {

struct RowCase {
  const char* text;
  std::vector<std::string> expected;  // per row: "line|record|soil|output|options|shaping|band"
};

std::string describe(const ManifestRow& r) {
  std::string band;
  if (r.band) band = r.band->text[0] + ";" + r.band->text[1] + ";" + r.band->text[2] + ";" + r.band->text[3];
  return std::to_string(r.line) + "|" + r.record + "|" + r.soil + "|" + r.output + "|" +
         (r.has_options ? "options" : "") + "|" + std::string(shaping_name(r.shaping)) + "|" + band;
}

TEST(ManifestRows, CellsQuotingOrderAndOptions) {
  const RowCase cases[] = {
      {"record,soil,options,output\nwave.csv,soil.csv,,out\n", {"2|wave.csv|soil.csv|out||none|"}},
      {"record\r\nA.NS\r\nB.NS\r\n", {"2|A.NS||||none|", "3|B.NS||||none|"}},
      {"output,record\nruns/x,wave.csv\n", {"2|wave.csv||runs/x||none|"}},
      {"# a study\n\nrecord,options\n\nwave.csv,--integrate\n# skipped\n",
       {"5|wave.csv|||options|integrate|"}},
      {"record,options\nw.csv,\"--differentiate --band 0.1,0.2,20,25\"\n",
       {"2|w.csv|||options|differentiate|0.1;0.2;20;25"}},
      {"record,options\nw.csv,--band=0.1;0.2;20;25\n", {"2|w.csv|||options|none|0.1;0.2;20;25"}},
      {"record,soil\n\"a \"\"quoted\"\" name.csv\", s.csv \n", {"2|a \"quoted\" name.csv|s.csv|||none|"}},
      {"record,soil\nw.csv\n", {"2|w.csv||||none|"}},
  };
  for (const RowCase& c : cases) {
    std::vector<std::string> got;
    for (const ManifestRow& r : parse_manifest(c.text, "m.csv")) got.push_back(describe(r));
    EXPECT_EQ(got, c.expected) << c.text;
  }
}

struct ErrorCase {
  std::string_view text;
  const char* error;
};

TEST(ManifestRows, MalformedManifestsRefusedAtTheirLine) {
  const ErrorCase cases[] = {
      {"", "m.csv: is empty: a manifest needs the heading record,soil,options,output"},
      {"# only a comment\n", "m.csv: is empty: a manifest needs the heading record,soil,options,output"},
      {"soil,options\n", "m.csv:1: the heading names no record column (record,soil,options,output)"},
      {"record,site\n", "m.csv:1: unknown column \"site\": the columns are record, soil, options and output"},
      {"record,record\n", "m.csv:1: column \"record\" appears twice"},
      {"record,soil\n,s.csv\n", "m.csv:2: the record cell is empty"},
      {"record\n\"w.csv\n", "m.csv:2: a quoted field is not closed on its line"},
      {"record,options\nw.csv,--smooth\n",
       "m.csv:2: unknown run option \"--smooth\": a row may give --integrate, --differentiate and --band"},
      {"record,options\nw.csv,--integrate --differentiate\n",
       "m.csv:2: --integrate and --differentiate exclude each other"},
      {"record,options\nw.csv,--band 1;2;3\n",
       "m.csv:2: expected four numbers fL1<fL2<fH1<fH2, got \"1;2;3\""},
      {"record,options\nw.csv,--band\n",
       "m.csv:2: unknown run option \"--band\": a row may give --integrate, --differentiate and --band"},
      {std::string_view("record\nw\0.csv\n", 14), "m.csv: holds a NUL byte: not a text file"},
  };
  for (const ErrorCase& c : cases) {
    try {
      parse_manifest(c.text, "m.csv");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const Failure& f) {
      EXPECT_EQ(f.status(), Exit::bad_input);
      EXPECT_EQ(text_of(f.problem()), c.error);
    }
  }
}

}  // namespace
}  // namespace sitekit::cli
