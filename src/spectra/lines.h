#pragma once
// Walking a text line by line, for the small text formats the spectra
// library reads (period lists, amplitude tables).
#include <string_view>

namespace sitekit::spectra::detail {

// The first line of text, without its newline; text keeps the rest.
inline std::string_view take_line(std::string_view& text) {
  const std::size_t nl = text.find('\n');
  const std::string_view line = text.substr(0, nl);
  text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
  return line;
}

}  // namespace sitekit::spectra::detail
