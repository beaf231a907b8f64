#include "report/report.h"

#include <algorithm>
#include <fstream>

#include "report/batch.h"
#include "report/page.h"
#include "report/sections.h"

namespace sitekit::report {
namespace fs = std::filesystem;

namespace {

const char* const run_files[] = {"run-info.csv", "Amp-Factors.csv", "wave1.csv", "input.csv"};

// The row of runs.csv whose `name` column (the run folder's name; else
// `record`, else the first column) is `name`.
std::vector<std::string> row_of(const CsvFile& runs, const std::string& name) {
  int c = runs.table.find("name");
  if (c < 0) c = runs.table.find("record");
  if (c < 0) c = 0;
  for (const auto& row : runs.table.rows)
    if (static_cast<std::size_t>(c) < row.size() && row[c] == name) return row;
  return {};
}

void write_header(JsonWriter& json, const fs::path& dir, const char* kind) {
  json.key("kind");
  json.string(kind);
  json.key("dir");
  json.string(dir.filename().empty() ? dir.parent_path().filename().string() : dir.filename().string());
  json.key("uplot");
  json.string(SITEKIT_UPLOT_VERSION);
}

std::string folder_name(const fs::path& dir) {
  const fs::path p = dir.filename().empty() ? dir.parent_path() : dir;
  const std::string n = fs::absolute(p).lexically_normal().filename().string();
  return n.empty() ? p.string() : n;
}

}  // namespace

bool is_run_folder(const fs::path& dir) {
  std::error_code ec;
  return std::any_of(std::begin(run_files), std::end(run_files),
                     [&](const char* f) { return fs::is_regular_file(dir / f, ec); });
}

std::vector<fs::path> run_folders(const fs::path& dir) {
  std::vector<fs::path> out;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) {
    const std::string n = e.path().filename().string();
    if (!n.empty() && n[0] != '.' && e.is_directory(ec) && is_run_folder(e.path())) out.push_back(e.path());
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::optional<ReportError> build_page(const fs::path& dir, Page& page) {
  std::error_code ec;
  if (!fs::exists(dir, ec)) return ReportError{dir, "no such folder"};
  if (!fs::is_directory(dir, ec)) return ReportError{dir, "not a folder"};
  JsonWriter json;
  json.begin_object();
  const std::string name = folder_name(dir);
  if (is_run_folder(dir)) {
    write_header(json, dir, "run");
    const CsvFile runs = read_csv(dir / ".." / "runs.csv");
    RunFolder run(dir, name);
    json.key("runs");
    json.begin_array();
    write_run(run, json, runs.table.heading, row_of(runs, name));
    json.end_array();
    page.runs = 1;
  } else {
    const auto folders = run_folders(dir);
    const CsvFile runs = read_csv(dir / "runs.csv");
    if (folders.empty() && runs.state != FileState::ok)
      return ReportError{dir, "holds neither a run (run-info.csv, Amp-Factors.csv, wave1.csv) "
                              "nor run folders and runs.csv"};
    write_header(json, dir, "batch");
    std::vector<std::pair<std::string, RunSummary>> summaries;
    json.key("runs");
    json.begin_array();
    for (const auto& f : folders) {
      RunFolder run(f, f.filename().string());
      summaries.emplace_back(run.name(), write_run(run, json, runs.table.heading, row_of(runs, run.name())));
    }
    json.end_array();
    json.key("suite");
    write_suite(json, summaries);
    json.key("table");
    write_runs_table(json, runs);
    page.runs = folders.size();
  }
  json.end_object();
  page.html = page_html("sitekit report: " + name, json.text());
  return std::nullopt;
}

std::optional<ReportError> write_report(const fs::path& dir, const fs::path& out, Page* result) {
  Page page;
  if (auto err = build_page(dir, page)) return err;
  fs::path tmp = out;
  tmp += ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    if (!f) return ReportError{out, "cannot be written"};
    f.write(page.html.data(), static_cast<std::streamsize>(page.html.size()));
    f.close();
    if (!f) {
      std::error_code ec;
      fs::remove(tmp, ec);
      return ReportError{out, "cannot be written"};
    }
  }
  std::error_code ec;
  fs::rename(tmp, out, ec);
  if (ec) {
    fs::remove(tmp, ec);
    return ReportError{out, "cannot be written"};
  }
  if (result) *result = std::move(page);
  return std::nullopt;
}

}  // namespace sitekit::report
