#!/usr/bin/env bash
# bench/baseline.sh COMMIT DIR: builds the editing benchmark of this tree against the program as
# it was at COMMIT, so that bench/editing.sh can time both in one run ("before" and "after").
# DIR becomes a detached git worktree at COMMIT (kept between runs: a second run only rebuilds
# what changed), with this tree's benchmark source dropped into it; the build is DIR/build.
set -euo pipefail

commit=${1:?usage: bench/baseline.sh COMMIT DIR}
dir=${2:?usage: bench/baseline.sh COMMIT DIR}
here=$(cd "$(dirname "$0")/.." && pwd)

if [ ! -d "$dir" ]; then
  git -C "$here" worktree add --detach "$dir" "$commit" >/dev/null
fi
[ "$(git -C "$dir" rev-parse HEAD)" = "$(git -C "$here" rev-parse "$commit^{commit}")" ] \
  || { echo "bench: $dir is not at $commit" >&2; exit 1; }

# The benchmark is the same program on both sides: it uses only what both trees offer.
cp "$here/bench/editing_bench.cpp" "$here/bench/Sequence.h" "$here/bench/ScriptedAnswers.h" "$dir/bench/"
grep -q editing_bench "$dir/bench/CMakeLists.txt" || cat >>"$dir/bench/CMakeLists.txt" <<'CMAKE'
add_executable(editing_bench editing_bench.cpp)
target_link_libraries(editing_bench PRIVATE corvala_mainwindow Qt6::Test)
CMAKE
# It asks Qt's layout how far it has come, which takes Qt's private headers.
grep -q 'editing_bench PRIVATE.*GuiPrivate' "$dir/bench/CMakeLists.txt" \
  || echo 'target_link_libraries(editing_bench PRIVATE Qt6::GuiPrivate)' >>"$dir/bench/CMakeLists.txt"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$here")}
cmake -S "$dir" -B "$dir/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON "${launcher[@]}" >/dev/null
cmake --build "$dir/build" -j "$(nproc)" --target editing_bench >/dev/null
echo "$dir/build"
