// The processing allocates nothing: a whole run, from the first prompt to the
// last line of "wave1.csv", is made in a child process of this test with
// every operator new (and, outside the sanitizer build, every malloc,
// calloc, realloc and aligned allocation) counted.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "golden/cases.h"
#include "golden/in_process.h"
#include "support/child.h"

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

// A whole run of the case with allocations counted; the count, or -1.
long allocations_of_run(const golden::CaseFiles& files) {
  testsupport::TempDir dir;
  dir.write("wave.csv", files.wave);
  dir.write("soil.csv", files.soil);
  dir.write("answers.txt", files.answers);
  const golden::InProcess r = golden::run_in_process(
      dir.str(), [] { counting = true; },
      [] {
        counting = false;
        return allocations.load();
      });
  EXPECT_TRUE(r.ok);
  return r.value;
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
