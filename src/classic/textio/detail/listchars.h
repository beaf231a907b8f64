#pragma once
// Character values of a free-form read: quoted or unquoted, with an
// optional repeat count «r*» in front.
#include "textio/detail/listvalue.h"

namespace siteresp::textio {

// The rest of a value that began with the quote `quote`.  Returns false
// when the end of the data comes before the closing quote.
bool parse_quoted(Cursor& cur, int quote, ListValue& v);

// An unquoted value starting with `c`, up to a blank, tab, line end, comma,
// slash or the end of the data (pushed back).  With `count_allowed`, digits
// directly followed by '*' are a repeat count: the field's repeat is set
// and the value is left to the caller («0*» is part of a value, not a count).
Field parse_unquoted(Cursor& cur, int c, bool count_allowed, ListValue& v);

// One character field starting with `c`.
Field parse_chars(Cursor& cur, int c, bool count_allowed, ListValue& v);

}  // namespace siteresp::textio
