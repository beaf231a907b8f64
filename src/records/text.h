#pragma once
// Text helpers the readers share: lines (LF or CR LF), fields, numbers in
// the forms recording formats write them, and the quoting of a bad field in
// messages.  Internal to the library.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostic.h"

namespace sitekit::records::text {

// The lines of `content` without their line ends ("\n", "\r\n", a lone
// trailing "\r"); a last line without a line end is a line, an empty
// content has none.
std::vector<std::string_view> split_lines(std::string_view content);

// The same lines one at a time, with their 1-based numbers: for a long
// record, whose table of lines would cost as many fresh pages as its
// samples.
class LineReader {
 public:
  explicit LineReader(std::string_view content) : rest_(content) {}
  // The next line into `line`; false after the last.
  bool next(std::string_view& line);
  // The number of the line `next` gave last.
  long number() const { return number_; }

 private:
  std::string_view rest_;
  long number_ = 0;
};

std::string_view trim(std::string_view s);
bool starts_with_nocase(std::string_view s, std::string_view prefix);
bool contains_nocase(std::string_view s, std::string_view needle);
std::string upper(std::string_view s);

// Fields separated by blanks and tabs.
std::vector<std::string_view> blank_fields(std::string_view line);

// A real as recording formats write it: optional sign, digits with an
// optional point (".5", "5."), an optional exponent with E, e, D or d, or a
// bare signed exponent ("1.5-3" is 1.5e-3).  Blanks around it are allowed;
// anything else, or a value beyond the range of a double, gives nullopt.
std::optional<double> parse_real(std::string_view field);
// A whole number (optional sign, digits only) within the range of long long.
std::optional<long long> parse_int(std::string_view field);

// `field` quoted for a message: "1.2.3"; bytes outside printable ASCII as
// \xNN, cut after 40 characters with "...".
std::string quoted(std::string_view field);

// The errors about one field, worded alike everywhere.
Error not_a_number(const std::string& file, long line, std::size_t field, std::string_view text);
Error not_whole(const std::string& file, long line, std::size_t field, std::string_view text);

// Samples in fixed-width fields, `per_line` fields of `width` columns on a
// line, the last line partial; a field may touch its neighbour.  Reads
// `count` values from lines[first...] into `out` and returns the index of
// the line after the last one used, or an error at the line of a bad field
// or where the file ends too early ("the file ends after 12 of 100 samples").
// `what` names the values in that message.
Result<std::size_t> read_fixed(const std::vector<std::string_view>& lines, std::size_t first, std::size_t count,
                               std::size_t per_line, std::size_t width, std::vector<double>& out,
                               const std::string& file, std::string_view what = "samples");

// Samples separated by blanks, any number to a line, from lines[first] to
// the end: exactly `count` of them (`count_name` names the header's count
// in the messages, "NPTS"), each multiplied by `factor`.
Status read_free(const std::vector<std::string_view>& lines, std::size_t first, std::size_t count,
                 std::string_view count_name, double factor, std::vector<double>& out, const std::string& file);

// A Fortran edit descriptor such as "(8F10.6)", "(1E15.6)", "(10I8)", "16I5":
// fields per line and width.
struct FixedLayout {
  std::size_t per_line = 0;
  std::size_t width = 0;
};
std::optional<FixedLayout> parse_layout(std::string_view fmt);

// `v` as a whole number when it is one and within +-1e15 (header integers
// read as reals); nullopt otherwise, never an out-of-range conversion.
std::optional<long long> whole(double v);

// The first run of digits in `s` as a number (at most 18 digits), and where
// the run ends.
std::optional<long long> first_int(std::string_view s, std::size_t* end = nullptr);

}  // namespace sitekit::records::text
