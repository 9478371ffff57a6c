#!/usr/bin/env bash
# Configures and builds Zandor into build/ (or $ZANDOR_BUILD_DIR). Arguments
# are passed to the configure step; $ZANDOR_TARGETS limits what is built.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${ZANDOR_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DZANDOR_WERROR=ON "$@" >/dev/null
targets=()
for target in ${ZANDOR_TARGETS:-}; do
  targets+=(--target "$target")
done
cmake --build "$build_dir" -j "$(nproc)" "${targets[@]}"
