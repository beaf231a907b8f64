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
}  // namespace

std::vector<std::string_view> split(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (true) {
    skip_blanks(line, i);
    if (i >= line.size()) break;
    if (line[i] == ',') {
      out.emplace_back();
      ++i;
      continue;
    }
    const std::size_t from = i;
    while (i < line.size() && !blank(line[i]) && line[i] != ',') ++i;
    out.push_back(line.substr(from, i - from));
    skip_separator(line, i);
  }
  return out;
}

std::vector<std::string> labels(std::string_view line) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (true) {
    skip_blanks(line, i);
    if (i >= line.size()) break;
    if (line[i] == ',') {
      out.emplace_back();
      ++i;
      continue;
    }
    std::string label;
    if (line[i] == '\'' || line[i] == '"') {
      const char q = line[i++];
      for (; i < line.size(); ++i) {
        if (line[i] != q) label += line[i];
        else if (i + 1 < line.size() && line[i + 1] == q) label += line[i++];
        else break;
      }
      ++i;
    } else {
      while (i < line.size() && !blank(line[i]) && line[i] != ',') label += line[i++];
    }
    out.push_back(std::move(label));
    skip_separator(line, i);
  }
  return out;
}

}  // namespace sitekit::records::fields
