// An interrupt or a termination request while the program waits at one of
// its questions: one line on standard error, exit status 1, the console as
// far as the question, and "Amp-Factors.csv" complete when the question
// comes after it.
#include <unistd.h>

#include <csignal>

#include "hostile.h"

namespace {

using namespace hardening;

struct Question {
  const char* what;
  std::string marker;   // the end of the question on the console
  std::string answers;  // what is typed before it; the console stays open
  bool after_amp_factors;
};

std::vector<Question> questions() {
  const std::string all = all_answers();
  // The answers before each question: cut after the n-th line.
  auto first_lines = [&](int n) {
    std::size_t at = 0;
    for (int i = 0; i < n; ++i) at = all.find('\n', at) + 1;
    return all.substr(0, at);
  };
  return {
      {"wave file name", "Enter Wave Data (H1,H2,V1; e.g., wave.csv)\n", "", false},
      {"soil file name", "Enter Soil Data (e.g., soil_dat.csv)\n", first_lines(1), false},
      {"integrate", "Differentiate   (Enter -> 2):\n", first_lines(2), true},
      {"band pass", "Band Pass Filter? (Yes=1 or No=0) :\n", first_lines(3), true},
      {"band edges", "(fL1<fL2<fH1<fH2: Hz): \n", first_lines(4), true},
      {"band edges half typed", "(fL1<fL2<fH1<fH2: Hz): \n", first_lines(4) + "0.5,1,", true},
  };
}

struct Ending {
  int sig;
  const char* line;
};

const Ending endings[] = {{SIGINT, "Interrupt\n"}, {SIGTERM, "Killed\n"}};

TEST(Signals, AtEveryQuestion) {
  const Reference ref = reference_run(record(300), two_layers());
  for (const Question& q : questions()) {
    for (const Ending& e : endings) {
      SCOPED_TRACE(std::string(q.what) + ", " + e.line);
      TempDir dir;
      dir.write("w.csv", record(300));
      dir.write("s.csv", two_layers());
      testsupport::Child child(SITERESP_EXE, {},
                               testsupport::Options().in(dir.str()).with_input(q.answers).stdin_kept_open());
      ASSERT_TRUE(child.wait_for(q.marker));
      usleep(100000);  // let the program reach its read
      child.signal(e.sig);
      const ChildResult r = child.finish();

      ASSERT_TRUE(r.exited()) << "signal " << r.signal();
      EXPECT_EQ(r.code(), 1);
      EXPECT_EQ(r.err, e.line);
      EXPECT_EQ(r.out, ref.r.out.substr(0, ref.r.out.find(q.marker) + q.marker.size()));
      if (q.after_amp_factors) {
        EXPECT_EQ(dir.read("Amp-Factors.csv"), ref.amp_factors);
      } else {
        EXPECT_FALSE(dir.exists("Amp-Factors.csv"));
      }
      EXPECT_FALSE(dir.exists("amp1.csv"));
      EXPECT_FALSE(dir.exists("wave1.csv"));
    }
  }
}

}  // namespace
