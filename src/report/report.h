#pragma once
// `sitekit report DIR`: one self-contained HTML page from a run folder
// (DIR holds a run's files) or a batch folder (DIR holds one folder per run
// and runs.csv).  The page carries its data, script and styles inline and
// loads nothing when opened.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sitekit::report {

// Why no page was written: the file or folder concerned and what is wrong
// with it, for the command line to turn into its one-line message.
struct ReportError {
  std::filesystem::path file;
  std::string what;
};

struct Page {
  std::string html;
  std::size_t runs = 0;   // run folders shown
};

// The page for `dir`, or why there is none.
std::optional<ReportError> build_page(const std::filesystem::path& dir, Page& page);

// Builds the page and writes it to `out` whole (through a temporary file
// beside it, renamed into place).
std::optional<ReportError> write_report(const std::filesystem::path& dir, const std::filesystem::path& out,
                                        Page* page = nullptr);

// The folders of a batch that hold a run, in name order; hidden folders
// (a run still being written) are left out.
std::vector<std::filesystem::path> run_folders(const std::filesystem::path& dir);

// Whether `dir` itself holds a run's files.
bool is_run_folder(const std::filesystem::path& dir);

}  // namespace sitekit::report
