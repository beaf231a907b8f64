#pragma once
// Reading recorded channels from the formats engineers have: K-NET and
// KiK-net ASCII, PEER NGA .AT2, USGS SMC, COSMOS V1/V2 (v01.20), CSMIP/CGS
// Volume 2, ESM ASCII, and the dialogue's wave file.  The format comes from
// the content, never from the file name, unless the caller names it.
//
// Every reader returns its channels in cm/s2 (K-NET counts x A/B with the
// whole-record mean removed; .AT2 g x 980.665; the others as their headers
// state), or the first error met, at its file and line.  Hostile content
// (lying counts, huge length claims, NUL bytes, truncation) gives an error,
// never a crash or a huge allocation.
#include <string>
#include <string_view>
#include <vector>

#include "component.h"
#include "diagnostic.h"

namespace sitekit::records {

// The largest file the readers accept (bytes); anything bigger is refused
// before it is read.  Far above any real record (a 60,000-sample K-NET file
// is about 550 kB).
inline constexpr std::size_t max_file_bytes = std::size_t{256} << 20;

// The format of `content`, or Format::automatic when none fits.
Format detect(std::string_view content);

// detect() reads no further than this many bytes of the content.
inline constexpr std::size_t detect_head_bytes = std::size_t{1} << 16;

// The channels in `content`, read as `format` (automatic: detect()).  `file`
// names the content in diagnostics and in Component::file.  Single-channel
// formats give one component; COSMOS and CSMIP files may give several; the
// wave file gives three (H1, H2, V1, their orientation the column labels).
// An unrecognised format is the error "cannot tell the format of this file;
// name it with --format".
Result<std::vector<Component>> read_components(std::string_view content, const std::string& file,
                                               Format format = Format::automatic);

// read_components on the file at `path`: refuses directories, unreadable and
// oversized files with an error naming the path.
Result<std::vector<Component>> read_component_file(const std::string& path, Format format = Format::automatic);

// The whole content of `path` (at most max_file_bytes), or an error naming
// it: "no such file", "is a directory", "is larger than 256 MB", ...
Result<std::string> slurp(const std::string& path);

}  // namespace sitekit::records
