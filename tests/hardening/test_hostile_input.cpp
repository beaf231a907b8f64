// Hostile contents: numbers of a thousand digits, exponents at and past
// their limit, files of nothing but commas, NUL bytes, and a directory given
// as an input file.
#include <filesystem>

#include "hostile.h"

namespace {

using namespace hardening;

const std::string angle_label = "   Incident Wave Angle (degree) =";

std::string profile_with_angle(const std::string& angle) {
  return "Profile\n" + angle + ",angle\n1,wave type\nlayers\n2\nheading\n"
         "1, 1.8, 1500, 20, 0.5, 200, 10, 0.5, 10\n2, 2.2, 3000, 50, 0.5, 1200, 30, 0.5, 0\n";
}

// The angle is echoed as read, so the echo shows the value each number form
// gives.  Only the first 40 significant digits count; leading zeros do not.
TEST(HostileNumbers, ThousandDigitsAndExponentLimit) {
  const std::string z999(999, '0');
  struct Row {
    std::string angle;
    std::string echo;
  };
  const Row rows[] = {
      {"30." + std::string(997, '0'), "  30."},
      {"1" + z999 + "E-999", "  1."},
      {"0." + z999 + "1E1000", "  1."},
      {z999 + "7", "  7."},
      {"1" + z999, "  Inf"},
      {"-1" + z999, " -Inf"},
      {"1E99999999", "  Inf"},
      {"1D+99999999", "  Inf"},
      {"1E00000000000099999999", "  Inf"},
      {"1E-99999999", "  0."},
      {"1.5-99999999", "  0."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.angle.size() > 40 ? row.angle.substr(0, 20) + "..." : row.angle);
    TempDir dir;
    dir.write("w.csv", record(64));
    dir.write("s.csv", profile_with_angle(row.angle));
    const ChildResult r = e2e::run_in(dir, all_answers(), false);
    EXPECT_NE(r.out.find("\n" + angle_label + row.echo + "\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.code(), 0);
  }
}

// The time step from a second time of a thousand digits.
TEST(HostileNumbers, ThousandDigitTime) {
  TempDir dir;
  dir.write("w.csv", "time,H1,H2,V1\n0,1,2,3\n0.01" + std::string(996, '0') + ",1,2,3\n");
  const ChildResult r = e2e::run_in(dir, "w.csv\n", false);
  EXPECT_NE(r.out.find(" NT and DT= 2  0.00999999978\n"), std::string::npos) << r.out;
  // The answers end before the soil file's name.
  EXPECT_TRUE(r.aborted());
  EXPECT_EQ(r.err, "fmt: end of file\napparent state: unit 5 (unnamed)\nlast format: (A20)\n" + lately_reading);
}

// One exponent digit too many: the reader refuses it wherever it comes.
TEST(HostileNumbers, ExponentPastTheLimit) {
  const std::string bad = "exponent field: incomprehensible list input\n";
  struct Row {
    const char* where;
    std::string number;
    std::string channel;
  };
  const Row rows[] = {
      {"wave row", "1E100000000", "apparent state: unit 11 named w.csv\n"},
      {"soil angle", "1E+100000000", "apparent state: unit 4 named s.csv\n"},
      {"soil angle", "1d-100000000", "apparent state: unit 4 named s.csv\n"},
      {"soil angle", "1.5-100000000", "apparent state: unit 4 named s.csv\n"},
      {"band edge", "1D100000000", "apparent state: unit 5 (unnamed)\n"},
      {"band edge", "2.5E0000000001234567890", "apparent state: unit 5 (unnamed)\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.where) + " " + row.number);
    const std::string where = row.where;
    TempDir dir;
    dir.write("w.csv", where == "wave row" ? "time,H1,H2,V1\n0,1,2,3\n0.01," + row.number + ",2,3\n" : record(64));
    dir.write("s.csv", profile_with_angle(where == "soil angle" ? row.number : "30.0"));
    const std::string edges = where == "band edge" ? "0.5," + row.number + ",20,25" : "0.5,1,20,25";
    const ChildResult r = e2e::run_in(dir, e2e::answers("w.csv", "s.csv", 0, 1, edges), false);
    EXPECT_TRUE(r.aborted());
    EXPECT_EQ(r.err, bad + row.channel + list_io + lately_reading);
    EXPECT_FALSE(dir.exists("amp1.csv"));
  }
}

struct Hostile {
  const char* what;
  std::string wave;
  std::string soil;
  std::string answers;
  std::string err;  // empty: the run completes
};

// Each input on its own: what the run says and where it stops.
TEST(HostileFiles, CommasNulBytesAndDirectories) {
  const std::string ok_soil = two_layers();
  const std::string wave_ch = "apparent state: unit 11 named w.csv\n";
  const std::string soil_ch = "apparent state: unit 4 named s.csv\n";
  std::string ten_thousand_commas(10000, ',');
  std::string comma_lines;
  for (int i = 0; i < 1000; ++i) comma_lines += ",,,,\n";
  const Hostile cases[] = {
      {"wave of commas, one line", ten_thousand_commas, ok_soil, all_answers(),
       "wave record: fewer than two rows\n" + wave_ch + lately_reading},
      {"wave of comma lines", comma_lines, ok_soil, all_answers(),
       "wave record: time step is not positive\n" + wave_ch + lately_reading},
      {"soil of comma lines", record(64), comma_lines, all_answers(),
       "soil profile: input wave type must be 1 or 2\n" + soil_ch + lately_reading},
      {"answers of commas", record(64), ok_soil, "w.csv\ns.csv\n,,,\n,\n", ""},
      {"wave of NUL bytes", std::string(4096, '\0'), ok_soil, all_answers(),
       "list in: end of file\n" + wave_ch + list_io + lately_reading},
      {"NUL in a wave row", "time,H1,H2,V1\n0,1,2,3\n0.01,1" + std::string(1, '\0') + ",2,3\n", ok_soil,
       all_answers(), "invalid number: incomprehensible list input\n" + wave_ch + list_io + lately_reading},
      {"NUL after the soil angle", record(64),
       "Profile\n30" + std::string(1, '\0') + "junk\n1\nl\n1\nh\n1,2.0,2000.0,0,0,1000.0,0,0,0\n", all_answers(), ""},
      {"wave file is a directory", "", ok_soil, "d\n",
       "open: Is a directory\napparent state: unit 11 named d\n" + lately_reading},
      {"soil file is a directory", record(64), "", "w.csv\nd\n",
       "open: Is a directory\napparent state: unit 4 named d\n" + list_io + lately_writing},
  };
  for (const Hostile& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    dir.write("w.csv", c.wave);
    dir.write("s.csv", c.soil);
    std::filesystem::create_directory(dir.path() / "d");
    const ChildResult r = e2e::run_in(dir, c.answers, false);
    EXPECT_EQ(r.err, c.err);
    if (c.err.empty()) {
      EXPECT_EQ(r.code(), 0);
      EXPECT_EQ(e2e::lines_of(dir.read("wave1.csv")).size(), 65u);
    } else {
      EXPECT_TRUE(r.aborted());
      EXPECT_FALSE(dir.exists("Amp-Factors.csv"));
    }
  }
}

// An unquoted label keeps the NUL bytes in it, and the headings carry them.
TEST(HostileFiles, NulBytesInALabel) {
  TempDir dir;
  const std::string nul(1, '\0');
  dir.write("w.csv", "ti" + nul + "e,H" + nul + "1,H2,V1\n" + record(64).substr(14));
  dir.write("s.csv", two_layers());
  const ChildResult r = e2e::run_in(dir, all_answers(), false);
  ASSERT_EQ(r.code(), 0) << r.err;
  EXPECT_EQ(e2e::lines_of(dir.read("wave1.csv"))[0],
            " ti" + nul + "e      ,H" + nul + "1       ,H2        ,V1        ");
  EXPECT_EQ(e2e::lines_of(dir.read("amp1.csv"))[0], " frequency(Hz),H" + nul + "1       ,H2        ,V1        ");
}

}  // namespace
