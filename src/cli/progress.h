#pragma once
// What a batch shows while it runs: a short line per finished record on
// standard output and, on a terminal, a status line with the records done
// and failed and an estimate of the time left.
#include <chrono>
#include <cstddef>
#include <mutex>

#include "cli/run_job.h"

namespace sitekit::cli {

class Progress {
 public:
  Progress(std::size_t total, bool status_line);
  ~Progress();
  void finished(const RunRow& row);  // from any worker thread
  std::size_t failed() const { return failed_; }

 private:
  std::string status() const;

  std::mutex lock_;
  std::size_t total_, done_ = 0, failed_ = 0;
  bool status_line_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace sitekit::cli
