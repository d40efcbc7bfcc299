#!/usr/bin/env bash
# Sets everything up (packages, build) and runs the whole test suite.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh"
cd "$here/${ORVELT_BUILD_DIR:-build}"
ctest --output-on-failure -j "$(nproc)"
