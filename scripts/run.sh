#!/usr/bin/env bash
# Builds Zandor and starts it. Until the window exists this starts zandor-find
# with the arguments given (for example: scripts/run.sh -n '*.txt' ~/Documents).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/bootstrap.sh"
"$root/scripts/build.sh" >&2
exec "$root/build/cli/zandor-find" "$@"
