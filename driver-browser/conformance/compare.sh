#!/usr/bin/env bash
# compare.sh [--wine] TABLE COMMAND...: runs COMMAND TABLE OUTPUT, then compares the state
# text it wrote with the table (comments and blank lines left out), printing a diff when
# they differ. --wine hands a Windows program both paths as Z: paths.
set -uo pipefail

wine_paths=false
if [ "${1:-}" = --wine ]; then
    wine_paths=true
    shift
fi
if [ $# -lt 2 ]; then
    echo "usage: $0 [--wine] TABLE COMMAND..." >&2
    exit 2
fi
table=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
table_arg=$table out_arg=$work/played.txt
if $wine_paths; then
    table_arg="Z:${table//\//\\}"
    out_arg="Z:${work//\//\\}\\played.txt"
fi
"$@" "$table_arg" "$out_arg"
status=$?
if [ $status -ne 0 ] || [ ! -f "$work/played.txt" ]; then
    echo "the adapter failed (status $status)" >&2
    exit 1
fi
grep -v -e '^#' -e '^$' "$table" >"$work/expected.txt"
if ! diff -u --label expected "$work/expected.txt" --label played "$work/played.txt"; then
    # Which scenarios differ, by title.
    for f in expected played; do
        awk -v dir="$work/$f" '/^scenario /{n++} {print > (dir "." n)}' "$work/$f.txt"
    done
    for part in "$work"/expected.[0-9]*; do
        cmp -s "$part" "$work/played.${part##*.}" || echo "FAIL: $(head -1 "$part")" >&2
    done
    echo "FAIL: the front-end departs from the table (- expected, + played)" >&2
    exit 1
fi
echo "all $(grep -c '^scenario ' "$table") scenarios as the table says"
