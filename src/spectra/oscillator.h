#pragma once
// The single-degree-of-freedom oscillator u'' + 2 zeta w u' + w^2 u = -a(t),
// u(0) = u'(0) = 0, with a(t) linear between samples: the exact
// piecewise-linear recurrence of Nigam and Jennings.
//
// Where dt/T is large the peak falls between samples and is missed, so the
// recurrence runs at a sub-step dt/m with m = ceil(10 dt / T); the input is
// linear inside each step anyway, so sub-stepping only samples the exact
// response more finely.

namespace sitekit::spectra {

// One step h of the recurrence: state (u, v) and the input at both ends of
// the step, a0 and a1:
//   u' = a11 u + a12 v + b11 a0 + b12 a1
//   v' = a21 u + a22 v + b21 a0 + b22 a1
struct StepCoefficients {
  double a11, a12, a21, a22, b11, b12, b21, b22;
};

// omega > 0, 0 <= zeta < 1, h > 0.
StepCoefficients nigam_jennings(double omega, double zeta, double h);

// m = ceil(10 dt / T), at least 1.
int substeps(double dt, double period);

}  // namespace sitekit::spectra
