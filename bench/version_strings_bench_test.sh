#!/usr/bin/env bash
# version_strings_bench_test.sh BENCH: the benchmark's command line. --help prints the usage
# and exits 0; an option it does not know, a missing count and a bad size give the usage and
# exit 2; a FIFO among the files is refused at once, not waited on; a real file is read.
set -uo pipefail

bench=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
expect() { # expect STATUS FIRST-LINE-PATTERN COMMAND...
    local status=$1 pattern=$2
    shift 2
    local out
    out=$(timeout 20 "$@" 2>&1)
    local got=$?
    if [ "$got" -ne "$status" ] || ! grep -q -- "$pattern" <<<"$(head -1 <<<"$out")"; then
        echo "FAIL: $* gave status $got: $out" >&2
        failed=1
    fi
}
mkfifo "$work/pipe.drv"
printf 'StringFileInfo\0%16sFileVersion\0%s\0' '' 7.1 >"$work/real.drv"
expect 0 '^usage: version_strings_bench \[--repeat N\]' "$bench" --help
expect 2 '^usage: version_strings_bench' "$bench" --bogus "$work/real.drv"
expect 2 '^usage: version_strings_bench' "$bench" --repeat
expect 2 '^usage: version_strings_bench' "$bench" --repeat x "$work/real.drv"
expect 2 '^usage: version_strings_bench' "$bench" --make-big "$work/big.bin" 0
expect 2 '^usage: version_strings_bench' "$bench" --make-dir "$work/d" 10 1M
expect 2 "pipe.drv: not a regular file" "$bench" "$work/pipe.drv"
expect 0 '	7.1$' "$bench" "$work/real.drv"
exit $failed
