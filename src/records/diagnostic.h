#pragma once
// What every reader of sitekit hands back: a value, or the one error that
// stopped it, each naming the file and line it is about.  Turning these into
// messages and exit codes is the command line's business
// ("sitekit: FILE:LINE: MESSAGE"); nothing here prints.
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace sitekit::records {

// An error or a warning.  `line` is 1-based, 0 when the message is about the
// file as a whole (or about no file: then `file` is empty too).  `message`
// is plain and specific, without the file and line, e.g.
//   field 3: "1.2.3" is not a number
//   layer 3 needs a non-zero density
struct Diagnostic {
  std::string file;
  long line = 0;
  std::string message;

  friend bool operator==(const Diagnostic&, const Diagnostic&) = default;
};
using Error = Diagnostic;
using Warnings = std::vector<Diagnostic>;

// A value of T or an Error.  Test with ok() (or contextually as bool), then
// take value() or error(); taking the wrong one is a programming error.
template <typename T>
class Result {
public:
  Result(T value) : v_(std::move(value)) {}
  Result(Error error) : v_(std::move(error)) {}

  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() & { return std::get<0>(v_); }
  const T& value() const& { return std::get<0>(v_); }
  T&& value() && { return std::get<0>(std::move(v_)); }
  const Error& error() const { return std::get<1>(v_); }

private:
  std::variant<T, Error> v_;
};

// For operations that give nothing back but may fail.
struct Done {};
using Status = Result<Done>;
inline Status done() { return Done{}; }

}  // namespace sitekit::records
