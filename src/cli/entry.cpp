#include "cli/entry.h"

#include <fmt/format.h>

#include <csignal>
#include <cstdio>
#include <map>

#include "cli/diagnostic.h"
#include "cli/run_folder.h"
#include "cli/subcommand.h"

namespace sitekit::cli {

namespace {

// CLI11's own texts, brought into the funnel: one line, the subcommand named,
// and where to look next.
int usage_error(const CLI::App& app, const CLI::ParseError& e) {
  const CLI::App* sub = nullptr;
  for (const CLI::App* s : app.get_subcommands()) sub = s;
  const std::string help = sub ? fmt::format("sitekit {} --help", sub->get_name()) : "sitekit --help";
  error({sub ? std::string(sub->get_name()) : std::string(), 0,
         fmt::format("{} (see '{}')", e.what(), help)});
  return static_cast<int>(Exit::bad_usage);
}

}  // namespace

int main_entry(int argc, char** argv) {
  // A child that stops reading its answers must not end sitekit.
  std::signal(SIGPIPE, SIG_IGN);
  process_umask();
  CLI::App app{"sitekit: runs, batches and record formats around siteresp's layered-soil response.",
               "sitekit"};
  app.set_version_flag("--version", fmt::format("sitekit {}", version()));
  app.require_subcommand(1);
  app.fallthrough(false);

  std::map<const CLI::App*, CommandRunner> runners;
  for (const Subcommand& s : subcommands()) {
    CommandRunner run = s.add(app);
    runners[app.get_subcommand(std::string(s.name))] = std::move(run);
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e);  // --help, --version
    return usage_error(app, e);
  }

  try {
    for (const CLI::App* sub : app.get_subcommands()) return runners.at(sub)();
    return static_cast<int>(Exit::bad_usage);
  } catch (const Failure& f) {
    error(f.problem());
    return static_cast<int>(f.status());
  } catch (const std::exception& e) {
    error({{}, 0, fmt::format("unexpected failure: {}", e.what())});
    return static_cast<int>(Exit::bad_input);
  }
}

}  // namespace sitekit::cli
