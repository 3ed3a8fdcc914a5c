#!/usr/bin/env bash
# The plain routines must stay one element at a time: no packed (SIMD) instruction may appear
# in their object code. Usage: plain_kernels_scalar.sh OBJDUMP OBJECT... (the library's
# objects; those of the plain routines are picked out by name).
set -euo pipefail
objdump=$1
shift
status=0
checked=0
for object in "$@"; do
    case $(basename "$object") in
    fx_scalar.* | fx_plain_kernels.* | fx_update_kernels.*) checked=$((checked + 1)) ;;
    *) continue ;;
    esac
    # Packed integer and packed floating-point instructions on vector registers.
    packed=$("$objdump" -d --no-show-raw-insn "$object" |
        grep -E '^\s+[0-9a-f]+:\s+(v?p[a-z0-9]+|v?[a-z]+p[sd])\s.*%[xyz]mm' || true)
    if [ -n "$packed" ]; then
        echo "FAIL: $(basename "$object") holds packed instructions:"
        echo "$packed" | head -n 10
        status=1
    else
        echo "ok: $(basename "$object") is scalar"
    fi
done
if [ "$checked" -ne 3 ]; then
    echo "FAIL: expected the objects of the three plain source files, found $checked"
    status=1
fi
exit $status
