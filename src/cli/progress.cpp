#include "cli/progress.h"

#include <fmt/format.h>

#include <cmath>

#include "cli/diagnostic.h"

namespace sitekit::cli {

Progress::Progress(std::size_t total, bool status_line) : total_(total), status_line_(status_line) {
  if (status_line_) set_status_line(status());
}

Progress::~Progress() {
  if (status_line_) set_status_line("");
}

std::string Progress::status() const {
  std::string s = fmt::format("[{}/{}] {} ok, {} failed", done_, total_, done_ - failed_, failed_);
  if (done_ == 0 || done_ == total_) return s;
  // Runs take about the same time each: the rate so far predicts the rest.
  const double spent =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  const double left = spent / static_cast<double>(done_) * static_cast<double>(total_ - done_);
  return s + fmt::format(", about {} s left", static_cast<long>(std::ceil(left)));
}

void Progress::finished(const RunRow& row) {
  std::lock_guard<std::mutex> guard(lock_);
  ++done_;
  if (!row.ok) ++failed_;
  if (row.ok)
    say(fmt::format("ok      {} -> {}/ ({:.2f} s)", row.name, row.folder.string(), row.seconds));
  else
    say(fmt::format("failed  {}", row.name));
  if (status_line_) set_status_line(status());
}

}  // namespace sitekit::cli
