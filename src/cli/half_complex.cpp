#include "cli/half_complex.h"

#include <fftw3.h>

#include <mutex>
#include <new>

namespace sitekit::cli {
namespace {

std::mutex& planning() {
  static std::mutex m;
  return m;
}

double* fftw_doubles(int n) {
  auto* p = static_cast<double*>(fftw_malloc(static_cast<std::size_t>(n) * sizeof(double)));
  if (!p) throw std::bad_alloc();
  return p;
}

}  // namespace

HalfComplex::HalfComplex(int nf) : nf_(nf) {
  x_ = fftw_doubles(nf);
  try {
    h_ = fftw_doubles(nf);
  } catch (...) {
    fftw_free(x_);
    throw;
  }
  const std::lock_guard<std::mutex> lock(planning());
  // Every transform's input is written afresh, so it may be used as
  // scratch: no buffer is copied or allocated per transform.
  forward_ = fftw_plan_r2r_1d(nf, x_, h_, FFTW_R2HC, FFTW_ESTIMATE | FFTW_DESTROY_INPUT);
  backward_ = fftw_plan_r2r_1d(nf, h_, x_, FFTW_HC2R, FFTW_ESTIMATE | FFTW_DESTROY_INPUT);
}

HalfComplex::~HalfComplex() {
  {
    const std::lock_guard<std::mutex> lock(planning());
    fftw_destroy_plan(forward_);
    fftw_destroy_plan(backward_);
  }
  fftw_free(x_);
  fftw_free(h_);
}

void HalfComplex::forward() const { fftw_execute(forward_); }
void HalfComplex::backward() const { fftw_execute(backward_); }

}  // namespace sitekit::cli
