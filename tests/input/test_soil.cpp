// The soil profile dialogue, its echo, and the profiles it refuses.
#include <gtest/gtest.h>

#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using ChildResult = testsupport::Outcome;
using TempDir = testsupport::ScratchDir;

const char* const wave = "time,H1,H2,V1\n0,1,0,0\n0.01,0,1,0\n0.02,0,0,1\n";

ChildResult run_soil(const TempDir& dir, const std::string& soil_name, const std::string& soil,
                     const std::string& typed_name = "") {
  dir.write("w.csv", wave);
  if (!soil_name.empty()) dir.write(soil_name, soil);
  const std::string typed = typed_name.empty() ? soil_name : typed_name;
  return testsupport::run(SITERESP_EXE, {},
                          testsupport::Options().in(dir.str()).with_input("w.csv\n" + typed + "\n0\n0\n"));
}

// The console text from the soil prompt to the end of the layer echo.
std::string soil_part(const std::string& out) {
  const std::size_t from = out.find("\n Enter Soil Data");
  const std::size_t to = out.find("\n\n  You can integrate");
  if (from == std::string::npos) return "";
  return out.substr(from + 1, to == std::string::npos ? std::string::npos : to - from);
}

const std::string head =
    " Enter Soil Data (e.g., soil_dat.csv)\n"
    "\n"
    " From Subroutine SOILIN:\n"
    "   Incident Wave Angle (degree) =  30.\n"
    "   Input Wave Type = 1\n"
    "     (=1: Data of Theoretical Input Data in Bedrock\n"
    "     ,=2: Data Observed at Boreholein Bedrock)\n"
    "\n";
const std::string heading =
    "   Layer,Density,Vp(real),    Qp  ,  Fp  ,Vs(real),    Qs  ,  Fs  ,Thickness(m)\n";
const std::string row1 =
    "     1    1.800  1500.00   20.000  0.500   200.00   10.000  0.500      10.000\n";
const std::string row2 =
    "     2    2.200  3000.00   50.000  0.800  1200.00   30.000  0.700       5.000\n";

struct EchoCase {
  const char* name;
  const char* file;
};

TEST(SoilEcho, LayoutsThatReadAlike) {
  const EchoCase cases[] = {
      {"commas and labels",
       "title\n30.0,angle\n1,type\nskip\n2,layers\nheading\n1,1.8,1500,20,0.5,200,10,0.5,10\n"
       "2,2.2,3000,50,0.8,1200,30,0.7,5\n"},
      {"blanks and tabs", "title\n30.0 deg\n1\tone\nskip\n2\nheading\n1 1.8 1500 20 0.5 200 10 0.5 10\n"
                          "2\t2.2\t3000\t50\t0.8\t1200\t30\t0.7\t5\n"},
      {"row split over two lines",
       "title\n30\n1\nskip\n2\nheading\n1,1.8,1500,20,\n0.5,200,10,0.5,10\n2,2.2,3000,50,0.8,1200,30,0.7,5\n"},
      {"no line end after the last row",
       "title\n30\n1\nskip\n2\nheading\n1,1.8,1500,20,0.5,200,10,0.5,10\n2,2.2,3000,50,0.8,1200,30,0.7,5"},
      {"extra values and lines after the last row",
       "t\n30\n1\ns\n2\nh\n1,1.8,1500,20,0.5,200,10,0.5,10,99\n2,2.2,3000,50,0.8,1200,30,0.7,5\nrubbish\n"},
      {"CRLF lines",
       "t\r\n30\r\n1\r\n\r\n2\r\nh\r\n1,1.8,1500,20,0.5,200,10,0.5,10\r\n2,2.2,3000,50,0.8,1200,30,0.7,5\r\n"},
  };
  const std::string expected = head + "   Total Number of Layers =    2\n" + heading + row1 + row2;
  for (const EchoCase& c : cases) {
    TempDir dir;
    ChildResult r = run_soil(dir, "s.csv", c.file);
    EXPECT_EQ(r.code(), 0) << c.name << r.err;
    EXPECT_EQ(soil_part(r.out), expected) << c.name;
  }
}

TEST(SoilEcho, LayerNumbersAsRead) {
  TempDir dir;
  ChildResult r = run_soil(dir, "s.csv",
                           "t\n0\n2\ns\n2\nh\n7,1.8,1500,20,0.5,200,10,0.5,10\n7,2.2,3000,50,0.8,1200,30,0.7,5\n");
  EXPECT_EQ(r.code(), 0) << r.err;
  EXPECT_NE(r.out.find("\n     7    1.800"), std::string::npos);
  EXPECT_NE(r.out.find("\n     7    2.200"), std::string::npos);
  EXPECT_NE(r.out.find("   Incident Wave Angle (degree) =  0.\n   Input Wave Type = 2\n"), std::string::npos);
}

TEST(SoilEcho, FileNameOf20And21Characters) {
  const std::string soil = "t\n30\n1\ns\n1\nh\n1,2,3000,50,0.5,1200,30,0.5,0\n";
  TempDir dir;
  ChildResult exact = run_soil(dir, "abcdefghijklmnop.csv", soil);
  EXPECT_EQ(exact.code(), 0) << exact.err;
  TempDir dir2;
  ChildResult cut = run_soil(dir2, "abcdefghijklmnopq.cs", soil, "abcdefghijklmnopq.csv");
  EXPECT_EQ(cut.code(), 0) << cut.err;
}

const std::string lately_reading = "lately reading sequential formatted external IO\n";

struct SoilFailure {
  const char* name;
  const char* file;          // nullptr: no file
  std::string err;           // whole standard error
  std::string out_ends;      // what standard output ends with
};

TEST(SoilDiagnostics, ExactText) {
  const std::string unit4 = "apparent state: unit 4 named s.csv\n";
  const SoilFailure cases[] = {
      {"missing file", nullptr,
       "open: No such file or directory\n" + unit4 + "last format: list io\n"
       "lately writing sequential formatted external IO\n",
       " From Subroutine SOILIN:\n"},
      {"wave type written as a real", "t\n30\n1.0\ns\n1\nh\n",
       "invalid integer: read unexpected character\n" + unit4 + "last format: list io\n" + lately_reading,
       "   Incident Wave Angle (degree) =  30.\n"},
      {"file ends before the layer count", "t\n30\n1\n",
       "read start: end of file\n" + unit4 + "last format: list io\n" + lately_reading,
       "Boreholein Bedrock)\n"},
      {"file ends inside a row", "t\n30\n1\ns\n2\nh\n1,1.8,1500,20,0.5,200,10,0.5,10\n2,2.2\n",
       "list in: end of file\n" + unit4 + "last format: list io\n" + lately_reading, row1},
      {"wave type 3", "t\n30\n3\ns\n1\nh\n",
       "soil profile: input wave type must be 1 or 2\n" + unit4 + lately_reading,
       "     ,=2: Data Observed at Boreholein Bedrock)\n"},
      {"no layers", "t\n30\n1\ns\n0\nh\n",
       "soil profile: number of layers must be 1 to 50\n" + unit4 + lately_reading,
       "   Total Number of Layers =    0\n" + heading},
      {"51 layers", "t\n30\n1\ns\n51\nh\n",
       "soil profile: number of layers must be 1 to 50\n" + unit4 + lately_reading,
       "   Total Number of Layers =   51\n" + heading},
      {"a million layers", "t\n30\n1\ns\n1000000\nh\n",
       "soil profile: number of layers must be 1 to 50\n" + unit4 + lately_reading,
       "   Total Number of Layers =*****\n" + heading},
      {"zero density", "t\n30\n1\ns\n2\nh\n1,1.8,1500,20,0.5,200,10,0.5,10\n2,0,3000,50,0.8,1200,30,0.7,5\n",
       "soil profile: layer row 2 needs non-zero density and velocities and Vp different from Vs\n" +
           unit4 + lately_reading,
       "     2    0.000  3000.00   50.000  0.800  1200.00   30.000  0.700       5.000\n"},
      {"Vp equal to Vs", "t\n30\n1\ns\n1\nh\n1,1.8,300,20,0.5,300,10,0.5,10\n",
       "soil profile: layer row 1 needs non-zero density and velocities and Vp different from Vs\n" +
           unit4 + lately_reading,
       "     1    1.800   300.00   20.000  0.500   300.00   10.000  0.500      10.000\n"},
  };
  for (const SoilFailure& c : cases) {
    TempDir dir;
    ChildResult r = run_soil(dir, c.file ? "s.csv" : "", c.file ? c.file : "", "s.csv");
    EXPECT_TRUE(r.aborted()) << c.name;
    EXPECT_EQ(r.err, c.err) << c.name;
    ASSERT_GE(r.out.size(), c.out_ends.size()) << c.name;
    EXPECT_EQ(r.out.substr(r.out.size() - c.out_ends.size()), c.out_ends) << c.name << "\n" << r.out;
    EXPECT_FALSE(dir.exists("Amp-Factors.csv")) << c.name;
  }
}

}  // namespace
