#pragma once
// How a subcommand joins the command line.  Each one provides, in its own
// file,
//
//     sitekit::cli::CommandRunner sitekit::cli::add_NAME(CLI::App& app);
//
// which adds `app.add_subcommand("NAME", ...)` with its options and returns
// the function that does the work once the options are parsed (its result is
// the exit status), and adds one line SITEKIT_SUBCOMMAND(NAME) to
// subcommands.inc.  Errors are thrown as Failure (diagnostic.h) or written
// with error()/warn(); nothing else prints diagnostics.
#include <CLI/CLI.hpp>

#include <functional>
#include <string_view>
#include <vector>

namespace sitekit::cli {

using CommandRunner = std::function<int()>;
using AddSubcommand = CommandRunner (*)(CLI::App& app);

struct Subcommand {
  std::string_view name;
  AddSubcommand add;
};

// Every registered subcommand, in the order of subcommands.inc.
const std::vector<Subcommand>& subcommands();

// The version printed by --version and written into run-info.csv.
std::string_view version();

}  // namespace sitekit::cli
