#pragma once
// Fourier amplitude spectra of records, with the transform the dialogue
// uses for amp1.csv, so that observed spectra and the model's share one
// transform.
#include <vector>

namespace sitekit::cli {

struct AmplitudeSpectrum {
  std::vector<double> freq;  // k / (nf dt), k = 0 .. nf/2 (the Nyquist bin)
  std::vector<double> amp;   // |FFT(x)| dt
};

// The record zero-padded to nf samples (a power of two >= its length).
AmplitudeSpectrum fourier_amplitude(const std::vector<double>& x, double dt, int nf);

// Smallest power of two >= n, at least 4.
int padded_length(std::size_t n);

}  // namespace sitekit::cli
