#pragma once
// A run folder appears whole or not at all: it is built under a temporary
// name beside its final place and renamed into place when complete.
#include <sys/types.h>

#include <filesystem>
#include <string>

namespace sitekit::cli {

// A fresh, empty folder beside `final_dir` (same parent, so the rename
// stays within one file system), named ".NAME.tmp-XXXXXX".  Removed with
// everything in it when the object goes away, unless publish() succeeded.
class StagedFolder {
 public:
  explicit StagedFolder(const std::filesystem::path& final_dir);
  ~StagedFolder();
  StagedFolder(const StagedFolder&) = delete;
  StagedFolder& operator=(const StagedFolder&) = delete;

  bool ok() const { return !path_.empty(); }
  const std::string& error() const { return error_; }  // why it could not be made
  const std::filesystem::path& path() const { return path_; }

  // Moves the folder to its final name.  An older folder there is swapped
  // out in one step (renameat2 RENAME_EXCHANGE) and then removed, so the
  // final name always holds one whole run, the old or the new.  Returns an
  // empty string or the reason for failing.
  std::string publish();

 private:
  std::filesystem::path final_, path_;
  std::string error_;
  bool published_ = false;
};

// The process's file-creation mask, read once (main_entry reads it before
// any thread starts, since reading it means setting it for a moment).
mode_t process_umask();

// Writes `content` to `path` whole or not at all (temporary name, rename).
// Returns an empty string or the reason for failing.
std::string write_file_atomically(const std::filesystem::path& path, const std::string& content);

}  // namespace sitekit::cli
