#!/usr/bin/env bash
# Reads the registry of a fresh temporary prefix with the native pexmoor_setting (which
# parses system.reg) and with the Windows build's pexmoor_setting under Wine (which asks the
# registry, that is wineserver):
#  - every value line of common/tests/wine_registry_lines.txt, appended to system.reg as a
#    hand would write it (the server loads the file): both must read what the table says;
#  - MMX settings stored with Wine's own `reg add`: the Windows build reads what the server
#    holds, the native one the system.reg the server then writes; both must print the
#    expected setting (0 Auto, 1 Off, 2 On) and the same query result.
# Usage: registry_crosscheck.sh <native pexmoor_setting> <pexmoor_setting.exe> <wine or wine64>
#                               [win32|win64] [wine_registry_lines.txt]
# A 32-bit program in a 64-bit prefix would see HKLM\Software through Wow6432Node, as on
# 64-bit Windows; the 32-bit build is checked in a 32-bit prefix (WINEARCH=win32), which
# stores the key where the native reader looks, as 32-bit Windows does.
# Exits 77 (skipped) when the native tool has not been built.
set -u
native=$1
windows=$2
wine=${3:-/usr/lib/wine/wine64}
arch=${4:-win64}
lines=${5:-$(dirname "$0")/../../common/tests/wine_registry_lines.txt}

if [ ! -x "$native" ]; then
    echo "native tool $native not built: skipped"
    exit 77
fi
# The server that writes system.reg: next to the loader, else Debian's 64- or 32-bit one.
wineserver=wineserver
for candidate in "$(dirname "$wine")/wineserver64" "$(dirname "$wine")/wineserver" \
    /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver32; do
    if [ -x "$candidate" ] && [ ! -d "$candidate" ]; then
        wineserver=$candidate
        break
    fi
done

prefix=$(mktemp -d /tmp/pexmoor-crosscheck-XXXXXX)
export WINEPREFIX=$prefix
export WINEARCH=$arch
export WINEDEBUG=-all
export LC_ALL=C.UTF-8 # so that Wine takes the command line's text as UTF-8
cleanup() {
    "$wineserver" -k >/dev/null 2>&1
    "$wineserver" -w >/dev/null 2>&1
    rm -rf "$prefix"
}
trap cleanup EXIT

key='HKLM\Software\Corvelline\Saltremb\Hardware'
passed=0
failed=0

# check <label> <expected setting> <expected query or ""> <reg type or "missing"> [data]
check() {
    local label=$1 expected=$2 query=$3 type=$4 data=${5:-}
    if [ "$type" = missing ]; then
        "$wine" reg delete "$key" /v MMX /f >/dev/null 2>&1
    elif ! "$wine" reg add "$key" /v MMX /t "$type" /d "$data" /f >/dev/null 2>&1; then
        echo "FAIL $label: reg add failed"
        failed=$((failed + 1))
        return
    fi
    # The tools print the setting, then the registry call's status, type and size.
    local from_native from_windows
    from_windows=$("$wine" "$windows" | tr -d '\r' | paste -sd ' ')
    # The registry reaches system.reg when the server exits: stop it now rather than wait
    # out the seconds it lingers after its last program (the next command starts another).
    "$wineserver" -k 2>/dev/null
    "$wineserver" -w
    from_native=$("$native" | tr -d '\r' | paste -sd ' ')
    if [ "$from_native" = "$from_windows" ] && [ "${from_native%% *}" = "$expected" ] &&
        [[ "${from_native#* }" == "$query"* ]]; then
        echo "ok   $label: both read $from_native"
        passed=$((passed + 1))
    else
        echo "FAIL $label: native read '$from_native', Windows read '$from_windows'," \
            "expected $expected${query:+ $query}"
        failed=$((failed + 1))
    fi
}

# A freshly booted prefix (a copy of the test suite's, when it has booted one), and the key.
bash "$(dirname "$0")/../../scripts/fresh-wine-prefix.sh" "$wine" "$prefix" || exit 1
# The key comes from the table's lines, appended to system.reg while no server holds it.
"$wine" reg add 'HKLM\Software\Corvelline' /f >/dev/null 2>&1
"$wineserver" -k 2>/dev/null
"$wineserver" -w
names=()
expected=()
{
    printf '\n[Software\\\\Corvelline\\\\Saltremb\\\\Hardware] 1796763883\n'
    while IFS=$'\t' read -r name line answer; do
        case $name in '#'* | '') continue ;; esac
        names+=("$name")
        expected+=("$answer")
        printf '%b\n' "$line"
    done <"$lines"
} >>"$prefix/system.reg"
# The same answers, one line per value, from both readers (the setting's line dropped).
from_native=$(PEXMOOR_SETTING_VALUES="${names[*]}" "$native" | tail -n +2)
from_windows=$(PEXMOOR_SETTING_VALUES="${names[*]}" "$wine" "$windows" 2>/dev/null |
    tr -d '\r' | tail -n +2)
for i in "${!names[@]}"; do
    native_answer=$(sed -n "$((i + 1))p" <<<"$from_native")
    windows_answer=$(sed -n "$((i + 1))p" <<<"$from_windows")
    if [ "$native_answer" = "${expected[$i]}" ] && [ "$windows_answer" = "${expected[$i]}" ]; then
        passed=$((passed + 1))
    else
        echo "FAIL line ${names[$i]}: expected '${expected[$i]}'"
        echo "     native read  '$native_answer'"
        echo "     Windows read '$windows_answer'"
        failed=$((failed + 1))
    fi
done
echo "$passed of ${#names[@]} lines read as the table says by both"
"$wine" reg add "$key" /f >/dev/null 2>&1

long79=$(printf 'x%.0s' $(seq 79))
long80=$(printf 'x%.0s' $(seq 80))
on80="On$(printf ' %.0s' $(seq 78))"

# (Which texts are which setting is mmx_mode_test's, natively.)
check 'On' 2 'status 0 type 1 size 3' REG_SZ On
check 'off' 1 'status 0 type 1 size 4' REG_SZ off
check 'Auto' 0 'status 0 type 1 size 5' REG_SZ Auto
check '"On "' 0 'status 0 type 1 size 4' REG_SZ 'On '
check 'empty text' 0 'status 0 type 1 size 1' REG_SZ ''
check 'Windows-1252 text' 0 'status 0 type 1 size 4 data e9 80 99 00' REG_SZ 'é€™'
check '79 characters' 0 'status 0 type 1 size 80' REG_SZ "$long79"
check '80 characters' 0 'status 234 type 1 size 81' REG_SZ "$long80"
check '"On" and 78 blanks' 0 'status 234 type 1 size 81' REG_SZ "$on80"
check 'backslash inside' 0 'status 0 type 1 size 4' REG_SZ 'O\n'
check 'REG_DWORD 2' 0 'status 0 type 4 size 4' REG_DWORD 2
check 'REG_EXPAND_SZ On' 0 'status 0 type 2 size 3' REG_EXPAND_SZ On
check 'missing value' 0 'status 2 type 0 size 0' missing

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
