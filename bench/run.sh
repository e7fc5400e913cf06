#!/usr/bin/env bash
# bench/run.sh BUILD_DIR: times rtfconvert against unrtf on a generated 4 MB RTF file.
# Each command runs REPS times (default 7), interleaved so that load on the machine falls on
# both alike; the figures are medians of wall-clock time and of CPU time (user + system), and
# the largest resident set size seen.
set -euo pipefail

build=${1:?usage: bench/run.sh BUILD_DIR}
reps=${REPS:-7}
rtfconvert="$build/tools/rtfconvert"
generator="$build/bench/make_big_rtf"
for tool in "$rtfconvert" "$generator"; do
  [ -x "$tool" ] || { echo "bench: $tool is missing; build first (make build)" >&2; exit 1; }
done
command -v unrtf >/dev/null || { echo "bench: unrtf is missing (scripts/install-deps.sh bench)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "bench: /usr/bin/time is missing (apt-get install time)" >&2; exit 1; }

work="$build/bench-data"
mkdir -p "$work"
big="$work/big.rtf"
QT_QPA_PLATFORM=offscreen "$generator" "$big" 4
echo "Input: $big, $(stat -c %s "$big") bytes; $reps runs of each command"

# measure NAME COMMAND...: one run, appending "wall cpu maxrss_kb" to $work/NAME.times
measure() {
  local name=$1; shift
  /usr/bin/time -o "$work/$name.last" -f "%e %U %S %M" "$@" >/dev/null 2>"$work/$name.stderr" \
    || { echo "bench: $name failed:" >&2; cat "$work/$name.stderr" >&2; exit 1; }
  awk '{ printf "%.3f %.3f %d\n", $1, $2 + $3, $4 }' "$work/$name.last" >>"$work/$name.times"
}

names=(rtfconvert-txt unrtf-text rtfconvert-rtf)
for name in "${names[@]}"; do : >"$work/$name.times"; done
for ((i = 0; i < reps; i++)); do
  measure rtfconvert-txt "$rtfconvert" "$big" "$work/out.txt"
  # unrtf writes each picture it meets into its working directory: keep them with the data.
  measure unrtf-text env -C "$work" unrtf --text big.rtf
  measure rtfconvert-rtf "$rtfconvert" "$big" "$work/out.rtf"
done

# median COLUMN FILE
median() { cut -d' ' -f"$1" "$2" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
maximum() { cut -d' ' -f"$1" "$2" | sort -n | tail -1; }

printf '\n%-46s %10s %10s %12s\n' "command" "wall (s)" "CPU (s)" "max RSS (MB)"
declare -A wall cpu
for name in "${names[@]}"; do
  wall[$name]=$(median 1 "$work/$name.times")
  cpu[$name]=$(median 2 "$work/$name.times")
  rss=$(maximum 3 "$work/$name.times")
  case $name in
    rtfconvert-txt) label="rtfconvert big.rtf out.txt" ;;
    unrtf-text) label="unrtf --text big.rtf > /dev/null" ;;
    rtfconvert-rtf) label="rtfconvert big.rtf out.rtf" ;;
  esac
  printf '%-46s %10s %10s %12s\n' "$label" "${wall[$name]}" "${cpu[$name]}" "$(awk -v k="$rss" 'BEGIN { printf "%.1f", k / 1024 }')"
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
wallRatio=$(ratio "${wall[rtfconvert-txt]}" "${wall[unrtf-text]}")
cpuRatio=$(ratio "${cpu[rtfconvert-txt]}" "${cpu[unrtf-text]}")
echo
echo "rtfconvert to text / unrtf --text: $wallRatio of the wall-clock time, $cpuRatio of the CPU time (goal: at most 0.25)"

# Insert > Image with an 8000 x 6000 photo, step by step (the photo is generated once).
picture="$build/bench/insert_big_picture"
[ -x "$picture" ] || { echo "bench: $picture is missing; build first (make build)" >&2; exit 1; }
echo
QT_QPA_PLATFORM=offscreen "$picture" "$work" 2>/dev/null
# The Find and Replace dialog: Replace All on 1 MB and Find Next on 4 MB, inside one process.
finder="$build/bench/find_replace_bench"
[ -x "$finder" ] || { echo "bench: $finder is missing; build first (make build)" >&2; exit 1; }
echo
QT_QPA_PLATFORM=offscreen "$finder" "${FIND_REPS:-5}"
