// The whole run, in process, from an arbitrary wave file, soil file and
// console answers.
//
// Input: the wave file, the separator "\n~~~\n", the soil file, the
// separator and the answers.  A missing soil file is empty; missing answers
// are "w", "s", 0 and 0 (the scratch names of the two files, no change, no
// filter).  Answers whose file names hold a "/" are skipped.
//
// The run must end by returning 0 or 1, or through the abnormal end with one
// well-formed diagnostic; nothing else.  After 0 all three result files are
// whole, with the row counts of one transform length; after 1 (a record too
// long) none is written; after an abnormal end, which can only come while the
// input is read or the questions are answered, "Amp-Factors.csv" is either
// absent or whole and the two others are absent.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "driver/run.h"
#include "support.h"
#include "textio/channel.h"

namespace {

constexpr const char* result_names[] = {"Amp-Factors.csv", "amp1.csv", "wave1.csv"};

// A result file: a heading of known length (and known text where the
// labels do not enter it), then rows of one length with commas at the
// field boundaries and nowhere else.
struct Layout {
  std::string_view heading_start;
  std::size_t heading_len;
  std::size_t first_field;  // width of the leading F field
  int fields;               // E12.4 fields after it
  bool trailing_comma;
};

constexpr Layout amp_factors{" frequency (Hz),Samp1,Samp2,Pamp1,Pamp2", 39, 8, 4, true};
constexpr Layout amp1{" frequency(Hz),", 47, 8, 3, true};
constexpr Layout wave1{" ", 44, 10, 3, false};

bool row_ok(std::string_view row, const Layout& l) {
  std::size_t comma_at[8];
  int n = 0;
  for (int f = 0; f < l.fields; ++f) comma_at[n++] = l.first_field + 13 * static_cast<std::size_t>(f);
  if (l.trailing_comma) comma_at[n++] = l.first_field + 13 * static_cast<std::size_t>(l.fields);
  if (row.size() != comma_at[n - 1] + (l.trailing_comma ? 1 : 13)) return false;
  int next = 0;
  for (std::size_t i = 0; i < row.size(); ++i) {
    const bool comma_here = next < n && i == comma_at[next];
    if ((row[i] == ',') != comma_here || row[i] == '\n') return false;
    if (comma_here) ++next;
  }
  return true;
}

// Rows of a whole file, or -1 when it is not whole.
long whole_rows(const std::string& text, const Layout& l) {
  std::string_view t = text;
  if (t.size() <= l.heading_len || t[l.heading_len] != '\n' || t.substr(0, l.heading_start.size()) != l.heading_start)
    return -1;
  t.remove_prefix(l.heading_len + 1);
  long rows = 0;
  while (!t.empty()) {
    const std::size_t nl = t.find('\n');
    if (nl == std::string_view::npos || !row_ok(t.substr(0, nl), l)) return -1;
    t.remove_prefix(nl + 1);
    ++rows;
  }
  return rows;
}

bool power_of_two_transform(long nf) { return nf >= 4 && nf <= 32768 && (nf & (nf - 1)) == 0; }

void check_normal_end() {
  std::string text[3];
  for (int i = 0; i < 3; ++i)
    if (!fuzzing::read_file(result_names[i], text[i]))
      fuzzing::finding("normal end without a result file", result_names[i]);
  const long nf = whole_rows(text[2], wave1);
  if (!power_of_two_transform(nf)) fuzzing::finding("wave1.csv not whole", text[2].substr(0, 400));
  if (whole_rows(text[0], amp_factors) != nf / 2 + 1)
    fuzzing::finding("Amp-Factors.csv not whole", text[0].substr(0, 400));
  if (whole_rows(text[1], amp1) != nf / 2) fuzzing::finding("amp1.csv not whole", text[1].substr(0, 400));
}

void check_abnormal_end() {
  std::string text;
  if (fuzzing::read_file(result_names[1], text) || fuzzing::read_file(result_names[2], text))
    fuzzing::finding("a result file written after the run's last input");
  if (fuzzing::read_file(result_names[0], text) && !power_of_two_transform(2 * (whole_rows(text, amp_factors) - 1)))
    fuzzing::finding("Amp-Factors.csv left incomplete", text.substr(0, 400));
}

void check_refusal() {
  std::string text;
  for (const char* name : result_names)
    if (fuzzing::read_file(name, text)) fuzzing::finding("a refused record left a result file", name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzzing::InScratch here;
  std::string_view parts[3];
  const int n = fuzzing::split(std::string_view(reinterpret_cast<const char*>(data), size), parts, 3);
  const std::string_view answers = n == 3 ? parts[2] : "w\ns\n0\n0\n";
  if (fuzzing::names_a_path(answers, 2)) return 0;
  for (const char* name : result_names) fuzzing::remove_file(name);
  fuzzing::put_file("w", parts[0]);
  fuzzing::put_file("s", n >= 2 ? parts[1] : std::string_view());
  fuzzing::set_console_input(answers);

  int status = -1;
  const fuzzing::Outcome o = fuzzing::guarded([&] { status = siteresp::run(); });
  fuzzing::check_outcome(o, {4, 5, 6, 9, 10, 11});
  if (o.abnormal) {
    check_abnormal_end();
  } else if (status == 0) {
    check_normal_end();
  } else if (status == 1) {
    check_refusal();
  } else {
    fuzzing::finding("the run returned a status other than 0 or 1");
  }
  return 0;
}
