#pragma once
// Fourier amplitude spectra of records: the dialogue's transform convention
// (forward exp(-i...), unscaled, then times dt, as in amp1.csv), computed in
// double precision, where the dialogue's single-precision transform leaves
// noise of about 1e-7 of the peak in every bin: a relative error of 1e-3
// where the spectrum is 1e-4 of its peak, which a ratio of two spectra
// shows.
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
