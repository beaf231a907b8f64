#pragma once
// The quick way through a numeric field of a free-form read.  Nearly every
// number in a record file is a short plain decimal («0.0050», «-12.3456»,
// «1.5e-3», «7»); std::from_chars turns one straight into the correctly
// rounded double, which is exactly what the full reader makes of it.  Any
// other field (repeat counts, «d» exponents, a bare exponent sign, more
// digits than the full reader keeps, a value out of double range, a field
// cut by the end of the buffer, every malformed one) is left to the full
// reader, diagnostics and all.
#include <cstddef>
#include <string_view>

#include "textio/detail/listvalue.h"

namespace siteresp::textio {

// Longest field the quick way looks at, separator included.
inline constexpr std::size_t max_short_decimal = 64;

// Length of the short decimal that `text` starts with (optional sign,
// digits with an optional point, then for a real an optional «e»/«E»
// exponent), provided a separator follows it inside `text`; 0 when the
// field is anything else.  Integers take no point and no exponent.
std::size_t short_decimal_length(std::string_view text, bool integer);

// The value of a field short_decimal_length accepted, correctly rounded to
// double; false when it lies beyond the range of double.
bool short_decimal_value(std::string_view field, double& value);

// Reads the field starting with `c` (already taken from `cur`) when it is a
// short decimal: its value into `v` and the cursor left on the separator.
// Returns false, with nothing more consumed, for any other field.
bool read_short_decimal(Cursor& cur, int c, bool integer, ListValue& v);

}  // namespace siteresp::textio
