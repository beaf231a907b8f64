// Band edges from the command line and the answers handed to the dialogue.
#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <string>

#include "cli/diagnostic.h"
#include "cli/result_digest.h"
#include "cli/shaping.h"

namespace sitekit::cli {
namespace {

struct BandCase {
  const char* text;
  bool accepted;
  const char* answers;  // what the dialogue reads after "0\n1\n"; or the warning
  const char* warning;
};

TEST(BandEdges, KeptAsTypedOrRefused) {
  const BandCase cases[] = {
      {"0.1,0.2,20,25", true, "0.1,0.2,20,25\n", ""},
      {" 0.1 ; 0.2 ;20; 25", true, "0.1,0.2,20,25\n", ""},
      {"1e-1,+2e-1,2.0E1,25.", true, "1e-1,+2e-1,2.0E1,25.\n", ""},
      {"0.1,0.2,25,20", true, "0.1,0.2,25,20\n",
       "band edges 0.1,0.2,25,20 are not in the order fL1<fL2<fH1<fH2; the filter is applied as given"},
      {"0,0,20,20", true, "0,0,20,20\n",
       "band edges 0,0,20,20 are not in the order fL1<fL2<fH1<fH2; the filter is applied as given"},
      {"20,25,0.1,0.2", false, "", ""},  // nothing would pass
      {"5,6,7,5", false, "", ""},        // fH2 = fL1: nothing would pass
      {"-1,0.2,20,25", false, "", ""},
      {"0.1,0.2,20", false, "", ""},
      {"0.1,0.2,20,25,30", false, "", ""},
      {"0.1,,20,25", false, "", ""},
      {"0.1,0.2,20,inf", false, "", ""},
      {"0.1,0.2,20,1.5D1", false, "", ""},
      {"", false, "", ""},
  };
  for (const BandCase& c : cases) {
    try {
      const Band b = parse_band(c.text, "--band");
      EXPECT_TRUE(c.accepted) << c.text;
      EXPECT_EQ(dialogue_answers(Shaping::none, b), std::string("0\n1\n") + c.answers) << c.text;
      EXPECT_EQ(band_order_warning(b), c.warning) << c.text;
    } catch (const Failure& f) {
      EXPECT_FALSE(c.accepted) << c.text;
      EXPECT_EQ(f.status(), Exit::bad_usage);
      EXPECT_EQ(text_of(f.problem()),
                std::string("--band: expected four numbers fL1<fL2<fH1<fH2, got \"") + c.text + "\"");
    }
  }
}

TEST(DialogueAnswers, OneLinePerQuestion) {
  EXPECT_EQ(dialogue_answers(Shaping::none, std::nullopt), "0\n0\n");
  EXPECT_EQ(dialogue_answers(Shaping::integrate, std::nullopt), "1\n0\n");
  EXPECT_EQ(dialogue_answers(Shaping::differentiate, parse_band("1,2,3,4", "--band")), "2\n1\n1,2,3,4\n");
}

TEST(ResultDigest, SurfacePeaksAreTheLargerMagnitudeOfMinAndMax) {
  const char* summary =
      "\n  Min X, Y and Z          = -608.226135 -1.5  0.\n"
      "  Max X, Y abd Z          =  522.573181  448.380768  338.154266\n";
  const auto p = surface_peaks(summary);
  ASSERT_TRUE(p);
  EXPECT_EQ(*p, (std::array<double, 3>{608.226135, 448.380768, 338.154266}));
  EXPECT_FALSE(surface_peaks("  Min X, Y and Z          = 1 2 3\n"));
}

TEST(ResultDigest, LargestAmplificationOfTheAppliedColumns) {
  const char* amp =
      " frequency (Hz),Samp1,Samp2,Pamp1,Pamp2\n"
      "  0.0000,  0.2000E+01,  0.1000E+01,  0.2000E+01,  0.1000E+01,\n"
      "  1.5000,  0.9000E+01,  0.3000E+01,  0.1000E+01,  0.7000E+01,\n"
      "  2.5000,  0.4000E+01,  0.8000E+01,  0.5000E+01,  0.2000E+01,\n"
      "********,  0.9900E+02,  0.9900E+02,  0.9900E+02,  0.9900E+02,\n";
  struct Row { int wave_type; double sh_hz, sh, psv_hz, psv; };
  const Row rows[] = {
      {1, 1.5, 9.0, 2.5, 5.0},  // incident: columns Samp1, Pamp1
      {2, 2.5, 8.0, 1.5, 7.0},  // borehole: columns Samp2, Pamp2
  };
  for (const Row& r : rows) {
    const auto p = peak_amplification(amp, r.wave_type);
    ASSERT_TRUE(p) << r.wave_type;
    EXPECT_EQ(p->sh_hz, r.sh_hz) << r.wave_type;
    EXPECT_EQ(p->sh, r.sh) << r.wave_type;
    EXPECT_EQ(p->psv_hz, r.psv_hz) << r.wave_type;
    EXPECT_EQ(p->psv, r.psv) << r.wave_type;
  }
  EXPECT_FALSE(peak_amplification(" frequency (Hz),Samp1,Samp2,Pamp1,Pamp2\n", 1));
}

// The factors as the dialogue edits them are read without from_chars, and
// must still be its numbers, bit for bit; other forms go to it.
TEST(ResultDigest, EditedFactorsReadAsFromCharsReadsThem) {
  const char* factors[] = {"0.2000E+01", "0.1234E-05", "0.9999E+22", "0.1000E-22", "0.3000E+00",
                           "-0.7000E-01", "1.0864", "123456789012345", "1234567890123456", "0.30000000000000004",
                           "0.1E+23", "2.5e-3", ".5", "7", "0.1000E-99"};
  for (const char* f : factors) {
    const std::string amp = " frequency (Hz),Samp1,Samp2,Pamp1,Pamp2\n  1.0000,  " + std::string(f) + ",  0,  0,  0,\n";
    const auto p = peak_amplification(amp, 1);
    double want = 0;
    std::from_chars(f, f + std::strlen(f), want);
    ASSERT_TRUE(p) << f;
    EXPECT_EQ(p->sh, want) << f;
  }
}

}  // namespace
}  // namespace sitekit::cli
