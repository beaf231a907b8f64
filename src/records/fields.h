#pragma once
// Fields of the dialogue's own files: values separated by a comma, blanks or
// tabs (a comma with blanks around it is one separator; two commas in a row
// enclose an empty field).  Internal to the library.
#include <string>
#include <string_view>
#include <vector>

namespace sitekit::records::fields {

std::vector<std::string_view> split(std::string_view line);

// Labels of a heading line: as split(), and a label may be quoted with ' or
// " (a doubled quote inside stands for one); quotes are removed.
std::vector<std::string> labels(std::string_view line);

}  // namespace sitekit::records::fields
