#!/usr/bin/env bash
# Runs every fuzz target of the fuzz build (`cmake --preset fuzz && cmake --build --preset
# fuzz`) over its seed corpus for SECONDS each (default 20), one after the other. Inputs that
# find new code are kept in build-fuzz/fuzz/runs/<target>/corpus, crashes are written to
# build-fuzz/fuzz/runs/<target>/crashes/; any crash fails the run.
#   bash fuzz/run.sh [SECONDS] [TARGET...]
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-20}"
shift || true
build="${SECLOG_FUZZ_BUILD:-$here/build-fuzz}"
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
    targets=(fuzz_reply_rows fuzz_scan_code fuzz_dates fuzz_server_request fuzz_parameters)

passed=0
failed=0
for target in "${targets[@]}"; do
    work="$build/fuzz/runs/$target"
    mkdir -p "$work/corpus" "$work/crashes"
    echo "fuzz: $target for ${seconds}s"
    if "$build/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -dict="$here/fuzz/dict/$target.dict" -artifact_prefix="$work/crashes/" \
        "$work/corpus" "$here/fuzz/corpus/$target" >"$work/log.txt" 2>&1; then
        grep '^Done' "$work/log.txt"
        passed=$((passed + 1))
    else
        tail -n 60 "$work/log.txt"
        echo "fuzz: $target FAILED; the input is in $work/crashes/"
        failed=$((failed + 1))
    fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
