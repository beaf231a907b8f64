#include "cli/subcommand.h"

namespace sitekit::cli {

#define SITEKIT_SUBCOMMAND(name) CommandRunner add_##name(CLI::App& app);
#include "cli/subcommands.inc"
#undef SITEKIT_SUBCOMMAND

const std::vector<Subcommand>& subcommands() {
  static const std::vector<Subcommand> table = {
#define SITEKIT_SUBCOMMAND(name) {#name, add_##name},
#include "cli/subcommands.inc"
#undef SITEKIT_SUBCOMMAND
  };
  return table;
}

std::string_view version() { return SITEKIT_VERSION; }

}  // namespace sitekit::cli
