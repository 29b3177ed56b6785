# Sourced by the end-to-end drivers: mouse and screen helpers in the client
# coordinates of the window whose top-left corner is at ($ox, $oy) on the screen.
move() { xdotool mousemove $((ox + $1)) $((oy + $2)); }
click() { move "$1" "$2"; sleep 0.05; xdotool click 1; sleep "${3:-0.15}"; }
# Prints "R G B" of a screen pixel at client coordinates.
pixel() {
    /usr/bin/import-im6.q16 -window root -depth 8 -crop "1x1+$((ox + $1))+$((oy + $2))" +repage txt:- 2>/dev/null \
        | tail -1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}
# Counts lime pixels in a client rectangle x y w h.
lime_count() {
    /usr/bin/import-im6.q16 -window root -depth 8 -crop "$3x$4+$((ox + $1))+$((oy + $2))" +repage txt:- 2>/dev/null \
        | grep -c '(0,255,0)' || true
}
# Prints the id of the first visible window whose name (or, with --class first,
# class) matches the pattern, waiting up to the given number of tenths of a
# second; prints nothing on timeout. Names are matched in a UTF-8 locale, which
# a Cyrillic caption needs and the caller may lack.
wait_for_window() {
    local by=--name
    if [ "$1" = --class ]; then by=--class; shift; fi
    local pattern=$1 tenths=$2 wid=""
    for _ in $(seq 1 "$tenths"); do
        wid=$(LC_ALL=C.UTF-8 xdotool search --onlyvisible "$by" "$pattern" 2>/dev/null | head -1 || true)
        [ -n "$wid" ] && break
        sleep 0.1
    done
    echo "$wid"
}
# Repeats a check (a shell command) every 0.2 s for up to the given tenths of a second.
within() {
    local tenths=$1; shift
    for _ in $(seq 1 $((tenths / 2))); do "$@" && return 0; sleep 0.2; done
    "$@"
}
# What the drivers wait for on the screen.
is_lime() { [ "$(pixel "$1" "$2")" = "0 255 0" ]; }
not_lime() { [ "$(pixel "$1" "$2")" != "0 255 0" ]; }
hint_shown() { [ "$(lime_count 223 480 120 30)" -gt 200 ]; }  # below the pointer over ShapeV1
front_marker_tinted() { local r g b; read -r r g b <<<"$(pixel 427 328)"; [ "$r" -lt 40 ]; }  # inside ShapeM4
