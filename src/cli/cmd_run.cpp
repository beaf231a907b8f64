// sitekit run: the dialogue's whole computation from options, for one
// record or many, each into its own run folder, and DIR/runs.csv.
#include <fmt/format.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "cli/diagnostic.h"
#include "cli/child.h"
#include "cli/manifest.h"
#include "cli/messages.h"
#include "cli/progress.h"
#include "cli/run_folder.h"
#include "cli/run_job.h"
#include "cli/runs_csv.h"
#include "cli/subcommand.h"
#include "records/record.h"

namespace sitekit::cli {

namespace fs = std::filesystem;

namespace {

struct RunArgs {
  std::string soil;
  bool integrate = false, differentiate = false;
  std::string band;
  std::string out = ".";
  unsigned jobs = 0;
  std::string manifest;
  std::vector<std::string> records;
};

std::string record_folder_name(const std::string& arg) {
  auto files = records::expand_record_files({arg}, std::nullopt);
  if (files && !files.value().empty()) {
    const std::string n = records::record_name(files.value());
    if (!n.empty()) return n;
  }
  return fs::path(arg).stem().string();
}

RunJob defaults(const RunArgs& a) {
  RunJob j;
  j.soil = a.soil;
  j.shaping = a.integrate ? Shaping::integrate : a.differentiate ? Shaping::differentiate : Shaping::none;
  if (!a.band.empty()) j.band = parse_band(a.band, "--band");
  j.out_dir = a.out;
  return j;
}

std::vector<RunJob> manifest_jobs(const RunArgs& a, const RunJob& base) {
  std::ifstream in(a.manifest, std::ios::binary);
  if (!in) fail_input({a.manifest, 0, "cannot be read"});
  std::ostringstream text;
  text << in.rdbuf();
  std::vector<RunJob> jobs;
  for (const ManifestRow& r : parse_manifest(text.str(), a.manifest)) {
    RunJob j = base;
    j.record = {r.record};
    if (!r.soil.empty()) j.soil = r.soil;
    if (!r.output.empty()) j.out_dir = r.output;
    if (r.has_options) j.shaping = r.shaping, j.band = r.band;
    if (j.soil.empty()) fail_usage({a.manifest, r.line, msg::no_soil()});
    jobs.push_back(std::move(j));
  }
  return jobs;
}

std::vector<RunJob> plan(const RunArgs& a) {
  const RunJob base = defaults(a);
  std::vector<RunJob> jobs;
  if (!a.manifest.empty()) jobs = manifest_jobs(a, base);
  for (const std::string& r : a.records) {
    RunJob j = base;
    j.record = {r};
    jobs.push_back(std::move(j));
  }
  if (jobs.empty()) fail_usage({"run", 0, msg::no_records()});
  for (RunJob& j : jobs) {
    if (j.soil.empty()) fail_usage({"run", 0, msg::no_soil()});
    j.name = record_folder_name(j.record.front());
  }
  return jobs;
}

// Runs whose folder another run of this call already claims fail at once:
// the second would silently replace the first.
std::vector<RunRow> claim_folders(const std::vector<RunJob>& jobs, std::vector<bool>& todo) {
  std::vector<RunRow> rows(jobs.size());
  std::map<fs::path, std::size_t> owner;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    const fs::path folder = (jobs[i].out_dir / jobs[i].name).lexically_normal();
    const auto [it, fresh] = owner.emplace(folder, i);
    todo[i] = fresh;
    if (fresh) continue;
    RunRow& r = rows[i];
    r.record = jobs[i].record.front(), r.name = jobs[i].name, r.soil = jobs[i].soil;
    r.shaping = jobs[i].shaping;
    const Problem p{jobs[i].record.front(), 0,
                    msg::same_folder(folder.string(), jobs[it->second].record.front())};
    r.error = text_of(p);
    error(p);
  }
  return rows;
}

// An interrupt or a termination request stops new runs from starting; the
// runs under way end (siteresp gets the terminal's interrupt too and fails
// them, which removes their folders), and runs.csv still lists every run.
volatile std::sig_atomic_t stop_requested = 0;

extern "C" void request_stop(int) { stop_requested = 1; }

struct StopOnSignals {
  struct sigaction old_int {}, old_term {};
  StopOnSignals() {
    struct sigaction sa {};
    sa.sa_handler = request_stop;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, &old_int);
    sigaction(SIGTERM, &sa, &old_term);
  }
  ~StopOnSignals() {
    sigaction(SIGINT, &old_int, nullptr);
    sigaction(SIGTERM, &old_term, nullptr);
  }
};

RunRow not_started(const RunJob& job) {
  RunRow r;
  r.record = job.record.front(), r.name = job.name, r.soil = job.soil, r.shaping = job.shaping;
  r.error = msg::interrupted();
  return r;
}

int run_all(const RunArgs& a) {
  const std::vector<RunJob> jobs = plan(a);
  const fs::path siteresp = find_siteresp();
  if (siteresp.empty()) fail_usage({"run", 0, msg::no_siteresp()});
  std::vector<bool> todo(jobs.size());
  std::vector<RunRow> rows = claim_folders(jobs, todo);

  StopOnSignals signals;
  Progress progress(jobs.size(), ::isatty(2) == 1);
  for (std::size_t i = 0; i < jobs.size(); ++i)
    if (!todo[i]) progress.finished(rows[i]);
  std::atomic<std::size_t> next{0};
  const auto worker = [&] {
    for (std::size_t i; (i = next++) < jobs.size();) {
      if (!todo[i]) continue;
      rows[i] = stop_requested ? not_started(jobs[i]) : run_one(jobs[i], siteresp);
      progress.finished(rows[i]);
    }
  };
  const unsigned n = a.jobs ? a.jobs : std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < std::min<std::size_t>(n, jobs.size()); ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& t : pool) t.join();

  std::error_code ec;
  fs::create_directories(a.out, ec);
  const fs::path runs = fs::path(a.out) / "runs.csv";
  const std::string why = write_file_atomically(runs, runs_csv_text(rows));
  if (!why.empty()) fail_input({runs.string(), 0, msg::cannot_write(why)});
  say(fmt::format("{} run{}: {} ok, {} failed; table in {}", jobs.size(), jobs.size() == 1 ? "" : "s",
                  jobs.size() - progress.failed(), progress.failed(), runs.string()));
  return static_cast<int>(progress.failed() ? Exit::bad_input : Exit::ok);
}

}  // namespace

CommandRunner add_run(CLI::App& app) {
  auto args = std::make_shared<RunArgs>();
  CLI::App* run = app.add_subcommand(
      "run", "Run the layered-soil computation of siteresp on records, without questions.");
  run->footer(
      "Each record gets the folder DIR/<record name>/ (siteresp's three result files, summary.txt, "
      "input.csv, soil.csv, run-info.csv), built under a temporary name and renamed into place. "
      "DIR/runs.csv lists every run. Exit status: 0 when every run succeeded, 1 when one failed, "
      "2 for bad usage.");
  run->add_option("--soil", args->soil, "Soil profile file (the dialogue's format)");
  auto* integ = run->add_flag("--integrate", args->integrate, "Integrate the motion once");
  auto* diff = run->add_flag("--differentiate", args->differentiate, "Differentiate the motion once");
  integ->excludes(diff);
  run->add_option("--band", args->band, "Trapezoidal band pass fL1,fL2,fH1,fH2 in Hz");
  run->add_option("--out", args->out, "Folder that receives the run folders and runs.csv")
      ->capture_default_str();
  run->add_option("-j,--jobs", args->jobs, "Runs at a time (default: the number of cores)")
      ->check(CLI::Range(1, 1024));
  run->add_option("--manifest", args->manifest,
                  "CSV file of runs: record,soil,options,output (one row per run)");
  run->add_option("records", args->records,
                  "Wave files, or records sitekit import reads (a triplet by one file or its stem)");
  return [args] { return run_all(*args); };
}

}  // namespace sitekit::cli
