// Which files a record argument names: K-NET and KiK-net triplets from a
// base name or one of their files; the run folder's name.
#include <sys/stat.h>

#include <algorithm>
#include <array>

#include <fmt/format.h>

#include "record.h"
#include "text.h"

namespace sitekit::records {

namespace {

bool is_file(const std::string& p) {
  struct stat st {};
  return ::stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string_view base(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// "X.NS" -> {"X", "NS"}; no extension -> {"X", ""}.
std::pair<std::string, std::string> split_ext(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < path.size() - base(path).size()) return {path, ""};
  return {path.substr(0, dot), path.substr(dot + 1)};
}

// The triplet STEM.NS/.EW/.UD with `digit` after each ("" K-NET, "1"
// KiK-net borehole, "2" KiK-net surface): those that exist.
std::vector<std::string> triplet(const std::string& stem, std::string_view digit) {
  std::vector<std::string> out;
  for (std::string_view e : {"NS", "EW", "UD"}) {
    const std::string p = fmt::format("{}.{}{}", stem, e, digit);
    if (is_file(p)) out.push_back(p);
  }
  return out;
}

std::string_view sensor_digit(std::optional<Sensor> s, std::string_view named) {
  if (s) return *s == Sensor::borehole ? "1" : "2";
  return named.empty() ? "2" : named;
}

}  // namespace

Result<std::vector<std::string>> expand_record_files(const std::vector<std::string>& args,
                                                     std::optional<Sensor> sensor) {
  if (args.size() != 1) return args;
  const std::string& a = args[0];
  const auto [stem, ext] = split_ext(a);
  const std::string e = text::upper(ext);
  const bool nied = e.size() >= 2 && (e.substr(0, 2) == "NS" || e.substr(0, 2) == "EW" || e.substr(0, 2) == "UD") &&
                    (e.size() == 2 || (e.size() == 3 && (e[2] == '1' || e[2] == '2')));
  if (is_file(a)) {
    if (!nied) return args;
    const auto t = triplet(stem, e.size() == 2 ? "" : sensor_digit(sensor, e.substr(2)));
    return t.empty() ? args : t;
  }
  if (auto t = triplet(a, ""); !t.empty()) return t;
  if (auto t = triplet(a, sensor_digit(sensor, "")); !t.empty()) return t;
  const std::string_view d = sensor_digit(sensor, "");
  return Error{a, 0, fmt::format("no such file, nor {0}.NS/.EW/.UD, nor {0}.NS{1}/.EW{1}/.UD{1}", a, d)};
}

std::string record_name(const std::vector<std::string>& files) {
  if (files.empty()) return "record";
  auto stem = [](const std::string& f) { return std::string(base(split_ext(f).first)); };
  const std::string first = stem(files[0]);
  std::string common = first;
  for (const std::string& f : files) {
    const std::string b = stem(f);
    std::size_t k = 0;
    while (k < common.size() && k < b.size() && common[k] == b[k]) ++k;
    common.resize(k);
  }
  // A prefix that ends inside a token ("RSN8883_14383980_13849" of
  // ..._13849090 and ..._13849360) names nothing: go back to the last whole
  // token.
  auto separator = [](char c) { return c == '_' || c == '-' || c == '.'; };
  bool inside_token = false;
  for (const std::string& f : files) {
    const std::string b = stem(f);
    if (b.size() > common.size() && !separator(b[common.size()])) inside_token = true;
  }
  if (inside_token) {
    std::size_t k = common.size();
    while (k > 0 && !separator(common[k - 1])) --k;
    if (k > 0) common.resize(k);
  }
  while (!common.empty() && separator(common.back())) common.pop_back();
  return common.empty() ? first : common;
}

}  // namespace sitekit::records
