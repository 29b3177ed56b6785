#!/usr/bin/env bash
# Runs inside xvfb-run: drives the Windows program under wine by its client
# coordinates, in two runs: a test abandoned with EXIT with the journal in place,
# then EXIT with no journal, which must show the "File not found." box.
set -euo pipefail
program=$1; out=$2
source "$(dirname "$0")/window-helpers.sh"
source "$(dirname "$0")/wine-session.sh"
# Starts the program in the given directory, its output in out.log there, waiting up
# to the given tenths for its window.
start_in() {
    cd "$1"
    start_window "$1/out.log" "$2" wine "$program"
}
# Presses Return (the box's OK) and waits up to 10 s for the box to go.
dismiss_box() {
    xdotool key Return
    for _ in $(seq 1 100); do
        xdotool search --onlyvisible --name '^Kvarnel$' >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# --- Run 1: the journal is in place; study, then a test abandoned with EXIT.
mkdir -p "$out/with-journal"
journal="$out/with-journal/Тест_кварнел.txt"
: > "$journal"
start_in "$out/with-journal" 900           # the first start in a new prefix is slow
within 50 is_lime 223 462 || fail "the overview with hotspot ShapeV1 is not shown"
echo "ok: window 1026x727 with the overview"

move 300 100; sleep 0.3
move 223 462
within 30 hint_shown || fail "no lime hint below the pointer over ShapeV1"
echo "ok: hint shown"

move 260 317; sleep 0.2                    # ShapeV4, shown on the front close-up
xdotool mousedown 1
within 30 front_marker_tinted || { xdotool mouseup 1; fail "the front close-up with ShapeM4 is not shown while held"; }
not_lime 223 462 || { xdotool mouseup 1; fail "ShapeV1 still shown during the front close-up"; }
xdotool mouseup 1
within 30 is_lime 223 462 || fail "the overview with its hotspots is not back after release"
echo "ok: front close-up while held, overview after release"

: > "$out/empty-journal"
abandon_test "$journal" "$out/empty-journal"

# --- Run 2: no journal; EXIT mid-test shows the error box and the program stays.
mkdir -p "$out/no-journal"
start_in "$out/no-journal" 300
register
click 266 688 0.3                          # QUESTION?
click 925 688 0                            # EXIT
box=$(wait_for_window '^Kvarnel$' 100)
[ -n "$box" ] || fail "no error box captioned with the application title after EXIT without a journal"
/usr/bin/import-im6.q16 -window root "$out/file-not-found.png" 2>/dev/null || true
kill -0 "$pid" 2>/dev/null || fail "the program ended although the journal could not be written"
[ ! -e "$out/no-journal/Тест_кварнел.txt" ] || fail "the journal was created"
dismiss_box || fail "the error box did not close with Return"
echo "ok: error box without a journal, program still running"
click 500 40 0.3                           # focus the main window (a click on the picture does nothing in a test)
xdotool key alt+F4                         # the system's close command
# Closing the window writes the due line too: without a journal, the same box once more.
box=$(wait_for_window '^Kvarnel$' 100)
[ -n "$box" ] || fail "no error box when closing the window without a journal"
dismiss_box || fail "the second error box did not close with Return"
expect_exit 100
[ ! -e "$out/no-journal/Тест_кварнел.txt" ] || fail "the journal was created"
echo "ok: closed with the system's close command after a second box, exit code 0, no journal created"
