#!/bin/sh
# How the folders of src/ include each other.
#
# Counts the includes of the project's own headers (a quoted include naming a file under src/)
# between folders, lowest layer first as cmake/Layers.txt orders them, and marks each count that
# runs against the layers: from a folder to one that is not below it. Then lists the folders
# that include each other, directly or round a longer circle, and the files that do (a file
# being a header and its source together). Exits 1 when it finds any of these.
#
# usage: scripts/include-survey.sh [SRC_DIR [LAYERS]]
#   SRC_DIR  default src
#   LAYERS   default cmake/Layers.txt
set -eu

src=${1:-src}
layers=${2:-cmake/Layers.txt}
[ -d "$src" ] || { echo "include-survey: no folder $src" >&2; exit 2; }
[ -f "$layers" ] || { echo "include-survey: no $layers" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every include of ours, as "FILE HEADER", both relative to $src.
(cd "$src" && find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort) >"$work/files"
while read -r file; do
    sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$src/$file" |
        while read -r header; do
            [ -f "$src/$header" ] && printf '%s %s\n' "$file" "$header"
        done
done <"$work/files" >"$work/includes"

# The layers, and for each folder the folders it may use (itself and all below it), then each
# include classified by the layers of its two ends: "FROM TO ok|up".
awk -v includes="$work/includes" '
    function dir(path) { return sub(/\/[^\/]*$/, "", path) ? path : "" }
    function layer(folder) {
        while (folder != "" && !(folder in rank)) folder = dir(folder)
        return folder == "" ? "(none)" : folder
    }
    { sub(/#.*/, "") }
    NF == 0 { next }
    {
        rank[$1] = ++n; name[n] = $1; uses[$1, $1] = 1
        for (i = 2; i <= NF; i++)
            for (f in rank) if (($i, f) in uses) uses[$1, f] = 1
    }
    END {
        while ((getline line < includes) > 0) {
            split(line, part, " ")
            from = layer(dir(part[1])); to = layer(dir(part[2]))
            if (from == to) continue
            count[from, to]++
        }
        for (key in count) {
            split(key, end, SUBSEP)
            printf "%d %d %s %s %d %s\n", (end[1] in rank) ? rank[end[1]] : 0,
                (end[2] in rank) ? rank[end[2]] : 0, end[1], end[2], count[key],
                ((end[1], end[2]) in uses) ? "ok" : "up"
        }
    }' "$layers" | sort -n -k1,1 -k2,2 | cut -d' ' -f3- >"$work/folders"

printf 'Includes between the folders of %s (the lowest layer first, as %s orders them):\n' "$src" "$layers"
awk '{ printf "  %-30s -> %-30s %4d%s\n", $1, $2, $3, $4 == "up" ? "   AGAINST THE LAYERS" : "" }' "$work/folders"

found=0
against=$(awk '$4 == "up"' "$work/folders" | wc -l)
if [ "$against" -eq 0 ]; then
    printf '\nIncludes from a folder to one not below it: none\n'
else
    printf '\nIncludes from a folder to one not below it: %d pairs of folders (marked above)\n' "$against"
    found=1
fi

# circles FILE: the circles in the graph of "FROM TO" lines, one a line ("a -> b -> a"), as
# tsort finds them: it names the members of one circle in order, breaks it and goes on.
circles() {
    tsort "$1" 2>&1 >/dev/null | awk '
        function close_circle() { if (circle != "") print "  " circle " -> " first; circle = "" }
        /input contains a loop/ { close_circle(); next }
        { sub(/^tsort: /, ""); if (circle == "") { circle = first = $0 } else circle = circle " -> " $0 }
        END { close_circle() }'
}

# report LABEL CIRCLES: the label, then "none" or the circles below it.
report() {
    if [ -z "$2" ]; then
        printf '%s: none\n' "$1"
    else
        printf '%s:\n%s\n' "$1" "$2"
        found=1
    fi
}

awk '{ print $1, $2 }' "$work/folders" >"$work/folder-graph"
report 'Folders that include each other' "$(circles "$work/folder-graph")"

sed 's/\.\(h\|cpp\) / /; s/\.\(h\|cpp\)$//' "$work/includes" | awk '$1 != $2' | sort -u >"$work/file-graph"
report 'Files that include each other (a header and its source taken as one)' "$(circles "$work/file-graph")"

exit $found
