#include "report/column_role.h"

#include <algorithm>
#include <cctype>

namespace sitekit::report {

ColumnRole column_role(std::string_view heading) {
  ColumnRole out;
  std::string word;
  const auto take = [&] {
    std::string low = word;
    std::transform(low.begin(), low.end(), low.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    Role r = Role::other;
    if (low == "input" || low == "in") r = Role::input;
    if (low == "surface" || low == "surf") r = Role::surface;
    if (low == "ratio") r = Role::ratio;
    if (r != Role::other && out.role == Role::other) {
      out.role = r;
    } else if (!word.empty()) {
      if (!out.rest.empty()) out.rest += '_';
      out.rest += word;
    }
    word.clear();
  };
  for (std::size_t i = 0; i < heading.size(); ++i) {
    const char c = heading[i];
    if (c == '_' || c == ' ' || c == '-') take();
    else word += c;
  }
  take();
  return out;
}

}  // namespace sitekit::report
