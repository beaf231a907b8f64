// Every message of sitekit run word for word, with the exit status that goes
// with it: bad usage (2), bad input (1), warnings that let the run go on (0).
#include <gtest/gtest.h>

#include "cli/cli_fixture.h"

namespace sitekit::cli::test {
namespace {

struct MessageCase {
  std::vector<std::string> args;  // after "run"
  int code;
  std::string err;
};

// Files every case finds in its directory.
void write_inputs(const testsupport::ScratchDir& dir) {
  const std::string soil = example("soil.csv");
  dir.write("wave.csv", small_wave(200));
  dir.write("soil.csv", soil);
  dir.write("bad.csv", "time,H1,H2,V1\n0,1,2,3\n0.01,1.2.3,2,3\n");
  dir.write("one.csv", "time,H1,H2,V1\n0,1,2,3\n");
  dir.write("uneven.csv", "time,H1,H2,V1\n0,1,2,3\n0.01,1,2,3\n0.03,1,2,3\n0.04,1,2,3\n");
  std::string dens = soil, q = soil;
  dens.replace(dens.find("1, 1.70"), 7, "1, 0.00");
  q.replace(q.find(" 5.0, 0.5"), 4, " 0.05");
  dir.write("dens.csv", dens);
  dir.write("q.csv", q);
  // A wave file's head on a file past the size of any record (sparse: no
  // space is used).
  dir.write("huge.csv", "time,H1,H2,V1\n0,1,2,3\n0.01,1,2,3\n");
  std::filesystem::resize_file(dir.path() / "huge.csv", (std::uintmax_t{256} << 20) + 1);
}

TEST(RunMessages, WordForWordWithTheirExitStatus) {
  const MessageCase cases[] = {
      {{"--soil", "soil.csv", "--band", "20,25,0.1,0.2", "wave.csv"}, 2,
       "sitekit: --band: expected four numbers fL1<fL2<fH1<fH2, got \"20,25,0.1,0.2\"\n"},
      {{"--soil", "soil.csv", "--band", "1,2,3", "wave.csv"}, 2,
       "sitekit: --band: expected four numbers fL1<fL2<fH1<fH2, got \"1,2,3\"\n"},
      {{"--soil", "soil.csv", "--band", "1,2,3,x", "wave.csv"}, 2,
       "sitekit: --band: expected four numbers fL1<fL2<fH1<fH2, got \"1,2,3,x\"\n"},
      {{"wave.csv"}, 2,
       "sitekit: run: no soil profile: give --soil SOIL (or a soil column in the manifest)\n"},
      {{"--soil", "soil.csv"}, 2,
       "sitekit: run: no record given: name wave files or records, or --manifest\n"},
      {{"--soil", "soil.csv", "--integrate", "--differentiate", "wave.csv"}, 2,
       "sitekit: run: --integrate excludes --differentiate (see 'sitekit run --help')\n"},
      {{"--soil", "soil.csv", "-j", "0", "wave.csv"}, 2,
       "sitekit: run: --jobs: Value 0 not in range 1 to 1024 (see 'sitekit run --help')\n"},
      {{"--soil", "soil.csv", "--bogus", "wave.csv"}, 2,
       "sitekit: run: The following argument was not expected: --bogus (see 'sitekit run --help')\n"},
      {{"--soil", "soil.csv", "bad.csv"}, 1, "sitekit: bad.csv:3: field 2: \"1.2.3\" is not a number\n"},
      {{"--soil", "soil.csv", "one.csv"}, 1,
       "sitekit: one.csv:2: one row is not a record: the time step needs two\n"},
      {{"--soil", "dens.csv", "wave.csv"}, 1, "sitekit: dens.csv:7: layer 1 needs a non-zero density\n"},
      {{"--soil", "nosoil.csv", "wave.csv"}, 1,
       "sitekit: nosoil.csv: cannot open: No such file or directory\n"},
      {{"--soil", "soil.csv", "huge.csv"}, 1, "sitekit: huge.csv: is larger than 256 MB, too large for a record file\n"},
      {{"--soil", "soil.csv", "missing"}, 1,
       "sitekit: missing: no such file, nor missing.NS/.EW/.UD, nor missing.NS2/.EW2/.UD2\n"},
      {{"--soil", "soil.csv", "--out", "a", "wave.csv", "--out", "a", "wave.csv"}, 2,
       "sitekit: run: --out: At Most 1 required but received 2 (see 'sitekit run --help')\n"},
      {{"--soil", "soil.csv", "wave.csv", "./wave.csv"}, 1,
       "sitekit: ./wave.csv: wave would also be written by the run of wave.csv; give one of them "
       "another --out (a manifest row can name its own folder)\n"},
      {{"--soil", "q.csv", "wave.csv"}, 0,
       "sitekit: q.csv:7: warning: layer 1: Qs = 0.05 is below 1; a quality factor is expected "
       "here, not a damping ratio (Q = 1/(2 x damping))\n"},
      {{"--soil", "soil.csv", "--band", "0.1,0.2,25,20", "wave.csv"}, 0,
       "sitekit: --band: warning: band edges 0.1,0.2,25,20 are not in the order "
       "fL1<fL2<fH1<fH2; the filter is applied as given\n"},
      {{"--soil", "soil.csv", "uneven.csv"}, 0,
       "sitekit: uneven.csv:4: warning: the time step is not constant: 0.02 s here, 0.01 s at the "
       "start\n"},
  };
  for (const MessageCase& c : cases) {
    testsupport::ScratchDir dir;
    write_inputs(dir);
    std::vector<std::string> args = {"run"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const testsupport::Outcome r = sitekit(dir, args);
    EXPECT_EQ(r.err, c.err) << c.args.front() << " ... " << c.args.back();
    EXPECT_EQ(r.code(), c.code) << c.err;
  }
}

}  // namespace
}  // namespace sitekit::cli::test
