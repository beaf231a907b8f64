#pragma once
// Work split over a few threads: thread t takes indices t, t + T, t + 2T, ...
// Each index writes only its own results, so no locking is needed.
#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

namespace sitekit::spectra {

// body(i, t) also learns which thread t < threads runs it, so that it can
// use working memory of that thread's own.
template <typename Body>
void for_each_index_of(std::size_t n, unsigned threads, Body body) {
  const std::size_t t_count = std::max<std::size_t>(1, std::min<std::size_t>(threads, n));
  auto worker = [&](std::size_t t) {
    for (std::size_t i = t; i < n; i += t_count) body(i, t);
  };
  std::vector<std::jthread> pool;
  for (std::size_t t = 1; t < t_count; ++t) pool.emplace_back(worker, t);
  worker(0);
}

template <typename Body>
void for_each_index(std::size_t n, unsigned threads, Body body) {
  for_each_index_of(n, threads, [&](std::size_t i, std::size_t) { body(i); });
}

}  // namespace sitekit::spectra
