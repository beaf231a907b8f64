#pragma once
// Plain descriptor output shared by the channels, the diagnostics and the
// signal handlers.  Only write(2) is used, so it is async-signal-safe.
#include <cstddef>

namespace siteresp::textio {

// Writes all n bytes, retrying after interruptions and partial writes.
// Returns false (errno set) when the system refuses the rest.
bool write_all(int fd, const char* p, std::size_t n) noexcept;

}  // namespace siteresp::textio
