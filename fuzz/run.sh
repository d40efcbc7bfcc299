#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each one for SECONDS (default
# 60), one after the other; given TARGETs, only those are built and run. Each target keeps its
# corpus in build-fuzz/corpus/<target>, so a second run starts where the first stopped. Stops
# with a non-zero exit at the first target that finds something; its input is then in
# build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: fuzz/run.sh [SECONDS [TARGET...]]" >&2
  exit 2
fi
shift $(($# > 0 ? 1 : 0))

# Every target fuzz/CMakeLists.txt makes, in its order.
mapfile -t known < <(sed -n 's/^orvelt_fuzz_target(\([a-z0-9_]*\) .*/\1/p' fuzz/CMakeLists.txt)
targets=("${known[@]}")
if [ $# -gt 0 ]; then
  for target in "$@"; do
    if ! printf '%s\n' "${known[@]}" | grep -qx -- "$target"; then
      echo "fuzz: no target $target (one of: ${known[*]})" >&2
      exit 2
    fi
  done
  targets=("$@")
fi

packages=(cmake ninja-build clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "fuzz: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build="build-fuzz"
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DORVELT_FUZZ=ON >/dev/null
build_targets=()
[ $# -eq 0 ] || build_targets=(--target "${targets[@]}")
nice cmake --build "$build" -j "$(nproc)" "${build_targets[@]}"

# Files that start a target's corpus: what the tests read, and hand-made seeds.
seeds_for() {
  case $1 in
    bib_reader_fuzz) seeds=(tests/data/bib/*.bib) ;;
    rtf_reader_fuzz) seeds=(tests/data/editor/*.orv) ;;
    token_scanner_fuzz | code_page_fuzz | soft_break_fuzz | input_scan_fuzz) seeds=(tests/data/*.tex) ;;
    source_specials_fuzz) seeds=(tests/data/*.tex tests/data/srclinks/*.tex) ;;
    *) seeds=() ;;
  esac
  seeds+=("fuzz/seeds/$1"/*)
}

shopt -s nullglob
mkdir -p "$build/findings" "$build/logs"
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  log=$build/logs/$target.log
  mkdir -p "$corpus"
  seeds_for "$target"
  [ ${#seeds[@]} -eq 0 ] || cp "${seeds[@]}" "$corpus/"
  status=0
  nice "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$target-" "$corpus" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ $status -ne 0 ]; then
    printf '%-20s %10s runs  FOUND (exit %d), see %s\n' "$target" "${runs:-?}" "$status" "$log"
    grep -E '^(SUMMARY|artifact_prefix)' "$log" >&2 || true
    exit 1
  fi
  printf '%-20s %10s runs  nothing found\n' "$target" "${runs:-?}"
done
