# Sourced by the audit's self-tests: one case's verdict, counted in $passed and $failed.
# judge <name> pass|fail <text expected in the report> <audit's exit status> <audit's report>
judge() {
    local name=$1 want=$2 text=$3 status=$4 report=$5
    if { [ "$want" = pass ] && [ "$status" -eq 0 ]; } ||
        { [ "$want" = fail ] && [ "$status" -eq 1 ] && grep -qF -- "$text" <<<"$report"; }; then
        echo "ok   $name: $want${text:+ ($text)}"
        passed=$((passed + 1))
    else
        echo "FAIL $name: wanted $want${text:+ with '$text'}, audit said (status $status):"
        sed 's/^/     /' <<<"$report"
        failed=$((failed + 1))
    fi
}
