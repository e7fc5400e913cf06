#!/bin/sh
# Runs the RTF reader's fuzz target for a bounded time on one core:
#   fuzz/run.sh BUILD_DIR [SECONDS]
# The working corpus lives in BUILD_DIR/fuzz-corpus and grows from run to run; it starts from
# the reader's test files and the corpus of real files.
# A crash leaves its input in BUILD_DIR/fuzz-artifacts; add it to tests/data/rtf/regressions.
set -eu
build=${1:?usage: fuzz/run.sh BUILD_DIR [SECONDS]}
seconds=${2:-${FUZZ_SECONDS:-60}}
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
corpus=$build/fuzz-corpus
artifacts=$build/fuzz-artifacts
mkdir -p "$corpus" "$artifacts"
for file in "$repo"/tests/data/rtf/samples/*.rtf "$repo"/tests/data/rtf/regressions/* \
            "$repo"/tests/data/rtf/corpus/*.rtf; do
    [ -f "$file" ] || continue
    # small seeds only: big files slow every run down
    [ "$(wc -c < "$file")" -le 65536 ] && cp -n "$file" "$corpus/" 2>/dev/null || true
done
QT_QPA_PLATFORM=offscreen "$build/fuzz/fuzz_rtf_reader" "$corpus" \
    -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="$artifacts/" -print_final_stats=1
