#!/usr/bin/env bash
# Sets everything up (packages, build) and runs the whole test suite.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh"
status=0
"$here/scripts/check-format.sh" || status=1
cd "$here/${ORVELT_BUILD_DIR:-build}"
ctest --output-on-failure -j "$(nproc)" || status=1
exit $status
