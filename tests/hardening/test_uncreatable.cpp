// Working directories where a result file cannot be created.  The tests run
// as root, so permission bits stop nothing: a directory in the file's place
// does, and so does a read-only file system where this machine lets the
// test mount one.
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "hostile.h"

namespace {

using namespace hardening;

struct Blocked {
  const char* name;
  int unit;
  std::string format_line;  // the statement before the open: an echo row, or a free-form line
};

// The file a directory stands in for, and the files complete before it.
TEST(Uncreatable, DirectoryInPlaceOfEachResultFile) {
  const Blocked cases[] = {
      {"Amp-Factors.csv", 9, ""},
      {"amp1.csv", 10, list_io},
      {"wave1.csv", 11, list_io},
  };
  const Reference ref = reference_run(record(300), two_layers());
  const std::string complete[] = {ref.amp_factors, ref.amp1};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Blocked& c = cases[i];
    SCOPED_TRACE(c.name);
    TempDir dir;
    dir.write("w.csv", record(300));
    dir.write("s.csv", two_layers());
    std::filesystem::create_directory(dir.path() / c.name);
    const ChildResult r = e2e::run_in(dir, all_answers(), false);
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.err, "open: Is a directory\napparent state: unit " + std::to_string(c.unit) + " named " + c.name +
                         "\n" + c.format_line + lately_writing);
    const char* names[] = {"Amp-Factors.csv", "amp1.csv"};
    for (std::size_t k = 0; k < i; ++k) EXPECT_EQ(dir.read(names[k]), complete[k]) << names[k];
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / c.name));
    EXPECT_EQ(r.out, ref.r.out.substr(0, r.out.size()));
  }
}

// A small tmpfs mounted inside a test directory, made read-only on demand
// and unmounted at the end.
class Tmpfs {
public:
  explicit Tmpfs(const std::filesystem::path& at) : at_(at) {
    std::filesystem::create_directory(at_);
    mounted_ = mount("siteresp-test", at_.c_str(), "tmpfs", 0, "size=1m") == 0;
    if (!mounted_) why_ = std::string("mount of a tmpfs refused: ") + std::strerror(errno);
  }
  ~Tmpfs() {
    if (mounted_) umount2(at_.c_str(), MNT_DETACH);
  }
  Tmpfs(const Tmpfs&) = delete;
  Tmpfs& operator=(const Tmpfs&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& why() const { return why_; }
  bool make_read_only() {
    return mount("siteresp-test", at_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=1m") == 0;
  }

private:
  std::filesystem::path at_;
  bool mounted_ = false;
  std::string why_;
};

// Run from a read-only directory on the inputs one level up: with no
// "Amp-Factors.csv" there the create fails; with an old one it is connected
// for reading only and its first record fails.  Either way the old content
// stays.
TEST(Uncreatable, ReadOnlyFileSystem) {
  struct Case {
    bool old_file;
    std::string err;
  };
  const Case cases[] = {
      {false, "open: Read-only file system\napparent state: unit 9 named Amp-Factors.csv\n" + lately_writing},
      {true, "list output start: can't write file\napparent state: unit 9 named Amp-Factors.csv\n" + list_io +
                 lately_writing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.old_file ? "old file" : "no file");
    TempDir dir;
    dir.write("w.csv", record(300));
    dir.write("s.csv", two_layers());
    Tmpfs ro(dir.path() / "ro");
    if (!ro.mounted()) GTEST_SKIP() << ro.why();
    if (c.old_file) dir.write("ro/Amp-Factors.csv", "old\n");
    ASSERT_TRUE(ro.make_read_only()) << std::strerror(errno);

    const ChildResult r = testsupport::run(
        SITERESP_EXE, {},
        testsupport::Options().in(dir.file("ro")).with_input(e2e::answers("../w.csv", "../s.csv", 0, 0)));
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(dir.exists("ro/Amp-Factors.csv"), c.old_file);
    if (c.old_file) {
      EXPECT_EQ(dir.read("ro/Amp-Factors.csv"), "old\n");
    }
    EXPECT_FALSE(dir.exists("ro/amp1.csv"));
  }
}

}  // namespace
