#!/usr/bin/env bash
# bench/editing.sh BUILD_DIR [BEFORE_BUILD_DIR]: editing big documents in the main window, and the
# facade's text services on a 100,000-line plain-text file (bench/editing_bench.cpp), on one
# build or on two side by side. With two builds, their runs alternate, so
# that the load on the machine falls on both alike. Prints a Markdown table of CPU times (the
# median of the runs' figures), the worst key of each run, and the peaks of the resident set.
# Documents: 10 KB, 4 MB and 16 MB of make_big_rtf with lists and tables (EDIT_SIZES to change).
# Each document is timed by every mode of editing_bench in WINDOW_MODES, a process each; a new
# mode (a function of editing_bench.cpp) is added there, and its steps show up in the table.
set -euo pipefail
. "$(dirname "$0")/tools.sh"

after=${1:?usage: bench/editing.sh BUILD_DIR [BEFORE_BUILD_DIR]}
before=${2:-}
reps=${EDIT_REPS:-1}
sizes=(${EDIT_SIZES:-0.01 4 16})
modes=(${WINDOW_MODES:-window typing steady})
lines=${FACADE_LINES:-100000}
generator="$after/bench/make_big_rtf"
need_built "$generator" "$after/bench/editing_bench" ${before:+"$before/bench/editing_bench"}

work="$after/bench-data/editing"
mkdir -p "$work"
rm -f "$work"/*.tsv
for size in "${sizes[@]}"; do
  QT_QPA_PLATFORM=offscreen "$generator" "$work/doc-$size.rtf" "$size" structure
done

sides=(after)
[ -n "$before" ] && sides=(before after)
dirOf() { if [ "$1" = before ]; then echo "$before"; else echo "$after"; fi; }
# run SIDE NAME ARGS...: one run of the benchmark, its lines kept in $work/SIDE-NAME-REP.tsv
run() {
  local side=$1 name=$2; shift 2
  QT_QPA_PLATFORM=offscreen "$(dirOf "$side")/bench/editing_bench" "$@" >"$work/$side-$name-$rep.tsv" \
    2>"$work/$side-$name-$rep.log" || { echo "bench: $side $name failed:" >&2; cat "$work/$side-$name-$rep.log" >&2; exit 1; }
}
for ((rep = 0; rep < reps; rep++)); do
  for mode in "${modes[@]}"; do
    for size in "${sizes[@]}"; do
      for side in "${sides[@]}"; do run "$side" "$mode-$size" "$mode" "$work/doc-$size.rtf"; done
    done
  done
  for side in "${sides[@]}"; do run "$side" facade facade "$lines" "$work"; done
done

# figure SIDE NAME STEP COLUMN: the median over the runs of one column of one step
figure() {
  cat "$work/$1-$2-"*.tsv | awk -F'\t' -v step="$3" -v col="$4" '$1 == step { print $col }' | sort -n \
    | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)]; else print "" }'
}
cell() { # SIDE NAME STEP: "median (worst)" CPU ms, the worst only for steps done many times
  local m w
  m=$(figure "$1" "$2" "$3" 2); w=$(figure "$1" "$2" "$3" 3)
  if [ -z "$m" ]; then echo "-"; elif [ "$m" = "$w" ]; then printf '%.1f' "$m"; else printf '%.1f (%.1f)' "$m" "$w"; fi
}
peak() { local p; p=$(figure "$1" "$2" "$3" 6); [ -n "$p" ] && printf '%.0f' "$p" || echo "-"; }

header="| step | document | CPU ms after (worst) | peak MB after |"
rule="|---|---|---|---|"
[ -n "$before" ] && header="| step | document | CPU ms before (worst) | CPU ms after (worst) | peak MB before | peak MB after |" \
  && rule="|---|---|---|---|---|---|"
row() { # NAME LABEL STEP
  if [ -n "$before" ]; then
    echo "| $3 | $2 | $(cell before "$1" "$3") | $(cell after "$1" "$3") | $(peak before "$1" "$3") | $(peak after "$1" "$3") |"
  else
    echo "| $3 | $2 | $(cell after "$1" "$3") | $(peak after "$1" "$3") |"
  fi
}
echo
echo "$header"
echo "$rule"
# The steps of a mode, in the order its runs print them.
stepsOf() { cat "$work/after-$1-${sizes[-1]}-0.tsv" | awk -F'\t' 'NF > 2 { print $1 }'; }
for mode in "${modes[@]}"; do
  while IFS= read -r step; do
    for size in "${sizes[@]}"; do
      bytes=$(stat -c %s "$work/doc-$size.rtf")
      label=$(awk -v b="$bytes" 'BEGIN { if (b < 1048576) printf "%.0f KB", b / 1024; else printf "%.0f MB", b / 1048576 }')
      row "$mode-$size" "$label" "$step"
    done
  done < <(stepsOf "$mode")
done
facadeSteps=("editing area's plain-text load" "  plain-text load: rest of the layout"
             "New (empty document)" "  New: rest of the layout" "facade LoadFromFile" "  LoadFromFile: rest of the layout"
             "facade setText" "  setText: rest of the layout" "facade ForeColor" "  ForeColor: rest of the layout"
             "facade Convert (upper case)" "  Convert: rest of the layout" "facade Copy all" "  Copy all: rest of the layout"
             "facade Paste all" "  Paste all: rest of the layout")
for step in "${facadeSteps[@]}"; do row facade "$lines lines" "$step"; done

# The goals, within the run: ratios of the figures above.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
big=${sizes[-1]}
small=${sizes[0]}
echo
for side in "${sides[@]}"; do
  worstKey=0
  for step in "typed key at the start" "typed key in the middle" "typed key at the end" "Enter at the start" "Undo of one key" "Redo of one key"; do
    worstKey=$(awk -v a="$worstKey" -v b="$(figure "$side" "window-$big" "$step" 3)" 'BEGIN { print (b > a ? b : a) }')
  done
  plain=$(figure "$side" facade "editing area's plain-text load" 2)
  fileMb=$(awk -v b="$(stat -c %s "$work/doc-$big.rtf")" 'BEGIN { printf "%.1f", b / 1048576 }')
  echo "- $side: in the $fileMb MB document, keys typed from the moment it shows after Open: median" \
    "$(figure "$side" "typing-$big" "typed key right after Open" 2) ms, worst $(figure "$side" "typing-$big" "typed key right after Open" 3) ms;" \
    "longest pass of the event loop meanwhile $(figure "$side" "typing-$big" "  event-loop pass between keys" 3) ms (goal: no key 16 ms or more);" \
    "worst key, Enter, Undo or Redo once laid out $worstKey ms;" \
    "key at the start $(ratio "$(figure "$side" "window-$big" "typed key at the start" 2)" "$(figure "$side" "window-$small" "typed key at the start" 2)")x the $small MB key (goal 2);" \
    "peak $(figure "$side" "window-$big" "first line query after Open" 6) MB open and laid out (goal 64)," \
    "$(figure "$side" "window-$big" "Save As RTF" 6) MB after Copy all and Save As (goal 120);" \
    "Select All $(figure "$side" "window-$big" "Select All" 2) ms (goal under 10);" \
    "Copy all $(ratio "$(figure "$side" "window-$big" "Copy all" 2)" "$(figure "$side" "window-$big" "Save As RTF" 2)")x Save As (goal 1.5);" \
    "LoadFromFile, setText, ForeColor, Convert $(ratio "$(figure "$side" facade "facade LoadFromFile" 2)" "$plain")," \
    "$(ratio "$(figure "$side" facade "facade setText" 2)" "$plain"), $(ratio "$(figure "$side" facade "facade ForeColor" 2)" "$plain")," \
    "$(ratio "$(figure "$side" facade "facade Convert (upper case)" 2)" "$plain")x the plain-text load (goal 2)."
  echo "- $side: worst key during a recovery write in the $big MB document $(figure "$side" "window-$big" "typed key during a recovery write" 3) ms (goal under 16)."
  if [ -f "$work/$side-steady-$big-0.tsv" ]; then
    echo "- $side: steady typing with copies on their own timing in the $big MB document: worst key" \
      "$(figure "$side" "steady-$big" "steady typing with copies: typed key" 3) ms, the key or pass that starts a copy" \
      "$(figure "$side" "steady-$big" "  steady typing with copies: key or pass that starts a copy" 3) ms at worst;" \
      "without copies, worst key $(figure "$side" "steady-$big" "steady typing, no copies: typed key" 3) ms (goal: no key 16 ms or more)."
  fi
done

# Spelling off and on in the biggest document, one process each, alternating (editing_bench
# spelling): what spelling adds to Open, to a key with the check it causes, and to a page down.
spellRun() { # SIDE REP
  QT_QPA_PLATFORM=offscreen "$after/bench/editing_bench" spelling "$work/doc-$big.rtf" "$1" \
    >"$work/spelling-$1-$2.tsv" 2>"$work/spelling-$1-$2.log" \
    || { echo "bench: spelling $1 failed (no hunspell-en-us?):" >&2; cat "$work/spelling-$1-$2.log" >&2; return 0; }
}
for ((rep = 0; rep < reps; rep++)); do spellRun off "$rep"; spellRun on "$rep"; done
if ls "$work"/spelling-on-*.tsv >/dev/null 2>&1 && [ -s "$(ls "$work"/spelling-on-*.tsv | head -1)" ]; then
  echo
  echo "| step, $big MB document | CPU ms spelling off (worst) | CPU ms spelling on (worst) | on / off |"
  echo "|---|---|---|---|"
  for step in "Open until first paint" "first check after Open" "typed key at the start" "  its check: typed key at the start" \
              "typed key in the middle" "  its check: typed key in the middle" "page down" "  its check: page down"; do
    offStep="$step (spelling off)"; onStep="$step (spelling on)"
    case "$step" in "  its check: "*) offStep="  its check: ${step#  its check: } (spelling off)"; onStep="  its check: ${step#  its check: } (spelling on)" ;; esac
    off=$(figure spelling "off" "$offStep" 2); on=$(figure spelling "on" "$onStep" 2)
    echo "| $step | $(cell spelling off "$offStep") | $(cell spelling on "$onStep") | $(ratio "$on" "$off") |"
  done
fi
