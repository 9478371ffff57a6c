#!/usr/bin/env bash
# Builds Zandor and starts its window. (The terminal search is
# build/cli/zandor-find once built.)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/bootstrap.sh"
"$root/scripts/build.sh" >&2
exec "$root/build/app/zandor" "$@"
