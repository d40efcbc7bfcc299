#!/usr/bin/env bash
# Sets everything up (packages, build) and starts the editor with the given files.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display. Start it under a virtual one: xvfb-run -a ./run.sh $*" >&2
  exit 1
fi
exec "$here/${ORVELT_BUILD_DIR:-build}/orvelt95" "$@"
