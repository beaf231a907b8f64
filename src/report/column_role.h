#pragma once
// What a column of RespSpec.csv or runs.csv holds, read from its heading:
// the input motion's value, the surface motion's, their ratio, or something
// else; and the heading without that word, which pairs an input column with
// its surface column ("PGA_input_H1" and "PGA_surface_H1" are both "PGA_H1").
#include <string>
#include <string_view>

namespace sitekit::report {

enum class Role { input, surface, ratio, other };

struct ColumnRole {
  Role role = Role::other;
  std::string rest;
};

// Words are separated by '_', ' ' or '-'; "input"/"in" and "surface"/"surf"
// and "ratio" (any case) are the role words.
ColumnRole column_role(std::string_view heading);

}  // namespace sitekit::report
