#pragma once
// Amplitude tables as CSV text: a heading line, then rows whose first value
// is a frequency in Hz and whose others are amplitudes.  Reads sitekit's
// own files and the dialogue's "Amp-Factors.csv" and "amp1.csv" (labels
// padded with blanks, rows ending in a comma).
#include <string>
#include <string_view>
#include <vector>

namespace sitekit::spectra {

struct AmplitudeTable {
  std::vector<std::string> heading;          // trimmed labels, frequency first
  std::vector<std::vector<double>> columns;  // columns[0] is the frequency
  std::string error;                         // empty when the text was read
  long line = 0;                             // 1-based line of the error, 0 for the whole text
};

// Refused: no heading, fewer than two columns, a field that is not a
// number, a row with another number of values than the heading, a
// frequency that is negative or not above the one before, no rows.
AmplitudeTable parse_amplitude_table(std::string_view text);

}  // namespace sitekit::spectra
