#!/usr/bin/env bash
# bench/run.sh BUILD_DIR: times rtfconvert against unrtf on a generated 4 MB RTF file, printing,
# Insert > Image, Find and Replace, and editing big documents and opening unusually shaped ones
# next to an earlier build.
# Each command runs REPS times (default 7), interleaved so that load on the machine falls on
# both alike; the figures are medians of wall-clock time and of CPU time (user + system), and
# the largest resident set size seen.
set -euo pipefail
. "$(dirname "$0")/tools.sh"

build=${1:?usage: bench/run.sh BUILD_DIR}
reps=${REPS:-7}
rtfconvert="$build/tools/rtfconvert"
generator="$build/bench/make_big_rtf"
need_built "$rtfconvert" "$generator"
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

declare -A wall cpu
# row NAME LABEL: one line of a table, and the medians kept in wall[NAME] and cpu[NAME]
row() {
  wall[$1]=$(median 1 "$work/$1.times")
  cpu[$1]=$(median 2 "$work/$1.times")
  local rss
  rss=$(maximum 3 "$work/$1.times")
  printf '%-46s %10s %10s %12s\n' "$2" "${wall[$1]}" "${cpu[$1]}" "$(awk -v k="$rss" 'BEGIN { printf "%.1f", k / 1024 }')"
}
printf '\n%-46s %10s %10s %12s\n' "command" "wall (s)" "CPU (s)" "max RSS (MB)"
row rtfconvert-txt "rtfconvert big.rtf out.txt"
row unrtf-text "unrtf --text big.rtf > /dev/null"
row rtfconvert-rtf "rtfconvert big.rtf out.rtf"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
wallRatio=$(ratio "${wall[rtfconvert-txt]}" "${wall[unrtf-text]}")
cpuRatio=$(ratio "${cpu[rtfconvert-txt]}" "${cpu[unrtf-text]}")
echo
echo "rtfconvert to text / unrtf --text: $wallRatio of the wall-clock time, $cpuRatio of the CPU time (goal: at most 0.25)"

# Printing: a formatted document of about 100 pages printed to PDF as the Print command does,
# against LibreOffice converting the same RTF file to PDF.
printer="$build/bench/print_to_pdf"
need_built "$printer"
command -v soffice >/dev/null || { echo "bench: soffice is missing (scripts/install-deps.sh bench)" >&2; exit 1; }
printReps=${PRINT_REPS:-3}
pages="$work/pages.rtf"
QT_QPA_PLATFORM=offscreen "$generator" "$pages" "${PRINT_MB:-0.43}" headers
# LibreOffice keeps its settings in a profile of the benchmark's own; its first start sets the
# profile up, which is not what is measured, so that run is not timed.
soffice=(soffice "-env:UserInstallation=file://$(realpath "$work")/lo-profile" --headless --convert-to pdf --outdir "$work/lo")
"${soffice[@]}" "$pages" >/dev/null 2>&1
printNames=(print-pdf soffice-pdf)
for name in "${printNames[@]}"; do : >"$work/$name.times"; done
for ((i = 0; i < printReps; i++)); do
  measure print-pdf env QT_QPA_PLATFORM=offscreen "$printer" "$pages" "$work/pages.pdf"
  measure soffice-pdf "${soffice[@]}" "$pages"
done
pageCount() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ { print $2 }'; }
echo
echo "Input: $pages, $(stat -c %s "$pages") bytes; $printReps runs of each command"
echo "Pages: print_to_pdf $(pageCount "$work/pages.pdf"), LibreOffice $(pageCount "$work/lo/pages.pdf")"
printf '%-46s %10s %10s %12s\n' "command" "wall (s)" "CPU (s)" "max RSS (MB)"
row print-pdf "print_to_pdf pages.rtf pages.pdf"
row soffice-pdf "soffice --headless --convert-to pdf pages.rtf"
echo
echo "print_to_pdf / LibreOffice: $(ratio "${wall[print-pdf]}" "${wall[soffice-pdf]}") of the wall-clock time," \
     "$(ratio "${cpu[print-pdf]}" "${cpu[soffice-pdf]}") of the CPU time (goal: at most 0.5)"

# Insert > Image with an 8000 x 6000 photo, step by step (the photo is generated once).
picture="$build/bench/insert_big_picture"
need_built "$picture"
echo
QT_QPA_PLATFORM=offscreen "$picture" "$work" 2>/dev/null
# The Find and Replace dialog: Replace All on 1 MB and Find Next on 4 MB, inside one process.
finder="$build/bench/find_replace_bench"
need_built "$finder"
echo
QT_QPA_PLATFORM=offscreen "$finder" "${FIND_REPS:-5}"
# Editing big documents in the main window and the facade's text services, next to the program
# as it was at BENCH_BASELINE (a commit, built once into BUILD_DIR/baseline by bench/baseline.sh;
# empty to time this build alone).
baseline=${BENCH_BASELINE-2e702a9}
echo
if [ -n "$baseline" ]; then
  before=$(bench/baseline.sh "$baseline" "$build/baseline")
  bench/editing.sh "$build" "$before"
else
  bench/editing.sh "$build"
fi
# Open of a long table and of nested tables, against the same baseline.
bench/shapes.sh "$build" ${baseline:+"$before"}
