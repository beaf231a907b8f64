#pragma once
// One recorded channel as a reader hands it back, before assembly.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostic.h"

namespace sitekit::records {

// The record formats that sitekit reads.  `automatic` asks detect().
// `wave` is the dialogue's own wave file (time,H1,H2,V1 rows).
enum class Format { automatic, knet, at2, smc, cosmos, csmip, esm, wave };

// "auto", "knet", "at2", "smc", "cosmos", "csmip", "esm", "wave".
std::string_view format_name(Format f);
// The inverse of format_name; nullopt for an unknown name.
std::optional<Format> parse_format(std::string_view name);

// Which way a channel points, as far as its header says.
enum class Axis {
  north,       // N-S, 0/360 degrees, ...N stream
  east,        // E-W, 90 degrees, ...E stream
  horizontal,  // another horizontal azimuth (see Component::azimuth) or unknown
  up,          // U-D, UP, vertical (down is turned up by the reader)
};

struct Component {
  std::vector<double> samples;  // acceleration in cm/s2
  double dt = 0.0;              // seconds between samples, > 0
  std::string orientation;      // as the header writes it: "N-S", "360", "UP", "HNE", "4"...
  Axis axis = Axis::horizontal;
  std::optional<double> azimuth;  // degrees clockwise from north in [0, 360), horizontals only
  std::string station;            // for headings, may be empty
  std::string event;              // for headings, may be empty
  std::string file;               // the file it came from
  Format format = Format::automatic;  // the format it was read as
  Warnings warnings;              // e.g. a header peak that disagrees with the samples
};

}  // namespace sitekit::records
