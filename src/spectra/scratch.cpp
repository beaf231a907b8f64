#include "spectra/scratch.h"

#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace sitekit::spectra::detail {
namespace {

constexpr std::size_t huge_page = std::size_t{2} << 20;

std::size_t rounded_up(std::size_t bytes) { return (bytes + huge_page - 1) / huge_page * huge_page; }

}  // namespace

void Scratch::release() {
  if (!block_) return;
#if defined(__linux__)
  munmap(block_, bytes_);
#else
  ::operator delete(block_, std::align_val_t{huge_page});
#endif
  block_ = nullptr;
  bytes_ = 0;
}

double* Scratch::reserve(std::size_t n) {
  if (n * sizeof(double) <= bytes_) return block_;
  const std::size_t bytes = rounded_up(n * sizeof(double));
  release();
#if defined(__linux__)
  // Anonymous memory from mmap is aligned to a page only; ask for one huge
  // page more and trim, so that the block starts on a huge-page boundary.
  void* raw = mmap(nullptr, bytes + huge_page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) throw std::bad_alloc();
  const auto at = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t start = (at + huge_page - 1) / huge_page * huge_page;
  if (start > at) munmap(raw, start - at);
  if (start + bytes < at + bytes + huge_page) munmap(reinterpret_cast<void*>(start + bytes), at + huge_page - start);
  madvise(reinterpret_cast<void*>(start), bytes, MADV_HUGEPAGE);
  block_ = reinterpret_cast<double*>(start);
#else
  block_ = static_cast<double*>(::operator new(bytes, std::align_val_t{huge_page}));
#endif
  bytes_ = bytes;
  return block_;
}

}  // namespace sitekit::spectra::detail
