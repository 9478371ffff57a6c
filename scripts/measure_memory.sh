#!/usr/bin/env bash
# Measures the window's resident memory at start, after a search that lists
# 330,000 rows (300,000 files and 30,000 folders of a generated tree) and
# after a search that finds nothing, offscreen. A measurement, not a test:
# the figures depend on the machine and on what else runs.
#
#   scripts/measure_memory.sh [TREE_DIR]   (default /tmp/zandor-memory-tree)
#
# The tree is made once by zandor-make-tree and reused while it is complete.
set -euo pipefail
cd "$(dirname "$0")/.."
tree=${1:-/tmp/zandor-memory-tree}
ZANDOR_TARGETS="zandor-window-memory zandor-make-tree" scripts/build.sh
build/bench/zandor-make-tree "$tree" --files 300000 --folders 30000 --seed 14 >&2
QT_QPA_PLATFORM=offscreen build/bench/zandor-window-memory "$tree"
