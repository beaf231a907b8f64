#pragma once
// Fixed capacities of the run's working storage.

namespace siteresp {

// Samples per channel and frequency points per spectrum.  Large enough for
// every transform length the run admits (up to 2**15), so a record of up to
// 32,768 rows is processed without touching memory outside an array.
inline constexpr int mom = 32768;

// Layers of a soil profile, the half-space included.
inline constexpr int ml = 50;

// Largest transform length: 2**15.
inline constexpr int max_nf = 32768;

}  // namespace siteresp
