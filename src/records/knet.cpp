// K-NET and KiK-net ASCII (NIED): 17 header lines, label in columns 1-18 and
// value from column 19, then integer counts 8 to a line.  gal = count x A/B
// from "Scale Factor  A(gal)/B"; the counts carry an offset, so the
// whole-record mean is removed, after which the peak must match the
// header's "Max. Acc. (gal)".
#include <cmath>
#include <optional>

#include <fmt/format.h>

#include "orientation.h"
#include "readers.h"
#include "text.h"

namespace sitekit::records {

namespace {

constexpr std::size_t header_lines = 17;
constexpr std::size_t value_column = 18;

struct Field {
  std::string_view value;
  long line = 0;  // 1-based, 0 when absent
};

// NIED spells some labels in two ways ("Max. Acc." and "Max Acc.").
Field field(const Lines& lines, std::initializer_list<std::string_view> labels) {
  const std::size_t n = std::min(header_lines, lines.size());
  for (std::size_t i = 0; i < n; ++i)
    for (std::string_view label : labels)
      if (text::starts_with_nocase(lines[i], label)) {
        const std::string_view l = lines[i];
        return {text::trim(l.size() > value_column ? l.substr(value_column) : l.substr(label.size())),
                static_cast<long>(i + 1)};
      }
  return {};
}

Error missing(const std::string& file, std::string_view label) {
  return Error{file, 0, fmt::format("the header has no \"{}\" line", label)};
}

// "3920(gal)/6182761" -> 3920/6182761.
Result<double> scale_factor(const Field& f, const std::string& file) {
  const std::size_t slash = f.value.find('/');
  const std::size_t paren = f.value.find('(');
  const auto a = text::parse_real(f.value.substr(0, std::min(slash, paren)));
  const auto b = slash == std::string_view::npos ? std::nullopt : text::parse_real(f.value.substr(slash + 1));
  if (!a || !b || *b == 0.0)
    return Error{file, f.line, fmt::format("Scale Factor {} is not of the form A(gal)/B", text::quoted(f.value))};
  return *a / *b;
}

// "100Hz" -> 0.01 s.
Result<double> interval(const Field& f, const std::string& file) {
  std::string_view v = f.value;
  if (text::contains_nocase(v, "Hz")) v = v.substr(0, v.size() - 2);
  const auto hz = text::parse_real(v);
  if (!hz || *hz <= 0.0)
    return Error{file, f.line, fmt::format("Sampling Freq {} is not a positive frequency", text::quoted(f.value))};
  return 1.0 / *hz;
}

// K-NET writes N-S, E-W, U-D; KiK-net the channel numbers 1-6, named here
// as its files are: NS1, EW1, UD1 in the borehole, NS2, EW2, UD2 at the
// surface.
void orient(Component& c, std::string_view dir) {
  static constexpr std::string_view word[] = {"N-S", "E-W", "U-D"};
  static constexpr std::string_view kik[] = {"NS1", "EW1", "UD1", "NS2", "EW2", "UD2"};
  const auto n = text::parse_int(dir);
  const bool numbered = n && *n >= 1 && *n <= 6;
  classify_orientation(c, numbered ? word[(*n - 1) % 3] : dir);
  c.orientation = std::string(numbered ? kik[*n - 1] : dir);
}

Result<std::size_t> read_counts(const Lines& lines, std::size_t from, std::vector<double>& out,
                                const std::string& file) {
  out.reserve((lines.size() - from) * 8);
  for (std::size_t i = from; i < lines.size(); ++i) {
    std::size_t k = 0;
    for (std::string_view f : text::blank_fields(lines[i])) {
      ++k;
      const auto v = text::parse_real(f);
      if (!v) return text::not_a_number(file, static_cast<long>(i + 1), k, f);
      out.push_back(*v);
    }
  }
  if (out.empty()) return Error{file, 0, "the record has no samples"};
  return out.size();
}

// Removes the whole-record mean and returns the peak of what is left.
double remove_mean(std::vector<double>& x) {
  double sum = 0;
  for (double v : x) sum += v;
  const double mean = sum / static_cast<double>(x.size());
  double peak = 0;
  for (double& v : x) {
    v -= mean;
    peak = std::max(peak, std::fabs(v));
  }
  return peak;
}

void check_peak(Component& c, double peak, const Field& max_acc, const std::string& file) {
  if (max_acc.line == 0) {
    c.warnings.push_back({file, 0, "the header has no \"Max. Acc. (gal)\" line to check the peak against"});
    return;
  }
  const auto stated = text::parse_real(max_acc.value);
  // The header rounds to three decimals.
  if (!stated || std::fabs(peak - std::fabs(*stated)) > 0.0011)
    c.warnings.push_back({file, max_acc.line,
                          fmt::format("the peak of the samples, {:.3f} gal, differs from the header's Max. Acc. (gal), {}",
                                      peak, text::quoted(max_acc.value))});
}

}  // namespace

Result<Components> read_knet(const Lines& lines, const std::string& file) {
  const Field memo = field(lines, {"Memo"});
  if (memo.line == 0) return missing(file, "Memo.");
  const Field scale = field(lines, {"Scale Factor"}), freq = field(lines, {"Sampling Freq"});
  const Field dir = field(lines, {"Dir."}), max_acc = field(lines, {"Max. Acc.", "Max Acc."});
  if (scale.line == 0) return missing(file, "Scale Factor");
  if (freq.line == 0) return missing(file, "Sampling Freq(Hz)");
  if (dir.line == 0) return missing(file, "Dir.");
  const auto factor = scale_factor(scale, file);
  if (!factor) return factor.error();
  const auto dt = interval(freq, file);
  if (!dt) return dt.error();

  Component c;
  c.dt = dt.value();
  orient(c, dir.value);
  c.station = std::string(field(lines, {"Station Code"}).value);
  c.event = fmt::format("{} M{}", field(lines, {"Origin Time"}).value, field(lines, {"Mag."}).value);
  const auto n = read_counts(lines, static_cast<std::size_t>(memo.line), c.samples, file);
  if (!n) return n.error();
  for (double& x : c.samples) x *= factor.value();
  check_peak(c, remove_mean(c.samples), max_acc, file);
  return one(std::move(c));
}

}  // namespace sitekit::records
