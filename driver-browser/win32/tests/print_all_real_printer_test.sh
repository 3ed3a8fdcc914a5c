#!/usr/bin/env bash
# "Print All Drivers" of tolvane.exe on a real printer: Wine's PostScript driver, a CUPS
# queue of a private cupsd (scripts/with-private-cups.sh runs this script) that prints into
# a file. The test puts 21 sample drivers into the Windows system directory of a fresh Wine
# prefix, lets tolvane.exe print them all through its own GDI printer code, waits for the
# CUPS job, turns the PostScript into text page by page (ghostscript's txtwrite) and checks
# that the report's lines are all there, in order, across more than one page.
#
# Usage: print_all_real_printer_test.sh WINE PRINT_ALL_RUN.EXE TOLVANE.EXE
# Exit status 77 (skipped) when there is no printer to test with: no private CUPS server,
# or no ghostscript to read its output.
set -euo pipefail

if [ $# -ne 3 ]; then
    echo "usage: $0 WINE PRINT_ALL_RUN.EXE TOLVANE.EXE" >&2
    exit 2
fi
wine=$1 runner=$2 tolvane=$3

if [ -z "${CUPS_SERVER:-}" ] || [ -z "${PRIVATE_CUPS_QUEUE:-}" ]; then
    echo "SKIP: no private CUPS server (run this through scripts/with-private-cups.sh)"
    exit 77
fi
if ! command -v gs >/dev/null; then
    echo "SKIP: no ghostscript (Debian package ghostscript) to read the printed PostScript"
    exit 77
fi

work=$(mktemp -d /tmp/tolvane-print.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
cleanup() {
    wineserver -k >/dev/null 2>&1 || /usr/lib/wine/wineserver64 -k >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

# A fresh prefix. Wine takes the CUPS printers, and the CUPS default as the Windows default
# printer, when a program in the prefix loads winspool.drv; wineboot does so in a new prefix,
# but a copy of the suite's was booted without this server. regsvr32 loads the DLL (and then
# fails, finding nothing to register); the runner checks the default printer it leaves.
bash "$(dirname "$0")/../../../scripts/fresh-wine-prefix.sh" "$wine" "$WINEPREFIX"
"$wine" regsvr32 /s winspool.drv >/dev/null 2>&1 || true
bash "$(dirname "$0")/unmanaged-wine-prefix.sh" "$wine"

# The sample drivers, each with a version block as the version scan finds it in a file's
# bytes, and one without; the report they give, an empty line behind each driver.
system=$WINEPREFIX/drive_c/windows/system
mkdir -p "$system"
report=()
for i in $(seq -w 1 21); do
    file=smpl$i.drv
    if [ "$i" = 07 ]; then
        printf 'no version information here' >"$system/$file"
        report+=("File Name: $file" "Version: N/A" "Vendor: N/A"
            "Description: No Information available on this driver" "")
        continue
    fi
    vendor="Quarnby Devices $i" description="Sample pager driver $i"
    version="4.$((10#$i * 7)).$i$i-q"
    {
        printf 'MZ header bytes StringFileInfo\0xxxxxxxxxxxxxxxx'
        printf 'CompanyName\0%s\0FileDescription\0%s\0FileVersion\0%s\0' \
            "$vendor" "$description" "$version"
        head -c 64 /dev/zero
    } >"$system/$file"
    report+=("File Name: $file" "Version: $version" "Vendor: $vendor"
        "Description: $description" "")
done

"$wine" "$runner" "$tolvane" "$PRIVATE_CUPS_QUEUE" | tr -d '\r' | tee "$work/run.txt"
lines_per_page=$(sed -n 's/^lines per page: \([0-9]*\)$/\1/p' "$work/run.txt")

# One job, and it has left the queue completed.
completed=
for _ in $(seq 300); do
    if [ -z "$(lpstat -o "$PRIVATE_CUPS_QUEUE")" ]; then
        completed=$(lpstat -W completed -o "$PRIVATE_CUPS_QUEUE")
        [ -n "$completed" ] && break
    fi
    sleep 0.2
done
if [ -z "$completed" ]; then
    echo "FAIL: no print job completed on $PRIVATE_CUPS_QUEUE; jobs:" >&2
    lpstat -W all -o >&2 || true
    exit 1
fi
echo "CUPS job: $completed"
if [ "$(printf '%s\n' "$completed" | wc -l)" -ne 1 ]; then
    echo "FAIL: Print All Drivers gave more than one print job" >&2
    exit 1
fi
job=$(printf '%s\n' "$completed" | awk '{print $1}')
job=${job##*-}
if ! grep -q "\[Job $job\] Job completed\." "$PRIVATE_CUPS_LOG"; then
    echo "FAIL: job $job did not complete:" >&2
    grep "\[Job $job\]" "$PRIVATE_CUPS_LOG" | grep -v 'envp\|argv' | tail -20 >&2
    exit 1
fi

# The printed text, one file per page. Wine's PostScript driver names the font's space and
# hyphen glyphs uni00A0 and uni00AD (no-break space, soft hyphen), as which ghostscript
# reads them back: they are the characters " " and "-" that tolvane.exe printed.
gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=txtwrite -sOutputFile="$work/page-%03d.txt" \
    "$PRIVATE_CUPS_OUTPUT"
# page_text FILE: the page's lines without the blanks the layout puts around them.
page_text() {
    tr -d '\r' <"$1" | sed 's/\xc2\xa0/ /g; s/\xc2\xad/-/g; s/^ *//; s/ *$//; /^$/d'
}
pages=("$work"/page-*.txt)
echo "pages: ${#pages[@]}"
for p in "${!pages[@]}"; do
    echo "page $((p + 1)): $(page_text "${pages[$p]}" | head -1) ... $(page_text "${pages[$p]}" | tail -1)"
done

failures=0
nonblank() { printf '%s\n' "$@" | sed '/^$/d'; }
for page in "${pages[@]}"; do page_text "$page"; done >"$work/printed.txt"
if ! diff <(nonblank "${report[@]}") "$work/printed.txt" >"$work/diff"; then
    echo "FAIL: the printed lines are not the report (< expected, > printed):" >&2
    cat "$work/diff" >&2
    failures=$((failures + 1))
fi
# Pages: the report's 105 lines (the empty ones too) take ceil(105 / lines per page) pages,
# each page holds as many lines as fit, and the first line of the next page is the one that
# did not fit any more.
total=${#report[@]}
wanted_pages=$(((total + lines_per_page - 1) / lines_per_page))
if [ ${#pages[@]} -ne "$wanted_pages" ] || [ "$wanted_pages" -lt 2 ]; then
    echo "FAIL: ${#pages[@]} page(s), but $total lines at $lines_per_page a page take" \
        "$wanted_pages" >&2
    failures=$((failures + 1))
fi
for p in "${!pages[@]}"; do
    first=$((p * lines_per_page))
    if ! diff <(nonblank "${report[@]:$first:$lines_per_page}") <(page_text "${pages[$p]}") \
        >"$work/diff"; then
        echo "FAIL: page $((p + 1)) does not hold report lines $((first + 1)) to" \
            "$((first + lines_per_page)) (< expected, > printed):" >&2
        cat "$work/diff" >&2
        failures=$((failures + 1))
    fi
done
if [ $failures -ne 0 ]; then
    exit 1
fi
echo "$total report lines printed in order on ${#pages[@]} pages of $lines_per_page lines: ok"
