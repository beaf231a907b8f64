// sitekit report DIR [-o report.html]: one self-contained HTML page from a
// run folder or a batch folder (see sitekit_report).
#include <fmt/format.h>

#include <cstdio>
#include <memory>
#include <string>

#include "cli/diagnostic.h"
#include "cli/subcommand.h"
#ifdef SITEKIT_HAVE_REPORT
#include "report/report.h"
#endif

namespace sitekit::cli {

namespace {

struct ReportOptions {
  std::string dir;
  std::string out = "report.html";
};

int run_report(const ReportOptions& o) {
#ifdef SITEKIT_HAVE_REPORT
  report::Page page;
  if (const auto err = report::write_report(o.dir, o.out, &page))
    fail_input({err->file.string(), 0, err->what});
  std::printf("%s: %zu run%s, %zu bytes\n", o.out.c_str(), page.runs, page.runs == 1 ? "" : "s",
              page.html.size());
  return static_cast<int>(Exit::ok);
#else
  (void)o;
  fail_usage({"report", 0,
              "this sitekit was built without its chart library (uPlot from npm); "
              "install npm and build again"});
#endif
}

}  // namespace

CommandRunner add_report(CLI::App& app) {
  auto opts = std::make_shared<ReportOptions>();
  CLI::App* sub = app.add_subcommand(
      "report", "Write one self-contained HTML page (charts, tables, no network access) of a run "
                "folder or a batch folder");
  sub->add_option("DIR", opts->dir, "Folder written by sitekit run: one record's, or the batch's")
      ->required();
  sub->add_option("-o,--output", opts->out, "The page to write")->capture_default_str();
  return [opts] { return run_report(*opts); };
}

}  // namespace sitekit::cli
