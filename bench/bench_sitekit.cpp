// sitekit's hot paths, each beside what it is compared with:
//   - one `sitekit run` (siteresp as a child in a run folder, plus sitekit's
//     own files) against siteresp with its answers piped in, on the bundled
//     example (4,096 samples, 7 layers);
//   - sitekit's own part of a run on the largest case (32,768 samples, 50
//     layers, integrated, band-passed): the input and surface series, their
//     spectra with RotD50, the smoothed amplification factors and the files,
//     without the child;
//   - a batch of 100 records x 1 profile with -j 2, through the whole
//     command line;
//   - `sitekit import` of a K-NET triplet of 60,000 samples (10 minutes at
//     100 Hz), cut to 300 s or resampled to 0.02 s, written as a wave file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/child.h"
#include "cli/entry.h"
#include "cli/run_job.h"
#include "cli/run_measures.h"
#include "golden/cases.h"
#include "records/record.h"
#include "records/soil.h"
#include "records/wave_file.h"

namespace {

namespace fs = std::filesystem;

// CPU seconds of the children waited for so far: on a loaded machine the
// wall time says more about the neighbours than about the program.
double children_cpu() {
  rusage u{};
  ::getrusage(RUSAGE_CHILDREN, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         1e-6 * static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec);
}

void count_children(benchmark::State& state, double before) {
  state.counters["child_cpu_ms"] = benchmark::Counter(
      1e3 * (children_cpu() - before), benchmark::Counter::kAvgIterations);
}

struct Scratch {
  fs::path dir;
  Scratch() {
    std::string t = (fs::temp_directory_path() / "sitekit-bench-XXXXXX").string();
    if (!::mkdtemp(t.data())) std::abort();
    dir = t;
    fs::copy_file(fs::path(SITERESP_SOURCE_DIR) / "examples/wave.csv", dir / "wave.csv");
    fs::copy_file(fs::path(SITERESP_SOURCE_DIR) / "examples/soil.csv", dir / "soil.csv");
  }
  ~Scratch() { fs::remove_all(dir); }
};

void BM_SiterespPiped(benchmark::State& state) {
  Scratch s;
  const std::string answers = "wave.csv\nsoil.csv\n0\n1\n0.1,0.2,20,25\n";
  const double before = children_cpu();
  for (auto _ : state) {
    const auto r = sitekit::cli::run_in_folder(SITERESP_EXE, s.dir, answers, "console.txt");
    if (!r.ok()) state.SkipWithError("siteresp failed");
  }
  count_children(state, before);
}
BENCHMARK(BM_SiterespPiped)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SitekitRunOne(benchmark::State& state) {
  Scratch s;
  sitekit::cli::RunJob job;
  job.record = {(s.dir / "wave.csv").string()};
  job.soil = (s.dir / "soil.csv").string();
  job.band = sitekit::cli::parse_band("0.1,0.2,20,25", "--band");
  job.out_dir = s.dir / "out";
  job.name = "wave";
  const double before = children_cpu();
  for (auto _ : state) {
    const sitekit::cli::RunRow row = sitekit::cli::run_one(job, SITERESP_EXE);
    if (!row.ok) state.SkipWithError(row.error.c_str());
  }
  count_children(state, before);
}
BENCHMARK(BM_SitekitRunOne)->Unit(benchmark::kMillisecond)->UseRealTime();

// The largest record as `sitekit run` reads its copy: 32,768 rows.
void BM_ReadLargestWaveRecord(benchmark::State& state) {
  golden::CaseFiles files;
  if (!golden::generate("largest", files)) return state.SkipWithError("no largest case");
  for (auto _ : state) {
    const auto rec = sitekit::records::read_wave(files.wave, "wave.csv");
    if (!rec) state.SkipWithError("the largest case does not read");
    benchmark::DoNotOptimize(rec);
  }
}
BENCHMARK(BM_ReadLargestWaveRecord)->Unit(benchmark::kMillisecond);

void BM_RunSpectraLargest(benchmark::State& state) {
  Scratch s;
  golden::CaseFiles files;
  if (!golden::generate("largest", files)) return state.SkipWithError("no largest case");
  std::ofstream(s.dir / "big-soil.csv") << files.soil;
  const auto rec = sitekit::records::read_wave(files.wave, "wave.csv");
  const auto soil = sitekit::records::read_soil_file((s.dir / "big-soil.csv").string());
  if (!rec || !soil) return state.SkipWithError("the largest case does not read");
  sitekit::cli::RunJob job;
  job.shaping = sitekit::cli::Shaping::integrate;
  job.band = sitekit::cli::parse_band("0.1,0.3,20.0,30.0", "--band");
  for (auto _ : state) {
    sitekit::cli::RunRow row;
    const std::string error = sitekit::cli::add_run_measures(s.dir, job, rec.value(), soil.value(), row);
    if (!error.empty()) state.SkipWithError(error.c_str());
  }
}
BENCHMARK(BM_RunSpectraLargest)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole command line, its terminal lines sent to /dev/null.
int sitekit_main(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  std::fflush(stdout);
  const int saved = ::dup(1), null = ::open("/dev/null", O_WRONLY);
  ::dup2(null, 1);
  const int rc = sitekit::cli::main_entry(static_cast<int>(argv.size()), argv.data());
  ::dup2(saved, 1);
  ::close(saved), ::close(null);
  return rc;
}

void BM_Batch100Records(benchmark::State& state) {
  Scratch s;
  ::setenv("PATH", (fs::path(SITERESP_EXE).parent_path().string() + ":" + std::getenv("PATH")).c_str(), 1);
  std::vector<std::string> args = {"sitekit", "run", "--soil", (s.dir / "soil.csv").string(),
                                   "-j", std::to_string(state.range(0)), "--out", (s.dir / "out").string()};
  for (int i = 0; i < 100; ++i) {
    const fs::path p = s.dir / ("rec" + std::to_string(i) + ".csv");
    fs::copy_file(s.dir / "wave.csv", p);
    args.push_back(p.string());
  }
  const double before = children_cpu();
  for (auto _ : state)
    if (sitekit_main(args) != 0) state.SkipWithError("a run failed");
  count_children(state, before);
}
BENCHMARK(BM_Batch100Records)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// A K-NET file of `n` samples at 100 Hz: a decaying 2 Hz wave in counts.
std::string knet(const char* dir, int n) {
  std::string t =
      "Origin Time       2018/01/24 19:51:00\nLat.              41.0\nLong.             142.5\n"
      "Depth. (km)       30\nMag.              6.2\nStation Code      AOM001\n"
      "Station Lat.      41.5267\nStation Long.     140.9244\nStation Height(m) 39\n"
      "Record Time       2018/01/24 19:51:43\nSampling Freq(Hz) 100Hz\n";
  t += "Duration Time(s)  " + std::to_string(n / 100) + "\nDir.              " + dir + "\n";
  t += "Scale Factor      3920(gal)/6182761\nMax. Acc. (gal)   31.705\n";
  t += "Last Correction   2018/01/24 19:51:43\nMemo.             \n";
  char buf[16];
  for (int k = 0; k < n; ++k) {
    const double x = 13000 + 50000 * std::sin(2 * M_PI * 2 * k / 100.0) * std::exp(-k / 20000.0);
    std::snprintf(buf, sizeof buf, "%8ld ", std::lround(x));
    t += buf;
    if (k % 8 == 7 || k == n - 1) t += '\n';
  }
  return t;
}

void BM_ImportTriplet60000(benchmark::State& state) {
  Scratch s;
  for (const char* c : {"NS", "EW", "UD"}) {
    const char* dir = c[0] == 'N' ? "N-S" : c[0] == 'E' ? "E-W" : "U-D";
    std::ofstream(s.dir / (std::string("KNET0001.") + c)) << knet(dir, 60000);
  }
  sitekit::records::ImportOptions o;
  if (state.range(0) == 0) o.length = 300.0;
  else o.resample_dt = 0.02;
  const std::vector<std::string> stem = {(s.dir / "KNET0001").string()};
  for (auto _ : state) {
    auto r = sitekit::records::import_record(stem, o);
    if (!r) {
      state.SkipWithError(r.error().message.c_str());
      break;
    }
    if (!sitekit::records::write_wave((s.dir / "out.csv").string(), r.value()))
      state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_ImportTriplet60000)->Arg(0)->Arg(1)->ArgName("resample")->Unit(benchmark::kMillisecond);

}  // namespace
