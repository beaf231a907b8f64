// Result files that cannot take their content: each of the three names a
// link to /dev/full.  The run must end abnormally with the write diagnostic
// of that file's channel, never with status 0, and the files written before
// it must be exactly those of a complete run.
#include <filesystem>

#include "hostile.h"

namespace {

using namespace hardening;

struct FullFile {
  const char* name;
  int unit;
  int before;  // how many result files are complete before this one
};

const FullFile full_files[] = {
    {"Amp-Factors.csv", 9, 0},
    {"amp1.csv", 10, 1},
    {"wave1.csv", 11, 2},
};

// A short record fails when its file is closed (everything fits in the
// channel's buffer); a long one fails when the buffer first fills.
const int record_rows[] = {300, 5000};

TEST(FullDisk, EveryResultFileOnDevFull) {
  for (int nt : record_rows) {
    const Reference ref = reference_run(record(nt), two_layers());
    const std::string complete[] = {ref.amp_factors, ref.amp1, ref.wave1};
    for (const FullFile& f : full_files) {
      SCOPED_TRACE(std::string(f.name) + ", " + std::to_string(nt) + " rows");
      TempDir dir;
      dir.write("w.csv", record(nt));
      dir.write("s.csv", two_layers());
      std::filesystem::create_symlink("/dev/full", dir.path() / f.name);
      const ChildResult r = e2e::run_in(dir, all_answers(), false);

      EXPECT_TRUE(r.aborted()) << "exit " << r.code() << ", signal " << r.signal();
      EXPECT_EQ(r.err, "write: No space left on device\napparent state: unit " + std::to_string(f.unit) +
                           " named " + f.name + "\n" + lately_writing);
      // The console got as far as the complete run before the lost file.
      EXPECT_EQ(r.out, ref.r.out.substr(0, r.out.size()));
      const char* names[] = {"Amp-Factors.csv", "amp1.csv", "wave1.csv"};
      for (int k = 0; k < 3; ++k) {
        if (k < f.before) {
          EXPECT_EQ(dir.read(names[k]), complete[k]) << names[k];
        } else if (names[k] != std::string(f.name)) {
          EXPECT_FALSE(dir.exists(names[k])) << names[k];
        }
      }
      EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / f.name));
    }
  }
}

// The summary is the last thing on the console before "wave1.csv": when only
// that file is lost, the console shows the whole run.
TEST(FullDisk, LostWave1AfterTheWholeSummary) {
  const Reference ref = reference_run(record(300), two_layers());
  TempDir dir;
  dir.write("w.csv", record(300));
  dir.write("s.csv", two_layers());
  std::filesystem::create_symlink("/dev/full", dir.path() / "wave1.csv");
  const ChildResult r = e2e::run_in(dir, all_answers(), false);
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.out, ref.r.out);
}

}  // namespace
