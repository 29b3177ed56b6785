# Sourced by the drivers of the Windows program under wine on Xvfb, after
# window-helpers.sh: starting the program and waiting for its window and its end,
# registering, and a test abandoned with EXIT. A failure leaves a screenshot in $out.
pid=""
fail() {
    echo "FAIL: $*"
    /usr/bin/import-im6.q16 -window root "$out/failure.png" 2>/dev/null && echo "screenshot: $out/failure.png"
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    exit 1
}
# Runs the command (wine and its arguments) in the background, its output to the log,
# and waits up to the given tenths for the window; sets pid, wid and the window's
# origin ox, oy.
start_window() {
    local log=$1 tenths=$2; shift 2
    "$@" > "$log" 2>&1 &
    pid=$!
    wid=$(wait_for_window '^Кварнел$' "$tenths")
    [ -n "$wid" ] || fail "the window did not appear within $((tenths / 10)) s"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$wid")"   # X, Y, WIDTH, HEIGHT
    [ "$WIDTH" = 1026 ] && [ "$HEIGHT" = 727 ] || fail "client area is ${WIDTH}x${HEIGHT}, not 1026x727"
    ox=$X; oy=$Y
}
# Waits up to the given tenths for the program to end and checks its exit code 0.
expect_exit() {
    for _ in $(seq 1 "$1"); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "the program did not end"
    local code=0
    wait "$pid" || code=$?
    pid=""
    [ "$code" = 0 ] || fail "exit code $code"
}
register() {
    click 928 641                            # TEST
    xdotool type --delay 40 "41-TE"
    xdotool key Tab
    xdotool type --delay 40 "Petrov"
    click 604 692 0.5                        # ВВОД
}
# Registers, answers three questions and presses EXIT; the program must end with exit
# code 0 and the journal must hold what it held before (a copy) and one more line, the
# abandoned test's, in Windows-1251 with CR LF.
abandon_test() {
    local journal=$1 before=$2 added=$out/added-line
    register
    for _ in 1 2 3; do
        click 266 688 0.3                  # QUESTION?
        click 223 462 0.3                  # ShapeV1
    done
    click 925 688 0                        # EXIT with 3 of 39 questions drawn
    expect_exit 100
    local size
    size=$(stat -c %s "$before")
    cmp -s -n "$size" "$journal" "$before" || fail "the journal's earlier bytes changed: $(od -c "$journal" | head)"
    tail -c +$((size + 1)) "$journal" > "$added"
    local expected actual
    expected=$(printf ' / 41-TE / Petrov / %s\r\n' "$(printf 'Тест прерван' | iconv -f UTF-8 -t CP1251)" | od -An -tx1)
    actual=$(tail -c "$(printf ' / 41-TE / Petrov / Тест прерван\r\n' | iconv -f UTF-8 -t CP1251 | wc -c)" "$added" | od -An -tx1)
    [ "$actual" = "$expected" ] || fail "the journal does not end in the abandoned line: $(od -c "$added")"
    [ "$(tr -cd '\n' < "$added" | wc -c)" = 1 ] || fail "not one line was added: $(od -c "$added")"
    [ "$(tr -cd '\r' < "$added" | wc -c)" = 1 ] || fail "the added line does not end in one CR LF"
    local fields
    fields=$(tr -d '\r\n' < "$added" | awk -F ' / ' '{print NF}')
    [ "$fields" = 5 ] || fail "the added line has $fields fields"
    echo "ok: EXIT mid-test appended $(iconv -f CP1251 -t UTF-8 < "$added" | tr -d '\r\n') (Windows-1251, CR LF), exit code 0"
}
