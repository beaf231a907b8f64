// Names of the formats on the command line.
#include "component.h"

namespace sitekit::records {

namespace {
struct Named {
  Format format;
  std::string_view name;
};
constexpr Named names[] = {
    {Format::automatic, "auto"}, {Format::knet, "knet"},   {Format::at2, "at2"}, {Format::smc, "smc"},
    {Format::cosmos, "cosmos"},  {Format::csmip, "csmip"}, {Format::esm, "esm"}, {Format::wave, "wave"},
};
}  // namespace

std::string_view format_name(Format f) {
  for (const Named& n : names)
    if (n.format == f) return n.name;
  return "auto";
}

std::optional<Format> parse_format(std::string_view name) {
  for (const Named& n : names)
    if (n.name == name) return n.format;
  return std::nullopt;
}

}  // namespace sitekit::records
