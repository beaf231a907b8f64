// Comma-, blank- or tab-separated fields.
#include "fields.h"

namespace sitekit::records::fields {

namespace {
bool blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

void skip_blanks(std::string_view s, std::size_t& i) {
  while (i < s.size() && blank(s[i])) ++i;
}

// After a value: blanks, then at most one comma.
void skip_separator(std::string_view s, std::size_t& i) {
  skip_blanks(s, i);
  if (i < s.size() && s[i] == ',') ++i;
}

// The walk both share: blanks, then a comma alone (an empty field) or a
// field that `take` reads from `i` on, then the separator after it.
template <class Field, class Take>
std::vector<Field> walk(std::string_view line, Take take) {
  std::vector<Field> out;
  std::size_t i = 0;
  while (true) {
    skip_blanks(line, i);
    if (i >= line.size()) break;
    if (line[i] == ',') {
      out.emplace_back();
      ++i;
      continue;
    }
    out.push_back(take(line, i));
    skip_separator(line, i);
  }
  return out;
}

std::string_view bare(std::string_view line, std::size_t& i) {
  const std::size_t from = i;
  while (i < line.size() && !blank(line[i]) && line[i] != ',') ++i;
  return line.substr(from, i - from);
}

// A label, quoted or bare; `i` ends after it (and after its closing quote).
std::string label(std::string_view line, std::size_t& i) {
  if (line[i] != '\'' && line[i] != '"') return std::string(bare(line, i));
  std::string out;
  const char q = line[i++];
  for (; i < line.size(); ++i) {
    if (line[i] != q) out += line[i];
    else if (i + 1 < line.size() && line[i + 1] == q) out += line[i++];
    else break;
  }
  ++i;
  return out;
}
}  // namespace

std::vector<std::string_view> split(std::string_view line) { return walk<std::string_view>(line, bare); }

std::vector<std::string> labels(std::string_view line) { return walk<std::string>(line, label); }

}  // namespace sitekit::records::fields
