// Walking a file of several channels.
#include "channels.h"

#include <utility>

#include "text.h"

namespace sitekit::records {

Result<Components> read_channels(const Lines& lines, const std::string& file, ChannelReader channel) {
  Components out;
  std::size_t i = 0;
  while (true) {
    while (i < lines.size() && text::trim(lines[i]).empty()) ++i;
    if (i >= lines.size()) break;
    auto ch = channel(lines, i, file);
    if (!ch) return ch.error();
    out.push_back(std::move(ch.value().c));
    i = ch.value().next;
  }
  if (out.empty()) return Error{file, 0, "the file holds no channel"};
  return out;
}

}  // namespace sitekit::records
