#pragma once
// Small pieces of the CSV files sitekit writes: fields quoted only when they
// must be, numbers with enough digits and empty cells for missing values.
#include <string>
#include <string_view>

namespace sitekit::cli {

// The field as it goes between commas: quoted (with doubled quotes) when it
// holds a comma, a quote or a line end.
std::string csv_field(std::string_view s);

// A number with 9 significant digits (enough for single precision, and at
// least the 6 the run folder promises); empty for NaN.
std::string csv_number(double x);

}  // namespace sitekit::cli
