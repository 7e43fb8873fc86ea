#!/bin/sh
# Runs the built Linux program as a user would from a terminal, with and
# without a display, and checks what it prints and how it ends:
#   tests/command_line_test.sh PROGRAM VERSION
set -u

program=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    echo "-- standard output:"
    cat "$work/out"
    echo "-- standard error:"
    cat "$work/err"
    failures=$((failures + 1))
}

# Runs the program with the given environment assignments and arguments,
# never on this machine's display; sets $status.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$work/out" 2>"$work/err" </dev/null
    status=$?
}

expect() { # STATUS WHAT
    [ "$status" -eq "$1" ] || fail "$2: exit status $status, expected $1"
}

# Help and the version need no display, and print nothing else with one.
for display in "" "DISPLAY=:0 QT_QPA_PLATFORM=offscreen"; do
    # shellcheck disable=SC2086
    run $display "$program" --version
    expect 0 "--version ($display)"
    [ "$(cat "$work/out")" = "zorvane $version" ] || fail "--version ($display) printed the wrong line"
    [ ! -s "$work/err" ] || fail "--version ($display) wrote to standard error"

    # shellcheck disable=SC2086
    run $display "$program" --help
    expect 0 "--help ($display)"
    head -n 1 "$work/out" | grep -qx 'Usage: zorvane \[option\]\.\.\.' || fail "--help: no usage line"
    grep -q '^  -platform NAME ' "$work/out" || fail "--help does not name -platform"
    [ ! -s "$work/err" ] || fail "--help ($display) wrote to standard error"
done

run "$program" --bogus
expect 2 "an unknown option"
[ "$(head -n 1 "$work/err")" = "zorvane: unknown option '--bogus'" ] || fail "an unknown option: wrong first line"
sed -n 2p "$work/err" | grep -q '^Usage: ' || fail "an unknown option: no usage after it"
[ ! -s "$work/out" ] || fail "an unknown option wrote to standard output"

# No display at all: one plain sentence, and no core dump.
run "$program"
expect 1 "no display"
[ "$(cat "$work/err")" = "zorvane: no X11 or Wayland display was found; set DISPLAY or WAYLAND_DISPLAY." ] \
    || fail "no display: not the one sentence expected"

# A display that Qt cannot open ends as plainly.
run "$program" -platform no-such-platform
expect 1 "a platform that does not exist"
tail -n 1 "$work/err" | grep -q '^zorvane: the window system could not be reached' \
    || fail "a platform that does not exist: no plain last line"

# Qt's own option reaches Qt: on the offscreen platform the program starts,
# with no display, and runs until it is stopped.
run timeout 3 "$program" -platform offscreen
expect 124 "-platform offscreen (should still run after 3 seconds)"

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "all command-line checks passed"
