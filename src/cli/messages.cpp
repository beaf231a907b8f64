#include "cli/messages.h"

#include <fmt/format.h>
#include <string.h>

#include <sstream>
#include <vector>

namespace sitekit::cli::msg {

std::string too_few_samples(std::size_t n) {
  return fmt::format("the record has {} sample{}; a run needs at least two (the time step is the "
                     "difference of the first two times)",
                     n, n == 1 ? "" : "s");
}

std::string too_many_samples(std::size_t n) {
  return fmt::format("the record has {} samples; sitekit handles at most 32768: take a part with "
                     "sitekit import --start/--length or a coarser interval with --resample",
                     n);
}

std::string time_step_not_positive(double t0, double t1) {
  return fmt::format("the first two times, {} and {}, give no positive time step", t0, t1);
}

std::string cannot_copy(const std::string& why) { return "cannot copy: " + why; }
std::string cannot_write(const std::string& why) { return "cannot write: " + why; }
std::string cannot_create(const std::string& why) {
  return "cannot create the run folder: " + why;
}
std::string cannot_publish(const std::string& why) {
  return "cannot move the finished run into place: " + why;
}
std::string cannot_start(const std::string& why) {
  return fmt::format("cannot start siteresp: {}; install it beside sitekit or on PATH", why);
}

namespace {

std::string replace_all(std::string s, const std::string& from, const std::string& to) {
  for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
  return s;
}

}  // namespace

std::string computation_stopped(const std::string& child_stderr, int signal,
                                const std::string& record, const std::string& soil) {
  std::vector<std::string> lines;
  std::istringstream in(child_stderr);
  for (std::string l; std::getline(in, l);)
    if (!l.empty()) lines.push_back(l);
  if (lines.empty()) {
    if (signal != 0) return fmt::format("siteresp was ended by signal {} ({})", signal, ::strsignal(signal));
    return "siteresp stopped without a message";
  }
  // "open: ...", then "apparent state: unit 11 named input.csv": one line.
  std::string text = lines.front();
  if (lines.size() > 1) text += " (" + lines[1] + ")";
  text = replace_all(text, "named input.csv", "named " + record);
  text = replace_all(text, "named soil.csv", "named " + soil);
  return "siteresp stopped: " + text;
}

std::string result_missing(const std::string& name) {
  return fmt::format("siteresp ended without writing {}", name);
}

std::string no_records() { return "no record given: name wave files or records, or --manifest"; }

std::string same_folder(const std::string& folder, const std::string& other) {
  return fmt::format("{} would also be written by the run of {}; give one of them another --out "
                     "(a manifest row can name its own folder)",
                     folder, other);
}

std::string no_soil() { return "no soil profile: give --soil SOIL (or a soil column in the manifest)"; }

std::string no_siteresp() {
  return "cannot find siteresp beside sitekit nor on PATH; install both together";
}

std::string interrupted() { return "not run: interrupted before it started"; }

}  // namespace sitekit::cli::msg
