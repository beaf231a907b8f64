#pragma once
// The dialogue's soil profile file: title line; incidence angle (degrees);
// input wave type (1 = theoretical input in the bedrock, 2 = observed in a
// borehole in the bedrock); a skipped line; the number of layers; a heading
// line; then one row per layer: number, density, Vp, Qp, Fp, Vs, Qs, Fs,
// thickness (m).  The last row is the half-space (its thickness unused).
#include <string>
#include <string_view>
#include <vector>

#include "diagnostic.h"

namespace sitekit::records {

inline constexpr int max_soil_layers = 50;

struct Layer {
  int number = 0;  // as written in the row
  double density = 0, vp = 0, qp = 0, fp = 0, vs = 0, qs = 0, fs = 0, thickness = 0;
  long line = 0;  // where its row starts
};

struct SoilProfile {
  std::string title;
  double angle_deg = 0;
  int wave_type = 1;
  std::vector<Layer> layers;  // top first; the last is the half-space
  Warnings warnings;
};

// Reads a soil file as the dialogue does (values separated by commas,
// blanks or tabs; text after the value on the angle, type and count lines
// ignored; a row may continue on the next line; lines after the last row
// never read), and refuses what would make the result meaningless, at its
// line: `field 1: "1.0" is not a whole number`, `wave type must be 1 or 2,
// not 3`, `the profile needs 1 to 50 layers, not 60`, `layer 3 needs a
// non-zero density`, `layer 3 needs a positive S-wave velocity`,
// `layer 2 needs a positive thickness`, `the file ends before layer 4`,
// `the incidence angle must be from 0 up to 90 degrees, not 95`.
// Warnings for almost-sure mistakes: Q below 1 (a damping ratio typed where
// Q is expected), Vp not above Vs, a layer number out of sequence, a
// negative frequency exponent.
Result<SoilProfile> read_soil(std::string_view content, const std::string& file);
Result<SoilProfile> read_soil_file(const std::string& path);

}  // namespace sitekit::records
