#pragma once
// Working memory for oscillator histories: tens of megabytes that are
// written once per group and read back at once.  It is left uninitialised
// (every value is written before it is read) and, on Linux, asked for in
// huge pages, so that touching it costs a few page faults, not thousands.
#include <cstddef>

namespace sitekit::spectra::detail {

class Scratch {
public:
  Scratch() = default;
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  ~Scratch() { release(); }

  // At least n doubles; the contents are unspecified.  The pointer stays
  // valid until the next call that asks for more.
  double* reserve(std::size_t n);

private:
  void release();

  double* block_ = nullptr;
  std::size_t bytes_ = 0;
};

}  // namespace sitekit::spectra::detail
