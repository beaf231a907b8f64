#pragma once
// The dialogue's wave file: one heading line of four labels (time, H1, H2,
// V1), then one row per sample of time, H1, H2, V1, comma-separated.
#include <string>
#include <string_view>

#include "diagnostic.h"
#include "record.h"

namespace sitekit::records {

// Reads a wave file from `content` (`file` names it in diagnostics).
// Labels: unquoted (up to a comma, blank or tab) or quoted with ' or ", each
// kept whole (the dialogue keeps 10 characters; a longer label is warned
// about).  Rows: at least four numbers separated by commas, blanks or tabs
// (further values ignored); numbers as the dialogue reads them (1.5E3,
// 1.5D3, 1.5+3, .5, 5.).  Blank lines are skipped, CR LF is fine.
// Errors, at their line: `field 3: "1.2.3" is not a number`, `field 2 is
// empty`, `expected 4 values (time, H1, H2, V1), found 3`, and a file with
// no rows.  Warnings: a time step that is not constant (the first row where
// it changes, with both steps), a first step that is zero or negative,
// labels longer than 10 characters.  `dt` is time[1] - time[0], as the
// dialogue takes it; `units` is empty.
Result<Record> read_wave(std::string_view content, const std::string& file);
Result<Record> read_wave_file(const std::string& path);

// The wave file text of `record`: its labels, then one row per sample: the
// time with 9 significant digits (enough for the dialogue's single
// precision), the samples in the shortest form that reads back to the same
// double.  Lines end with "\n".
std::string format_wave(const Record& record);

// Writes format_wave(record) to `path` whole or not at all: into a
// temporary file beside it, then renamed over `path`.
Status write_wave(const std::string& path, const Record& record);

}  // namespace sitekit::records
