#!/usr/bin/env bash
# The randomized layout comparison run longer than on every change: several sequences of a few
# thousand changes each, in every wrap mode, each compared with a fresh layout as it goes. A
# drift that shows only after hundreds of changes is found here. A few minutes on two cores.
# Usage: scripts/test-layout-long.sh [BUILD [JOBS]]
# CORVALA_LAYOUT_SEEDS and CORVALA_LAYOUT_CHANGES, when set, take the place of the ones below.
set -euo pipefail
build=${1:-build}
jobs=${2:-$(nproc)}
cmake --build "$build" -j "$jobs" --target richtextbox_tests
export QT_QPA_PLATFORM=offscreen
export CORVALA_LAYOUT_SEEDS=${CORVALA_LAYOUT_SEEDS:-101,3003,7,42,65537}
export CORVALA_LAYOUT_CHANGES=${CORVALA_LAYOUT_CHANGES:-2000}
# The runs share the cores, each a part of them (GoogleTest's shards); each writes its own log,
# shown when it fails.
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
pids=()
for ((shard = 0; shard < jobs; ++shard)); do
    GTEST_TOTAL_SHARDS=$jobs GTEST_SHARD_INDEX=$shard \
        "$build/tests/platform/richtextbox_tests" --gtest_filter='WrapModes/EditingLayoutRandomTest.*' \
        >"$logs/$shard.log" 2>&1 &
    pids+=($!)
done
failed=0
for ((shard = 0; shard < jobs; ++shard)); do
    if ! wait "${pids[$shard]}"; then
        cat "$logs/$shard.log"
        failed=1
    fi
done
if ((failed)); then
    echo "The layout made change by change drifted from a fresh one (seeds $CORVALA_LAYOUT_SEEDS)."
    exit 1
fi
echo "Seeds $CORVALA_LAYOUT_SEEDS, $CORVALA_LAYOUT_CHANGES changes each, in every wrap mode: every layout as when laid out afresh."
