#pragma once
// One reader per format, on the lines of one file.  Internal to the library;
// read_components() chooses among them.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "component.h"
#include "diagnostic.h"

namespace sitekit::records {

using Lines = std::vector<std::string_view>;
using Components = std::vector<Component>;

Result<Components> read_knet(const Lines& lines, const std::string& file);
Result<Components> read_at2(const Lines& lines, const std::string& file);
Result<Components> read_smc(const Lines& lines, const std::string& file);
Result<Components> read_cosmos(const Lines& lines, const std::string& file);
Result<Components> read_csmip(const Lines& lines, const std::string& file);
Result<Components> read_esm(const Lines& lines, const std::string& file);
Result<Components> read_wave_components(std::string_view content, const std::string& file);

// A single channel as the readers' result (an initialiser list would copy
// its samples).
inline Components one(Component c) {
  Components out;
  out.push_back(std::move(c));
  return out;
}

// Detection on lines: the format whose marks the first lines carry.
Format detect_lines(const Lines& lines);

}  // namespace sitekit::records
