#!/usr/bin/env bash
# Builds everything (installing what is missing) and runs the whole test suite.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
preset="${1:-default}"
bash "$here/scripts/setup.sh" "$preset"
cd "$here"
cmake --build --preset "$preset" --target all_qmllint
ctest --preset "$preset" -j 2 --timeout 300
# Then the fuzz targets, each over its seed corpus for a bounded time; a crash fails the run.
if [ "$preset" = default ]; then
    bash "$here/scripts/setup.sh" fuzz
    bash "$here/fuzz/run.sh" 20
fi
