#!/bin/sh
# How much of the corpus's structure survives Open + Save As, as LibreOffice sees it.
#
# For each tests/data/rtf/corpus/*.rtf: LibreOffice converts the original to HTML, rtfconvert
# rewrites the file (Open + Save As without the window), LibreOffice converts the rewrite to
# HTML, and both HTML files are counted: tables (<table), cells (<td), lists (<ol, <ul), list
# items (<li), headers (<div title="header">), footers (<div title="footer">), footnotes and
# endnotes (their anchors in the text) and pictures (<img); section breaks (\sect) and text boxes
# (\shptxt), which LibreOffice's HTML does not show, are counted in the original and the rewritten
# RTF themselves. One line per file, then the totals: how many files
# have each kind of structure, and how many keep it (the same counts after the rewrite).
#
# usage: scripts/structure-survey.sh [CORPUS_DIR [RTFCONVERT]]
#   CORPUS_DIR  default tests/data/rtf/corpus
#   RTFCONVERT  default build/tools/rtfconvert
#   SURVEY_PROFILE  LibreOffice profile folder (default /tmp/lo-structure-survey)
#   SURVEY_KEEP     a folder to keep the rewrites and the HTML in (default: a temporary one,
#                   removed at the end)
# Slow (LibreOffice reads every file twice), so it is not part of `make test`.
set -eu

corpus=${1:-tests/data/rtf/corpus}
rtfconvert=${2:-build/tools/rtfconvert}
profile=${SURVEY_PROFILE:-/tmp/lo-structure-survey}

command -v soffice >/dev/null 2>&1 || { echo "structure-survey: soffice (LibreOffice) is not installed" >&2; exit 2; }
[ -x "$rtfconvert" ] || { echo "structure-survey: no $rtfconvert (build the rtfconvert target)" >&2; exit 2; }

if [ -n "${SURVEY_KEEP:-}" ]; then
    work=$SURVEY_KEEP
    mkdir -p "$work"
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work/rewrite" "$work/original-html" "$work/rewrite-html"

# The rewrites, under the originals' names so that the two HTML files pair up.
for file in "$corpus"/*.rtf; do
    name=$(basename "$file")
    "$rtfconvert" "$file" "$work/rewrite/$name" 2>/dev/null || rm -f "$work/rewrite/$name"
done

# One LibreOffice start for all the files of a folder: starting it is the slow part.
convert() { # OUTDIR FILE...
    outdir=$1
    shift
    [ $# -gt 0 ] || return 0
    nice -n 10 soffice "-env:UserInstallation=file://$profile" --headless \
        --convert-to html --outdir "$outdir" "$@" >/dev/null 2>&1 || true
}
convert "$work/original-html" "$corpus"/*.rtf
set -- "$work"/rewrite/*.rtf
[ -e "$1" ] || set --
convert "$work/rewrite-html" "$@"

# count FILE PATTERN: how many times the extended regular expression occurs (case-blind)
count() {
    if [ -f "$1" ]; then
        grep -oiE "$2" "$1" | wc -l | tr -d ' '
    else
        echo -
    fi
}

kinds="tables cells lists items headers footers notes pictures sections textboxes"
pattern() {
    case $1 in
    tables) echo '<table' ;;
    cells) echo '<td' ;;
    lists) echo '<(ol|ul)[ >]' ;;
    items) echo '<li[ >]' ;;
    headers) echo '<div title="header"' ;;
    footers) echo '<div title="footer"' ;;
    notes) echo 'class="sd(foot|end)noteanc"' ;;
    pictures) echo '<img' ;;
    # printf, as sh's echo would take the backslash for an escape
    sections) printf '%s\n' '\\sect([^a-z]|$)' ;;
    textboxes) printf '%s\n' '\\shptxt([^a-z]|$)' ;;
    esac
}

printf '%-64s' "file (original/rewrite)"
for kind in $kinds; do printf ' %9s' "$kind"; done
printf '\n'

files=0
for kind in $kinds; do eval "have_$kind=0 kept_$kind=0"; done
for file in "$corpus"/*.rtf; do
    name=$(basename "$file" .rtf)
    files=$((files + 1))
    printf '%-64s' "$name"
    for kind in $kinds; do
        case $kind in
        sections|textboxes)
            before=$(count "$file" "$(pattern "$kind")")
            after=$(count "$work/rewrite/$name.rtf" "$(pattern "$kind")") ;;
        *)
            before=$(count "$work/original-html/$name.html" "$(pattern "$kind")")
            after=$(count "$work/rewrite-html/$name.html" "$(pattern "$kind")") ;;
        esac
        printf ' %9s' "$before/$after"
        if [ "$before" != - ] && [ "$before" -gt 0 ]; then
            eval "have_$kind=\$((have_$kind + 1))"
            [ "$before" = "$after" ] && eval "kept_$kind=\$((kept_$kind + 1))"
        fi
    done
    printf '\n'
done

printf '\n%d files. Files with each kind of structure in the original, and how many keep it\n' "$files"
printf '(the same count in the rewrite):\n'
for kind in $kinds; do
    eval "printf '  %-8s %3d have, %3d keep\n' $kind \$have_$kind \$kept_$kind"
done
