#pragma once
// Files of one or more channels, one after another (COSMOS, CSMIP): the
// readers read one channel at a time and this walks the file.  Internal to
// the library.
#include <cstddef>
#include <string>

#include "readers.h"

namespace sitekit::records {

struct Channel {
  Component c;
  std::size_t next = 0;  // line after the channel
};

// One channel whose first line is at `at` (not blank).
using ChannelReader = Result<Channel> (*)(const Lines& lines, std::size_t at, const std::string& file);

// Every channel of the file, blank lines between them skipped; an error when
// there is none.
Result<Components> read_channels(const Lines& lines, const std::string& file, ChannelReader channel);

}  // namespace sitekit::records
