#include "cli/run_job.h"

#include <fmt/format.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>

#include "cli/child.h"
#include "cli/diagnostic.h"
#include "cli/mapped_file.h"
#include "cli/messages.h"
#include "cli/result_digest.h"
#include "cli/run_folder.h"
#include "cli/run_info.h"
#include "cli/run_measures.h"
#include "records/read.h"
#include "records/record.h"
#include "records/soil.h"
#include "records/wave_file.h"

namespace sitekit::cli {

namespace fs = std::filesystem;

namespace {

// Thrown inside run_one for the one error that ends a run.
struct RunError {
  Problem problem;
};

[[noreturn]] void stop(Problem p) { throw RunError{std::move(p)}; }

Problem from(const records::Diagnostic& d) { return {d.file, d.line, d.message}; }

void warn_all(const records::Warnings& ws) {
  for (const records::Diagnostic& w : ws) warn(from(w));
}

std::string read_text(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Refusals beyond the readers' own, where the result would mean nothing.
void check_record(const records::Record& rec, const std::string& file) {
  if (rec.size() < 2) stop({file, 0, msg::too_few_samples(rec.size())});
  if (rec.size() > records::max_record_samples) stop({file, 0, msg::too_many_samples(rec.size())});
  if (!(rec.time[1] > rec.time[0])) stop({file, 0, msg::time_step_not_positive(rec.time[0], rec.time[1])});
}

records::SoilProfile checked_soil(const RunJob& job) {
  records::Result<records::SoilProfile> s = records::read_soil_file(job.soil);
  if (!s) stop(from(s.error()));
  warn_all(s.value().warnings);
  return std::move(s).value();
}

// A RECORD that is one wave file is handed to the computation as it is:
// input.csv is a copy, byte for byte.  Anything else (other formats,
// triplets) is imported first.  The marks of every format are near the top,
// so the file's head decides, and the computation starts before the record
// is read whole.
std::optional<std::string> single_wave_file(const RunJob& job) {
  const auto files = records::expand_record_files(job.record, std::nullopt);
  if (!files || files.value().size() != 1) return std::nullopt;
  // A file too large for a record is refused by the import, with its size.
  std::error_code ec;
  const auto bytes = fs::file_size(files.value().front(), ec);
  if (ec || bytes > records::max_file_bytes) return std::nullopt;
  std::ifstream in(files.value().front(), std::ios::binary);
  std::string head(records::detect_head_bytes, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  if (!in && !in.eof()) return std::nullopt;
  if (records::detect(head) != records::Format::wave) return std::nullopt;
  return files.value().front();
}

// The copy is made by the kernel, through a temporary name, and given the
// mode of every file of the run (a plain copy of a read-only record would
// be read-only).
void copy_input(const fs::path& dir, const std::string& file) {
  const fs::path tmp = dir / ".input.csv.part", to = dir / "input.csv";
  std::error_code ec;
  fs::copy_file(file, tmp, fs::copy_options::overwrite_existing, ec);
  if (!ec) fs::permissions(tmp, static_cast<fs::perms>(0666 & ~process_umask()), ec);
  if (!ec) fs::rename(tmp, to, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(tmp, ignored);
    stop({to.string(), 0, msg::cannot_write(ec.message())});
  }
}

// The record as the computation reads it: from its copy in the run folder,
// mapped, whose pages are already in memory (the copy was just made) where
// reading them into a string would first touch as many fresh ones.  No one
// else writes to the folder while it is being built.
records::Result<records::Record> read_input_copy(const fs::path& dir, const std::string& file) {
  const MappedFile copy(dir / "input.csv");
  if (copy.ok()) return records::read_wave(copy.text(), file);
  records::Result<std::string> text = records::slurp((dir / "input.csv").string());
  if (!text) return records::Error{file, 0, text.error().message};
  return records::read_wave(text.value(), file);
}

void write_input(const fs::path& dir, const std::string& text) {
  const std::string why = write_file_atomically(dir / "input.csv", text);
  if (!why.empty()) stop({(dir / "input.csv").string(), 0, msg::cannot_write(why)});
}

// What siteresp reads once input.csv and soil.csv are in its folder.
void answer(RunningChild& child, const RunJob& job) {
  child.answer("input.csv\nsoil.csv\n" + dialogue_answers(job.shaping, job.band));
}

void finish(RunningChild& child, const fs::path& siteresp, const fs::path& dir, const RunJob& job,
            const records::Record& rec) {
  const ChildOutcome c = child.finish();
  const std::string& file = rec.files.front();
  if (!c.started) stop({siteresp.string(), 0, msg::cannot_start(c.err)});
  if (!c.ok()) stop({file, 0, msg::computation_stopped(c.err, c.signal, file, job.soil)});
  for (const char* result : {"Amp-Factors.csv", "amp1.csv", "wave1.csv"})
    if (!fs::exists(dir / result)) stop({file, 0, msg::result_missing(result)});
}

// The record, read while the computation runs: a wave file is handed to
// siteresp (already started, waiting for its answers) as it is and read
// here at the same time; an imported record is read first, since input.csv
// is the import.  A record refused here stops the computation (the caller's
// child is killed when it goes out of scope).  Once the
// record is accepted, `alongside` does sitekit's own work on it while the
// child computes, on the other core.
using Alongside = std::function<void(const records::Record&)>;

records::Record record_and_compute(const RunJob& job, RunningChild& child, const fs::path& siteresp,
                                   const fs::path& dir, const Alongside& alongside) {
  if (const std::optional<std::string> file = single_wave_file(job)) {
    copy_input(dir, *file);
    answer(child, job);
    // Messages name the record.
    records::Result<records::Record> r = read_input_copy(dir, *file);
    if (!r) stop(from(r.error()));
    records::Record rec = std::move(r).value();
    if (rec.files.empty()) rec.files = {*file};
    warn_all(rec.warnings);
    check_record(rec, *file);
    alongside(rec);
    finish(child, siteresp, dir, job, rec);
    return rec;
  }
  records::Result<records::Record> r = records::import_record(job.record, {});
  if (!r) stop(from(r.error()));
  records::Record rec = std::move(r).value();
  warn_all(rec.warnings);
  check_record(rec, rec.files.empty() ? job.record.front() : rec.files.front());
  write_input(dir, records::format_wave(rec));
  answer(child, job);
  alongside(rec);
  finish(child, siteresp, dir, job, rec);
  return rec;
}

void digest(const fs::path& dir, int wave_type, RunRow& row) {
  if (const auto peaks = surface_peaks(read_text(dir / "summary.txt"))) row.surface_peak = *peaks;
  const MappedFile amp_factors(dir / "Amp-Factors.csv");
  if (const auto amp = peak_amplification(amp_factors.text(), wave_type)) {
    row.sh_hz = amp->sh_hz, row.sh = amp->sh;
    row.psv_hz = amp->psv_hz, row.psv = amp->psv;
  }
}

std::array<double, 3> input_peaks(const records::Record& rec) {
  std::array<double, 3> p{0, 0, 0};
  const std::vector<double>* ch[3] = {&rec.h1, &rec.h2, &rec.v1};
  for (int i = 0; i < 3; ++i)
    for (double x : *ch[i]) p[i] = std::max(p[i], std::fabs(x));
  return p;
}

void perform(const RunJob& job, const fs::path& siteresp, RunRow& row) {
  const records::SoilProfile soil = checked_soil(job);
  row.wave_type = soil.wave_type;
  if (job.band) {
    const std::string w = band_order_warning(*job.band);
    if (!w.empty()) warn({"--band", 0, w});
  }
  StagedFolder staged(row.folder);
  if (!staged.ok()) stop({row.folder.string(), 0, msg::cannot_create(staged.error())});
  // siteresp starts now and waits for its answers while the profile and the
  // record are put in the folder, so that its start overlaps that work.  A
  // run that stops before answering kills it.
  RunningChild child(siteresp, staged.path(), "summary.txt");
  std::error_code ec;
  fs::copy_file(job.soil, staged.path() / "soil.csv", ec);
  if (ec) stop({job.soil, 0, msg::cannot_copy(ec.message())});
  // The spectra do not depend on the dialogue's files; their error, if any,
  // is reported only once the computation has succeeded, so that a failing
  // computation is what the user hears about.
  std::string measures_error;
  const records::Record rec = record_and_compute(job, child, siteresp, staged.path(), [&](const records::Record& r) {
    measures_error = add_run_measures(staged.path(), job, r, soil, row);
  });
  if (!measures_error.empty()) stop({row.folder.string(), 0, measures_error});
  row.units = rec.units;
  row.input_peak = input_peaks(rec);
  digest(staged.path(), soil.wave_type, row);
  const std::string info = write_run_info(staged.path(), job, rec, soil);
  if (!info.empty()) stop({row.folder.string(), 0, msg::cannot_write(info)});
  const std::string why = staged.publish();
  if (!why.empty()) stop({row.folder.string(), 0, msg::cannot_publish(why)});
}

}  // namespace

RunRow run_one(const RunJob& job, const fs::path& siteresp) {
  const auto t0 = std::chrono::steady_clock::now();
  RunRow row;
  row.record = fmt::format("{}", fmt::join(job.record, " "));
  row.name = job.name;
  row.folder = job.out_dir / job.name;
  row.soil = job.soil;
  row.shaping = job.shaping;
  if (job.band) row.band = fmt::format("{}", fmt::join(job.band->text, ";"));
  try {
    perform(job, siteresp, row);
    row.ok = true;
  } catch (const RunError& e) {
    row.error = text_of(e.problem);
    error(e.problem);
  }
  row.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  return row;
}

}  // namespace sitekit::cli
