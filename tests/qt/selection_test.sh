#!/bin/sh
# What other programs are offered when a password is selected or copied, on a
# real X server: the program driven with real keys and mouse (xdotool), the
# selections read as a clipboard manager reads them (xclip).
# Usage: selection_test.sh PATH/TO/zorvane, inside an X session (xvfb-run -a).
set -u
program=$1
failed=0
QT_QPA_PLATFORM=xcb "$program" &
pid=$!
trap 'kill $pid 2>/dev/null' EXIT

# Plain text and the secret hint; the rest is X's own selection protocol.
expected="MULTIPLE SAVE_TARGETS STRING TARGETS TEXT TIMESTAMP UTF8_STRING text/plain x-kde-passwordManagerHint"

# Another program owns both first, so nothing stale can pass.
take_both() {
    printf 'stale' | xclip -selection primary
    printf 'stale' | xclip -selection clipboard
}

# check WAY SELECTION TEXT: the offer after WAY holds TEXT with the hint only.
check() {
    sleep 0.3
    targets=$(xclip -o -selection "$2" -t TARGETS 2>&1 | sort | tr '\n' ' ' | sed 's/ $//')
    hint=$(xclip -o -selection "$2" -t x-kde-passwordManagerHint 2>&1)
    text=$(xclip -o -selection "$2" 2>&1)
    if [ "$targets" = "$expected" ] && [ "$hint" = secret ] && [ "$text" = "$3" ]; then
        echo "PASS: $1 ($2: $targets)"
    else
        echo "FAIL: $1 ($2 offers: $targets; hint '$hint'; text '$text', expected '$3')"
        failed=1
    fi
}

window=""
for _ in $(seq 50); do
    window=$(xdotool search --pid $pid 2>/dev/null | tail -1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: no window"; exit 1; }
sleep 0.5
# The length field has the focus; Generate follows it, the password field two
# after that.
xdotool key --delay 30 ctrl+a 1 2 Tab space Tab Tab
sleep 0.3
xdotool key ctrl+a
password=$(xclip -o -selection primary)
[ ${#password} -eq 12 ] || { echo "FAIL: no 12-character password selected: '$password'"; exit 1; }

# The password field's first line, in window pixels: the field starts at
# (8, 136), its text a few pixels in; the deselecting click goes below it.
line=145
take_both; xdotool key ctrl+a; check "Ctrl+A" primary "$password"
take_both; xdotool key ctrl+c; check "Ctrl+C" clipboard "$password"
xdotool mousemove --window "$window" 150 220 click 1
take_both
xdotool mousemove --window "$window" 10 $line mousedown 1
sleep 0.1; xdotool mousemove --window "$window" 60 $line
sleep 0.1; xdotool mousemove --window "$window" 240 $line
sleep 0.1; xdotool mouseup 1
check "a mouse drag" primary "$password"
take_both; xdotool mousemove --window "$window" 40 $line click --repeat 2 --delay 80 1
check "a double click" primary "$password"
xdotool mousemove --window "$window" 150 220 click 1
take_both; xdotool key ctrl+Home shift+Right shift+Right shift+Right
check "Shift+Right three times" primary "$(printf %.3s "$password")"
exit $failed
