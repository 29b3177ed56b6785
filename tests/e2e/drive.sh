#!/usr/bin/env bash
# Runs inside xvfb-run: drives the program's window by its client coordinates.
set -euo pipefail
program=$1; work=$2
journal="$work/Тест_кварнел.txt"
# On failure the program's own output is shown too (a sanitizer report, say).
fail() {
    echo "FAIL: $*"; kill "$pid" 2>/dev/null || true
    sed 's/^/program: /' "$work/out.log" 2>/dev/null || true
    exit 1
}
source "$(dirname "$0")/window-helpers.sh"

"$program" > "$work/out.log" 2>&1 &
pid=$!
# By class: the caption is checked below, in a UTF-8 locale of its own.
wid=$(wait_for_window --class '^kvarnel$' 100)
[ -n "$wid" ] || fail "the window did not appear"
caption=$(LC_ALL=C.UTF-8 xdotool getwindowname "$wid")
[ "$caption" = "Кварнел" ] || fail "the window's caption is \"$caption\""
client_area_is() { eval "$(xdotool getwindowgeometry --shell "$wid")"; [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ]; }
within 30 client_area_is 1026 727 || fail "client area is ${WIDTH}x${HEIGHT}, not 1026x727"
ox=$X; oy=$Y
within 50 is_lime 223 462 || fail "the overview with hotspot ShapeV1 (box at 216,455) is not shown"

# Study mode: the hint of ShapeV1 appears below the pointer. The X server hands
# the program the moves and presses in order: nothing waits between them.
move 300 100
move 223 462
within 30 hint_shown || fail "no lime hint below the pointer over ShapeV1 (lime pixels: $(lime_count 223 480 120 30))"
echo "ok: hint shown ($(lime_count 223 480 120 30) lime pixels)"

# Press and hold ShapeV4 (Control stage, front view): the close-up with ShapeM4 tinted aqua.
move 260 317
xdotool mousedown 1
within 30 front_marker_tinted || fail "ShapeM4's inside is not tinted while held ($(pixel 427 328))"
not_lime 223 462 || fail "ShapeV1 still shown during a front close-up"
xdotool mouseup 1
within 30 is_lime 223 462 || fail "the overview with its hotspots is not back after release ($(pixel 223 462))"
echo "ok: front close-up while held, overview after release"

# Registration.
click 928 641 0                          # TEST
xdotool type --delay 30 "41-TE"
xdotool key Tab
xdotool type --delay 30 "Petrov"
click 604 692 0                          # ВВОД
# 39 questions, each answered by a click on ShapeV1, then the grading press.
for i in $(seq 1 39); do
    click 266 688 0                      # QUESTION?
    click 223 462 0                      # ShapeV1
done
click 266 688 0
journal_written() { [ -s "$journal" ]; }
within 50 journal_written || fail "the grading press wrote no journal line"
lines=$(tr -cd '\n' < "$journal" | wc -c)
[ "$lines" = 1 ] || fail "journal has $lines lines: $(cat "$journal")"
fields=$(tr -d '\r\n' < "$journal" | awk -F ' / ' '{print NF}')
[ "$fields" = 5 ] || fail "journal line has $fields fields: $(cat "$journal")"
grep -q ' / 41-TE / Petrov / unsatisfactorily'$'\r''$' "$journal" || fail "unexpected journal line: $(cat -A "$journal")"
# Under the C locale (no LANG, or C.UTF-8) the date is day.month.year, not "8 Dec 2026".
if [ -z "${LC_ALL:-}${LC_TIME:-}${LANG:-}" ] || [[ "${LC_ALL:-${LC_TIME:-${LANG:-}}}" == C.* ]]; then
    grep -qE '^[0-9]{2}\.[0-9]{2}\.[0-9]{4} / ' "$journal" || fail "date is not dd.MM.yyyy: $(cat "$journal")"
fi
echo "ok: journal line $(tr -d '\r\n' < "$journal")"

click 925 688 0                          # EXIT
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "EXIT did not end the program"
code=0; wait "$pid" || code=$?
[ "$code" = 0 ] || fail "exit code $code"
echo "ok: EXIT ended the program with code 0"
