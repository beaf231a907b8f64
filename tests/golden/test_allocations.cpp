// The processing allocates nothing: a whole run, from the first prompt to the
// last line of "wave1.csv", is made in a child process of this test with
// every operator new (and, outside the sanitizer build, every malloc,
// calloc, realloc and aligned allocation) counted.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include <unistd.h>

#include "driver/run.h"
#include "golden/cases.h"
#include "response/split.h"
#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* counted(std::size_t n) {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
  void* p = std::malloc(n == 0 ? 1 : n);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

}  // namespace

void* operator new(std::size_t n) { return counted(n); }
void* operator new[](std::size_t n) { return counted(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  try {
    return counted(n);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

// The C allocator too, where no sanitizer owns it: glibc's own entry points
// do the work.
#if !defined(__SANITIZE_ADDRESS__)
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);

namespace {
void count_c() {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

void* malloc(std::size_t n) {
  count_c();
  return __libc_malloc(n);
}
void* calloc(std::size_t k, std::size_t n) {
  count_c();
  return __libc_calloc(k, n);
}
void* realloc(void* p, std::size_t n) {
  count_c();
  return __libc_realloc(p, n);
}
void* aligned_alloc(std::size_t a, std::size_t n) {
  count_c();
  return __libc_memalign(a, n);
}
}
#endif

namespace {

// A whole run of the case with allocations counted; the count, or -1.  The
// child reports it on standard error, which a completed run leaves empty.
long allocations_of_run(const golden::CaseFiles& files) {
  testsupport::ScratchDir dir;
  dir.write("wave.csv", files.wave);
  dir.write("soil.csv", files.soil);
  const testsupport::Outcome r = testsupport::run_function(
      [] {
        // As the program does: the helper thread of the sweeps first.
        siteresp::start_sweep_helper();
        counting = true;
        const int status = siteresp::run();
        counting = false;
        dprintf(STDERR_FILENO, "%ld", allocations.load());
        return status;
      },
      testsupport::Options().in(dir.str()).with_input(files.answers));
  EXPECT_EQ(r.code(), 0);
  return r.code() == 0 && !r.err.empty() ? std::stol(r.err) : -1;
}

TEST(Allocations, NoneInAWholeRun) {
  EXPECT_EQ(allocations_of_run(golden::largest()), 0);
  EXPECT_EQ(allocations_of_run(golden::borehole()), 0);
}

// The counter itself works: allocations made while counting are seen, by
// operator new and (outside the sanitizer build) by malloc.
long counted_while(void (*action)()) {
  allocations = 0;
  counting = true;
  action();
  counting = false;
  return allocations.exchange(0);
}

void keep(void* p) { asm volatile("" : : "r"(p) : "memory"); }

TEST(Allocations, CounterSeesAnAllocation) {
  EXPECT_GE(counted_while([] {
    auto* s = new std::string(100, 'x');
    keep(s);
    delete s;
  }), 1);
#if !defined(__SANITIZE_ADDRESS__)
  EXPECT_EQ(counted_while([] {
    void* p = std::malloc(64);
    keep(p);
    std::free(p);
  }), 1);
#endif
}

}  // namespace
