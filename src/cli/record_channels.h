#pragma once
// A record as the spectra commands take it: its channels by position (H1,
// H2, V1 as the importer orders them, or a single component on its own).
#include <string>
#include <vector>

namespace sitekit::cli {

struct RecordChannels {
  std::string name;                        // the record's name, for output files
  std::string source;                      // the argument it came from, for messages
  double dt = 0;                           // s
  std::vector<std::string> labels;         // "H1", "H2", "V1" (by position)
  std::vector<std::vector<double>> data;   // one history per label
  std::string units;                       // "cm/s2", or empty when unknown
};

// Imports one RECORD argument as `sitekit import` reads it; a file holding
// a single component (an .AT2 file, say) gives that one channel.  Reader
// warnings are reported; errors throw Failure (status 1).
RecordChannels load_record_channels(const std::string& arg);

}  // namespace sitekit::cli
