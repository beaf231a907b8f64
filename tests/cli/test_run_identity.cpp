// sitekit run writes what siteresp writes: the three result files byte for
// byte and its console as summary.txt, for every shaping and both wave types.
#include <gtest/gtest.h>

#include "cli/cli_fixture.h"

namespace sitekit::cli::test {
namespace {

struct ShapingCase {
  std::vector<std::string> options;  // sitekit run's
  std::string answers;               // siteresp's, after the two file names
};

const ShapingCase shapings[] = {
    {{}, "0\n0\n"},
    {{"--integrate"}, "1\n0\n"},
    {{"--differentiate"}, "2\n0\n"},
    {{"--band", "0.1,0.2,20,25"}, "0\n1\n0.1,0.2,20,25\n"},
    {{"--integrate", "--band", "0.05,0.1,10,12.5"}, "1\n1\n0.05,0.1,10,12.5\n"},
    {{"--differentiate", "--band", "0.3,0.35,1e1,15"}, "2\n1\n0.3,0.35,1e1,15\n"},
};

TEST(RunAgainstDialogue, ResultFilesIdenticalForEveryShapingAndWaveType) {
  for (int wave_type : {1, 2}) {
    for (const ShapingCase& c : shapings) {
      testsupport::ScratchDir dir;
      dir.write("wave.csv", example("wave.csv"));
      dir.write("soil.csv", example_soil(wave_type));
      const testsupport::Outcome dialogue = siteresp(dir, "wave.csv\nsoil.csv\n" + c.answers);
      ASSERT_EQ(dialogue.code(), 0) << dialogue.err;

      std::vector<std::string> args = {"run", "--soil", "soil.csv", "--out", "out"};
      args.insert(args.end(), c.options.begin(), c.options.end());
      args.push_back("wave.csv");
      const testsupport::Outcome kit = sitekit(dir, args);
      ASSERT_EQ(kit.code(), 0) << kit.err;
      const std::string where = "wave type " + std::to_string(wave_type) + ", " + c.answers;
      for (const char* f : {"Amp-Factors.csv", "amp1.csv", "wave1.csv"})
        EXPECT_EQ(dir.read(std::string("out/wave/") + f), dir.read(f)) << f << " with " << where;
      EXPECT_EQ(dir.read("out/wave/summary.txt"), dialogue.out) << where;
      EXPECT_EQ(dir.read("out/wave/input.csv"), dir.read("wave.csv"));
      EXPECT_EQ(dir.read("out/wave/soil.csv"), dir.read("soil.csv"));
    }
  }
}

}  // namespace
}  // namespace sitekit::cli::test
