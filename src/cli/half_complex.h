#pragma once
// FFTW's real transforms in double precision, in its half-complex layout,
// with the one pair of arrays that every transform of a caller goes
// through: a fresh page costs more here than the arithmetic on it, and
// half-complex plans take a third of the planning time that real-to-complex
// ones do.
//
// Conventions, those of the dialogue's transform: forward exp(-i...),
// backward exp(+i...), neither scaled.  Half-complex order: h[k] = Re X_k
// for k <= nf/2, h[nf - k] = Im X_k for 0 < k < nf/2.
#include <complex>
#include <cstddef>

typedef struct fftw_plan_s* fftw_plan;

namespace sitekit::cli {

class HalfComplex {
 public:
  // Plans for length nf (any length; powers of two are fastest).  Planning
  // is serialised: FFTW's planner is not thread-safe.
  explicit HalfComplex(int nf);
  ~HalfComplex();
  HalfComplex(const HalfComplex&) = delete;
  HalfComplex& operator=(const HalfComplex&) = delete;

  int size() const { return nf_; }
  // The series: written before `forward`, read after `backward`.  Each
  // transform may use its input as scratch.
  double* series() const { return x_; }
  void forward() const;   // series -> bins
  void backward() const;  // bins -> series

  std::complex<double> bin(int k) const {
    return {h_[k], k == 0 || 2 * k == nf_ ? 0.0 : h_[nf_ - k]};
  }
  void set_bin(int k, std::complex<double> b) const {
    h_[k] = b.real();
    if (k != 0 && 2 * k != nf_) h_[nf_ - k] = b.imag();
  }

 private:
  int nf_;
  double *x_ = nullptr, *h_ = nullptr;
  fftw_plan forward_ = nullptr, backward_ = nullptr;
};

}  // namespace sitekit::cli
