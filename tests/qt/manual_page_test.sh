#!/bin/sh
# The manual page is written by hand: it must list exactly the options, with
# their argument names, that the program's --help lists, in the same order.
#   tests/manual_page_test.sh PROGRAM PAGE
set -eu

program=$1
page=$2

# "  -h, --help      show..." -> "-h, --help"
from_help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help </dev/null |
    sed -n 's/^  \(-[^ ].*[^ ]\)  .*$/\1/p' | sed 's/  .*$//')
# ".TP" then "\fB\-h\fR, \fB\-\-help\fR" -> "-h, --help"
from_page=$(sed -n '/^\.SH OPTIONS/,/^\.SH /{/^\.TP$/{n;p;}}' "$page" |
    sed 's/\\f[BIR]//g; s/\\-/-/g')

if [ -z "$from_help" ] || [ "$from_help" != "$from_page" ]; then
    echo "FAIL: the manual page's options differ from what --help lists"
    echo "-- --help:"
    echo "$from_help"
    echo "-- $page:"
    echo "$from_page"
    exit 1
fi
echo "the manual page lists what --help lists:"
echo "$from_help"
