// Formats told apart by content alone, and the files a record argument names.
#include <gtest/gtest.h>

#include "read_helpers.h"
#include "records/record.h"
#include "support/scratch_dir.h"

namespace {

using namespace records_test;

TEST(FormatMarks, FirstLinesTellTheFormat) {
  const std::pair<std::string, Format> cases[] = {
      {"Origin Time       2018/01/24 19:51:00\nLat.  41.0\nScale Factor      3920(gal)/6182761\n", Format::knet},
      {"PEER NGA STRONG MOTION DATABASE RECORD\nx, 1/1/2000, S, 90\nACCELERATION TIME SERIES IN UNITS OF G\nNPTS= 5, DT= .01\n", Format::at2},
      {"2 CORRECTED ACCELEROGRAM\n", Format::smc},
      {"1 UNCORRECTED ACCELEROGRAM\r\n", Format::smc},
      {"Corrected acceleration    (Format v01.20 with 13 text lines)\n", Format::cosmos},
      {"Corrected accelerogram  Chan 1: 360 Deg\n\n   12 points of accel data equally spaced at .005 sec, in cm/sec2. (8f10.6)\n", Format::csmip},
      {"EVENT_NAME: x\nSAMPLING_INTERVAL_S: 0.01\nNDATA: 3\n", Format::esm},
      {"time,H1,H2,V1\n0,0,0,0\n", Format::wave},
      {"\n'time (s)' H1 H2 V1\n\n.5 1 2 3\n", Format::wave},
      {"hello\nworld\n", Format::automatic},
      {"", Format::automatic},
      {std::string("\0\0\0", 3), Format::automatic},
  };
  for (const auto& [content, format] : cases) EXPECT_EQ(detect(content), format) << content;
  EXPECT_EQ(first_error("hello\nworld\n", Format::automatic), "f:0: cannot tell the format of this file; name it with --format");
}

TEST(FormatNames, RoundTrip) {
  for (Format f : {Format::automatic, Format::knet, Format::at2, Format::smc, Format::cosmos, Format::csmip,
                   Format::esm, Format::wave})
    EXPECT_EQ(parse_format(format_name(f)), f);
  EXPECT_EQ(parse_format("KNET"), std::nullopt);
}

TEST(RecordFiles, TripletsFromABaseNameOrOneOfTheirFiles) {
  const testsupport::ScratchDir d;
  for (const char* e : {"K.NS", "K.EW", "K.UD", "B.NS1", "B.EW1", "B.UD1", "B.NS2", "B.EW2", "B.UD2", "W.csv", "H.NS", "H.EW"})
    d.write(e, "x");
  const std::string p = d.str() + "/";
  using V = std::vector<std::string>;
  struct Case {
    V args;
    std::optional<Sensor> sensor;
    V files;
  };
  const Case cases[] = {
      {{p + "K"}, {}, {p + "K.NS", p + "K.EW", p + "K.UD"}},
      {{p + "K.EW"}, {}, {p + "K.NS", p + "K.EW", p + "K.UD"}},
      {{p + "B"}, {}, {p + "B.NS2", p + "B.EW2", p + "B.UD2"}},
      {{p + "B"}, Sensor::borehole, {p + "B.NS1", p + "B.EW1", p + "B.UD1"}},
      {{p + "B.UD1"}, {}, {p + "B.NS1", p + "B.EW1", p + "B.UD1"}},
      {{p + "B.UD1"}, Sensor::surface, {p + "B.NS2", p + "B.EW2", p + "B.UD2"}},
      {{p + "H"}, {}, {p + "H.NS", p + "H.EW"}},
      {{p + "W.csv"}, {}, {p + "W.csv"}},
      {{p + "K.NS", p + "W.csv"}, {}, {p + "K.NS", p + "W.csv"}},
  };
  for (const Case& c : cases) {
    auto r = expand_record_files(c.args, c.sensor);
    ASSERT_TRUE(r) << r.error().message;
    EXPECT_EQ(r.value(), c.files) << c.args[0];
  }
  auto r = expand_record_files({p + "Z"}, {});
  ASSERT_FALSE(r);
  EXPECT_EQ(r.error().message, "no such file, nor " + p + "Z.NS/.EW/.UD, nor " + p + "Z.NS2/.EW2/.UD2");
}

}  // namespace
