#pragma once
// The whole command line: parses argv, runs the chosen subcommand and turns
// every failure into one line on standard error and an exit status.

namespace sitekit::cli {

int main_entry(int argc, char** argv);

}  // namespace sitekit::cli
