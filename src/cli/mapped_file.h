#pragma once
// A file mapped into memory, read-only, for the time of one reading.  For
// files sitekit itself has just written into a run folder: their pages are
// in memory already, and no one else writes to them while the folder is
// being built (a file that shrinks under a mapping would end the reader).
#include <cstddef>
#include <filesystem>
#include <string_view>

namespace sitekit::cli {

class MappedFile {
public:
  // Empty (ok() false) when the file cannot be opened or mapped, or is empty.
  explicit MappedFile(const std::filesystem::path& p);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  bool ok() const { return data_ != nullptr; }
  std::string_view text() const { return {data_, size_}; }

private:
  const char* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace sitekit::cli
