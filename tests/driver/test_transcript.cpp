// The console dialogue and the shape of the result files of a whole run.
#include <gtest/gtest.h>

#include <cmath>

#include "run_fixture.h"

namespace {

using namespace e2e;

std::string record_1000() {
  return wave_csv(1000, "0.01", 0.01, 0.0, [](int i) { return std::sin(0.05 * i); },
                  [](int i) { return std::cos(0.03 * i); }, [](int i) { return i % 7 == 0 ? 1.0 : 0.0; });
}

std::string two_layers() {
  return soil_csv(30.0, 1,
                  "1, 1.8, 1500, 20, 0.5, 200, 10, 0.5, 10\n"
                  "2, 2.2, 3000, 50, 0.5, 1200, 30, 0.5, 0\n",
                  2);
}

const char* const transcript_head =
    "\n"
    "\n"
    " Enter Wave Data (H1,H2,V1; e.g., wave.csv)\n"
    " NT and DT= 1000  0.00999999978\n"
    "\n"
    "  IF1,NF= 10 1024\n"
    "\n"
    "  DUR,DOM,NOM,EOM=  10.2399998  0.613592327 513  314.772858\n"
    "  Highest Frequency (hz)=  50.0976562\n"
    "\n"
    " Enter Soil Data (e.g., soil_dat.csv)\n"
    "\n"
    " From Subroutine SOILIN:\n"
    "   Incident Wave Angle (degree) =  30.\n"
    "   Input Wave Type = 1\n"
    "     (=1: Data of Theoretical Input Data in Bedrock\n"
    "     ,=2: Data Observed at Boreholein Bedrock)\n"
    "\n"
    "   Total Number of Layers =    2\n"
    "   Layer,Density,Vp(real),    Qp  ,  Fp  ,Vs(real),    Qs  ,  Fs  ,Thickness(m)\n"
    "     1    1.800  1500.00   20.000  0.500   200.00   10.000  0.500      10.000\n"
    "     2    2.200  3000.00   50.000  0.500  1200.00   30.000  0.500       0.000\n"
    "\n"
    "  You can integrate or differentiate the original wave.;\n"
    "    Do not change   (Enter -> 0),\n"
    "    Integrate       (Enter -> 1),\n"
    "    Differentiate   (Enter -> 2):\n"
    "\n"
    "  Band Pass Filter? (Yes=1 or No=0) :\n";

TEST(Transcript, Record1000WithFilter) {
  TempDir dir;
  dir.write("wave.csv", record_1000());
  dir.write("soil.csv", two_layers());
  ChildResult r = run_in(dir, answers("wave.csv", "soil.csv", 0, 1, "1,2,20,30"));
  ASSERT_TRUE(r.exited()) << r.out;
  EXPECT_EQ(r.code(), 0) << r.out;
  const std::string filter =
      "    Data for TRAPEZOIDAL BAND PASS FILTER:\n"
      "    INITIAL AND FINAL Frequencies =  0.  50.\n"
      "\n"
      "    Enter fL1,fL2,fH1 and fH2 (fL1<fL2<fH1<fH2: Hz): \n"
      "\n"
      "\n"
      "  Nmber of data points    = 1024\n"
      "  Duration and Delta Time =  10.2399998  0.00999999978\n"
      "  Initial and final times =  0.  10.2299995\n"
      "\n";
  ASSERT_EQ(r.out.substr(0, std::string(transcript_head).size()), transcript_head);
  const std::string rest = r.out.substr(std::string(transcript_head).size());
  ASSERT_EQ(rest.substr(0, filter.size()), filter);
  const auto tail = lines_of(rest.substr(filter.size()));
  ASSERT_EQ(tail.size(), 8u) << rest;
  EXPECT_EQ(tail[0].substr(0, 27), "  Min X, Y and Z          =");
  EXPECT_EQ(tail[1].substr(0, 27), "  Max X, Y abd Z          =");
  EXPECT_EQ(tail[2].substr(0, 27), "  Min and Max amplitudes  =");
  EXPECT_EQ(tail[3].substr(0, 27), "  Absolute Max amplitude  =");
  EXPECT_EQ(tail[4], "");
  EXPECT_EQ(tail[5], " Output data are stored in \"wave1.csv\"");
  EXPECT_EQ(tail[6], " You can plot the waveform using \"wave.m\" for Matlab");
  EXPECT_EQ(tail[7], "");
  EXPECT_EQ(rest.back(), '\n');
}

TEST(ResultFiles, LineCountsLengthsAndHeadings) {
  TempDir dir;
  dir.write("wave.csv", record_1000());
  dir.write("soil.csv", two_layers());
  ChildResult r = run_in(dir, answers("wave.csv", "soil.csv", 1, 0));
  ASSERT_EQ(r.code(), 0) << r.out;
  const auto amp = lines_of(dir.read("Amp-Factors.csv"));
  const auto spectrum = lines_of(dir.read("amp1.csv"));
  const auto wave = lines_of(dir.read("wave1.csv"));
  ASSERT_EQ(amp.size(), 514u);
  ASSERT_EQ(spectrum.size(), 513u);
  ASSERT_EQ(wave.size(), 1025u);
  EXPECT_EQ(amp[0], " frequency (Hz),Samp1,Samp2,Pamp1,Pamp2");
  EXPECT_EQ(spectrum[0], " frequency(Hz),H1        ,H2        ,V1        ");
  EXPECT_EQ(wave[0], " time      ,H1        ,H2        ,V1        ");
  EXPECT_EQ(amp[1], "  0.0000,  0.2000E+01,  0.1000E+01,  0.2000E+01,  0.1000E+01,");
  EXPECT_EQ(wave[1], "   0.00000,  0.0000E+00,  0.0000E+00,  0.0000E+00");
  for (std::size_t i = 1; i < amp.size(); ++i) {
    ASSERT_EQ(amp[i].size(), 61u) << i;
    ASSERT_EQ(amp[i].back(), ',') << i;
  }
  for (std::size_t i = 1; i < spectrum.size(); ++i) {
    ASSERT_EQ(spectrum[i].size(), 48u) << i;
    ASSERT_EQ(spectrum[i].back(), ',') << i;
  }
  for (std::size_t i = 1; i < wave.size(); ++i) {
    ASSERT_EQ(wave[i].size(), 49u) << i;
    ASSERT_NE(wave[i].back(), ',') << i;
  }
  EXPECT_EQ(spectrum[1].substr(0, 9), "  0.0977,");   // first row: one step above zero
  EXPECT_EQ(amp[513].substr(0, 9), " 50.0000,");  // Nyquist
  EXPECT_EQ(wave[2].substr(0, 11), "   0.01000,");
  EXPECT_EQ(wave[1000].substr(0, 11), "   9.99000,");
  EXPECT_EQ(wave[1001].substr(0, 11), "   0.00000,");  // padded tail
}

}  // namespace
