# What the shell tests share: failures are counted, not fatal, so that one
# run tells every fault. Sourced; the test ends with `exit_with_failures`.
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}
expect_equal() { # WHAT EXPECTED ACTUAL
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}
# Waits up to 30 seconds for a command to succeed.
await() { # WHAT COMMAND...
    local what=$1
    shift
    for _ in $(seq 300); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "$what did not happen within 30 seconds"
    return 1
}
# Shows every log in FOLDER when the test ends failed or cut short.
show_logs_at_a_failed_end() { # FOLDER
    trap 'status=$?; [ "$failures" -eq 0 ] && [ "$status" -eq 0 ] ||
        for log in "'"$1"'"/*; do echo "--- $log"; cat "$log"; done' EXIT
}
exit_with_failures() {
    if [ "$failures" -gt 0 ]; then
        echo "$failures failed" >&2
        exit 1
    fi
    echo "All passed"
}
