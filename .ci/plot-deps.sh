#!/usr/bin/env bash
# Installs GNU Octave (command-line only, no recommended extras) for the
# plotting test when the machine lacks it. Safe to run when it is present.
set -euo pipefail
if command -v octave-cli >/dev/null 2>&1; then
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends octave
