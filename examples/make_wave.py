#!/usr/bin/env python3
"""Writes wave.csv, the bundled example record of siteresp.

A synthetic three-channel accelerogram (cm/s/s) of 40.96 s at 0.01 s: band-
limited noise made of many sinusoids with random phases, shaped by a build-up,
strong-motion and decay envelope.  The vertical channel is weaker and richer
in high frequencies, as recorded vertical motion usually is.  The random
generator is seeded, so the file is the same on every run.
"""
import math
import random

DT = 0.01
ROWS = 4096
rng = random.Random(20261208)


def envelope(t):
    """Rise to 1 by 4 s, strong phase to 12 s, exponential decay after."""
    if t < 4.0:
        return (t / 4.0) ** 2
    if t < 12.0:
        return 1.0
    return math.exp(-0.35 * (t - 12.0))


def channel(peak, f_lo, f_hi, count=60):
    """Sum of `count` sinusoids between f_lo and f_hi Hz, scaled to `peak`."""
    comps = []
    for _ in range(count):
        f = math.exp(rng.uniform(math.log(f_lo), math.log(f_hi)))
        comps.append((f, rng.uniform(0.0, 2.0 * math.pi), rng.uniform(0.5, 1.0)))
    raw = []
    for i in range(ROWS):
        t = i * DT
        s = sum(a * math.sin(2.0 * math.pi * f * t + p) for f, p, a in comps)
        raw.append(envelope(t) * s)
    scale = peak / max(abs(v) for v in raw)
    return [v * scale for v in raw]


def main():
    h1 = channel(120.0, 0.4, 12.0)
    h2 = channel(95.0, 0.4, 12.0)
    v1 = channel(55.0, 1.0, 20.0)
    with open("wave.csv", "w", newline="\n") as f:
        f.write("time,H1,H2,V1\n")
        for i in range(ROWS):
            row = [f"{v:.4f}".replace("-0.0000", "0.0000") for v in (h1[i], h2[i], v1[i])]
            f.write(f"{i * DT:.2f}," + ",".join(row) + "\n")


if __name__ == "__main__":
    main()
