#pragma once
// A three-channel record (H1, H2, V1) assembled from recorded channels, the
// way the dialogue's wave file holds it, and the steps that make one from
// files: naming the triplet, reading, ordering, scaling, windowing,
// resampling and the length limit.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "component.h"
#include "diagnostic.h"

namespace sitekit::records {

// The dialogue holds at most this many samples per channel.
inline constexpr std::size_t max_record_samples = 32768;

// Which KiK-net sensor a triplet comes from: .NS2/.EW2/.UD2 at the surface,
// .NS1/.EW1/.UD1 in the borehole.
enum class Sensor { surface, borehole };

struct ImportOptions {
  Format format = Format::automatic;  // every file is read as this
  std::optional<Sensor> sensor;       // KiK-net: which triplet (default: the one named, else surface)
  double scale = 1.0;                 // multiplies every sample, on top of the format's units
  std::optional<double> start;        // seconds from the first sample: samples before it are dropped
  std::optional<double> length;       // seconds kept from `start` (or from the first sample)
  std::optional<double> resample_dt;  // new, coarser sample interval in seconds (anti-alias low-pass)
  std::size_t max_samples = max_record_samples;  // longer results are refused
};

struct Record {
  std::string name;                // the common stem of the files: "AOM0011801241951", "wave"
  std::vector<std::string> files;  // the files read, in the order given
  // Column labels of the wave file: "time", then H1, H2, V1 saying which is
  // which, e.g. "H1(N-S)", "H2(E-W)", "V1(U-D)" or "H1(360)".  At most 10
  // characters each, no blank, comma, slash or quote (the dialogue reads
  // them unquoted and keeps 10 characters).  A wave file's own labels are
  // kept as read.
  std::array<std::string, 4> labels{"time", "H1", "H2", "V1"};
  double dt = 0.0;           // seconds
  std::vector<double> time;  // k*dt from 0 when imported; a wave file's own times when read from one
  std::vector<double> h1, h2, v1;  // cm/s2 when imported; a wave file's unit when read from one
  std::string station, event;      // from the headers, for headings (may be empty)
  std::string units = "cm/s2";     // empty when read from a wave file (its unit is not stated)
  Warnings warnings;               // everything the readers and the steps below warned about

  std::size_t size() const { return h1.size(); }
};

// The files that the command line's RECORD arguments name:
// - several arguments: those files, as given;
// - one existing file named STEM.NS, .EW or .UD (K-NET): the three of STEM
//   that exist; STEM.NS1/.EW1/.UD1 or .NS2/.EW2/.UD2 (KiK-net): the triplet
//   of the sensor asked for, else of the sensor named;
// - one name that is not a file: STEM.NS/.EW/.UD (K-NET) or the KiK-net
//   triplet of the sensor (surface when none is asked for);
// - any other file: itself (a wave file, a multi-channel file...).
// Errors: nothing found ("no file AOM001 nor AOM001.NS/.EW/.UD nor
// AOM001.NS2/.EW2/.UD2").
Result<std::vector<std::string>> expand_record_files(const std::vector<std::string>& args,
                                                     std::optional<Sensor> sensor);

// Orders channels into H1, H2, V1 (north or the first horizontal azimuth,
// then east or the one 90 degrees clockwise of it, else header order; then
// up) and makes the Record: two horizontals without a vertical give a zero
// V1 and a warning; different sample intervals are refused; lengths that
// differ by a few samples (at most 1 %, at least 10) are cut to the
// shortest with a warning, larger differences refused.  Fewer than two
// horizontals, more than one vertical or more than three channels are
// refused.  Applies none of the options' steps.
Result<Record> assemble(std::vector<Component> channels);

// The options' steps on an assembled record, in this order: scale, window
// (start/length), resample, then the length limit ("the record has 60000
// samples; sitekit handles at most 32768: take a part with --start/--length
// or a coarser interval with --resample").  Times become k*dt from 0.
Result<Record> shape(Record record, const ImportOptions& options);

// The whole import: expand_record_files, read each (options.format),
// assemble, shape.  A single wave file is taken as it is (its labels,
// times and unit kept) and only shaped when an option asks for it.
// `name` of the result is the common stem of the files.
Result<Record> import_record(const std::vector<std::string>& args, const ImportOptions& options);

// The name a record's run folder gets: the file's name without directory and
// extension for one file, the common stem for several
// ("AOM0011801241951.NS" -> "AOM0011801241951"; "wave.csv" -> "wave").
std::string record_name(const std::vector<std::string>& files);

}  // namespace sitekit::records
