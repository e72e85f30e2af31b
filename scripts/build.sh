#!/usr/bin/env bash
# Configures and builds into build/ (or $TERVIX_BUILD_DIR) with the given build
# type; further arguments name the targets to build (default: everything).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
type="${1:-Release}"
shift || true
build="${TERVIX_BUILD_DIR:-$root/build}"
jobs="${TERVIX_JOBS:-$(nproc)}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$build" -j "$jobs" "${targets[@]}"
