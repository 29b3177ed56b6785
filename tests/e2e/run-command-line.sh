#!/usr/bin/env bash
# The program's answers to --help and --version: without a display, a runtime
# folder or a locale, it prints its answer alone and exits 0 (1 when the answer
# cannot be written), making no window and no file. Any other argument is
# ignored: the program goes on to start its window, which fails without a display.
# Usage: run-command-line.sh PROGRAM VERSION
set -euo pipefail
program=$(readlink -f "$1"); version=$2
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work"
ulimit -c 0   # the ignored argument's failed start aborts: no core file
fail() { echo "FAIL: kvarnel $*"; exit 1; }
# arguments | output file | exit status | a whole line of the output (stdout on 0, else stderr)
while IFS='|' read -r args output status line; do
    line=${line//@VERSION@/$version}
    got=0
    # shellcheck disable=SC2086 # the arguments split at blanks
    { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR -u LANG -u LC_ALL \
        "$program" $args >"$output" 2>"$work/err" || got=$?; } 2>/dev/null   # not bash's "Aborted"
    [ "$got" = "$status" ] || fail "$args: exit status $got, not $status: $(head -c 400 "$work/err")"
    if [ "$status" = 0 ]; then
        grep -qxF -- "$line" "$output" || fail "$args: no line \"$line\" in: $(cat "$output")"
        [ ! -s "$work/err" ] || fail "$args wrote an error: $(cat "$work/err")"
    elif [ "$output" != /dev/full ]; then
        grep -qF -- "$line" "$work/err" || fail "$args: \"$line\" not in its error output: $(cat "$work/err")"
        [ ! -s "$output" ] || fail "$args printed: $(cat "$output")"
    fi
    rm -f "$work/out" "$work/err"
    [ -z "$(ls -A "$work")" ] || fail "$args left files: $(ls -A "$work")"
done <<'ROWS'
--help|out|0|Usage: kvarnel [--help | --version]
--help|out|0|"Тест_кварнел.txt" in the directory the program is started from. The program
--help|out|0|Other arguments are ignored. More in the manual: man kvarnel
--version|out|0|kvarnel @VERSION@
-platform offscreen --version --help|out|0|kvarnel @VERSION@
--help|/dev/full|1|
--helpx -h|out|134|no Qt platform plugin could be initialized
ROWS
echo "ok: --help and --version answered without a display; other arguments ignored"
