#include "cli/csv_table.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sitekit::cli {

std::string format_csv(const CsvTable& t) {
  std::string out;
  for (std::size_t c = 0; c < t.heading.size(); ++c) out += (c ? "," : "") + t.heading[c];
  out += '\n';
  const std::size_t rows = t.columns.empty() ? t.row_names.size() : t.columns[0].size();
  for (std::size_t r = 0; r < rows; ++r) {
    if (!t.row_names.empty()) out += t.row_names[r] + (t.columns.empty() ? "" : ",");
    for (std::size_t c = 0; c < t.columns.size(); ++c) {
      if (c) out += ',';
      fmt::format_to(std::back_inserter(out), "{:.7g}", t.columns[c][r]);
    }
    out += '\n';
  }
  return out;
}

std::string write_atomically(const std::filesystem::path& path, const std::string& text) {
  const std::filesystem::path tmp = path.string() + fmt::format(".tmp{}", ::getpid());
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return fmt::format("cannot write {}: {}", path.string(), std::strerror(errno));
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  const int saved = errno;
  const bool closed = ::close(fd) == 0;
  if (done < text.size() || !closed || std::rename(tmp.c_str(), path.c_str()) != 0) {
    const std::string why = std::strerror(done < text.size() ? saved : errno);
    ::unlink(tmp.c_str());
    return fmt::format("cannot write {}: {}", path.string(), why);
  }
  return {};
}

}  // namespace sitekit::cli
