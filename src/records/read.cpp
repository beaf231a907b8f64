// Reading the channels of one record file, in the format asked for or the
// one its content shows.
#include "read.h"

#include <cmath>

#include <fmt/format.h>

#include "readers.h"
#include "text.h"

namespace sitekit::records {

namespace {

// A value the file writes in range can leave it once converted: 1.5e308 g
// in cm/s2, or a mean taken over such values.
Status all_in_range(const std::vector<Component>& cs, const std::string& file) {
  for (std::size_t c = 0; c < cs.size(); ++c)
    for (std::size_t i = 0; i < cs[c].samples.size(); ++i)
      if (!std::isfinite(cs[c].samples[i]))
        return Error{file, 0, fmt::format("sample {} of channel {} is beyond the range of numbers once "
                                          "converted to cm/s2", i + 1, c + 1)};
  return done();
}

}  // namespace

Result<std::vector<Component>> read_components(std::string_view content, const std::string& file, Format format) {
  if (content.empty()) return Error{file, 0, "is empty"};
  if (format == Format::automatic) format = detect(content);
  if (format == Format::wave) return read_wave_components(content, file);
  const Lines lines = text::split_lines(content);
  Result<Components> r = Error{file, 0, "cannot tell the format of this file; name it with --format"};
  switch (format) {
    case Format::knet: r = read_knet(lines, file); break;
    case Format::at2: r = read_at2(lines, file); break;
    case Format::smc: r = read_smc(lines, file); break;
    case Format::cosmos: r = read_cosmos(lines, file); break;
    case Format::csmip: r = read_csmip(lines, file); break;
    case Format::esm: r = read_esm(lines, file); break;
    case Format::wave:
    case Format::automatic: break;
  }
  if (!r) return r;
  for (Component& c : r.value()) {
    c.file = file;
    c.format = format;
  }
  if (const auto ok = all_in_range(r.value(), file); !ok) return ok.error();
  return r;
}

Result<std::vector<Component>> read_component_file(const std::string& path, Format format) {
  auto content = slurp(path);
  if (!content) return content.error();
  return read_components(content.value(), path, format);
}

}  // namespace sitekit::records
