#!/usr/bin/env bash
# The Windows installer package under wine: builds the previous version's package
# from the same program folder, makes a fresh wine prefix and runs the cases of
# msi-wine.cases in it, in order, on Xvfb. Each msiexec run is silent, logs verbosely
# into the output folder and prints its full exit code; after every case each journal
# seen so far must still hold exactly its bytes.
# Usage: run-msi-wine.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
root=$(cd "$here/../.." && pwd)
build=$(readlink -f "$1"); out=$2
. "$here/../support/skip.sh"
for tool in xvfb-run xdotool wine wineserver unzip wixl wixl-heat msiinfo msibuild iconv; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/build-windows installs it)"
done
[ -x /usr/bin/import-im6.q16 ] || skip "ImageMagick's import is not installed (scripts/build-windows installs it)"
current=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
declare -A package=([current]=$build/kvarnel-$current-x64.msi)
[ -f "${package[current]}" ] || skip "${package[current]} is missing: scripts/build-windows makes it"
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$@"
fi

source "$here/window-helpers.sh"
source "$here/wine-session.sh"
rm -rf "$out"; mkdir -p "$out"; out=$(readlink -f "$out")
unzip -q "$build/kvarnel-windows-x86_64.zip" -d "$out/zip"
zipped=$out/zip/kvarnel-windows-x86_64
# The previous version: the same files, one step lower (1.1.0 -> 1.0.0).
IFS=. read -r major minor patch <<<"$current"
if [ "$patch" -gt 0 ]; then patch=$((patch - 1)); elif [ "$minor" -gt 0 ]; then minor=$((minor - 1)); else major=$((major - 1)); fi
previous=$major.$minor.$patch
package[previous]=$out/kvarnel-$previous-x64.msi
"$root/scripts/windows/msi" "$build" "$previous" "${package[previous]}" >/dev/null
declare -A version=([current]=$current [previous]=$previous) code=()
for which in current previous; do
    code[$which]=$(msiinfo export "${package[$which]}" Property | sed -n 's/^ProductCode\t//p' | tr -d '\r')
done

export WINEPREFIX=$out/wineprefix WINEARCH=win64 WINEDEBUG=-all LC_ALL=C.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM QT_QPA_PLATFORM_PLUGIN_PATH
start=$(date +%s)
"$root/scripts/windows/wine-prefix" || fail "no wine prefix"
echo "ok: fresh wine prefix in $(($(date +%s) - start)) s"
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
drive=$WINEPREFIX/drive_c
(cd "$drive" && find . | LC_ALL=C sort) > "$out/prefix-before"
program_dir='C:\Program Files\Kvarnel'    # where the installed program is, as Windows names it

unix_path() { local p=${1#C:\\}; echo "$drive/${p//\\//}"; }
utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 | tr -d ' \n'; }
shortcut() { find "$drive" -name Kvarnel.lnk | head -1; }
registered() { wine reg query "$1" >/dev/null 2>&1; }
uninstall_key() { echo "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${code[$1]}"; }

# --- The checks that the cases name.
declare -A kept=()
put_journal() {
    local dir; dir=$(unix_path "$1")
    mkdir -p "$dir"
    printf '07.12.2026 / 14:13:51 / 41-ТЭ / Петров / good\r\n08.12.2026 / 9:05:11 / 42-ТЭ / Козлов / Тест прерван\r\n' |
        iconv -f UTF-8 -t CP1251 > "$dir/Тест_кварнел.txt"
    remember "$dir/Тест_кварнел.txt"
}
remember() { kept[$1]=$out/kept-${#kept[@]}; cp "$1" "${kept[$1]}"; }
journal_made() {
    local journal; journal=$(unix_path "$1")/Тест_кварнел.txt
    [ -f "$journal" ] && [ ! -s "$journal" ] || fail "no empty journal was made in $1"
    remember "$journal"
}
log_names() { grep -aqF "$*" "$log" || fail "the log does not say \"$*\""; }
# installed current|previous [FOLDER]: that version alone is registered, with the zip's
# files in FOLDER (by default where the program was before) and its shortcut.
installed() {
    program_dir=${2:-$program_dir}
    registered "$(uninstall_key "$1")" || fail "version ${version[$1]} is not registered"
    local other=previous; [ "$1" = current ] || other=current
    ! registered "$(uninstall_key $other)" || fail "version ${version[$other]} is still registered"
    wine reg query "$(uninstall_key "$1")" > "$out/arp" 2>&1
    diff -r "$zipped" "$(unix_path "$program_dir")" > "$out/files.diff" ||
        fail "the files in $program_dir differ from the zip's: $(head "$out/files.diff")"
    [ -n "$(shortcut)" ] || fail "no Start-menu shortcut"
}
arp() {
    local field
    for field in "DisplayName    REG_SZ    Kvarnel" "Publisher    REG_SZ    The Kvarnel developers" \
                 "DisplayVersion    REG_SZ    $current" "HelpLink    REG_SZ    https://" \
                 "InstallLocation    REG_SZ    C:\\Program Files\\Kvarnel\\"; do
        grep -qF "$field" "$out/arp" || fail "Add/Remove Programs lacks \"$field\": $(cat "$out/arp")"
    done
    # The list's icon (ProductIcon), kept by the installer beside the product's data.
    cmp -s "$drive/windows/Installer/${code[current]}/kvarnel.ico" "$root/assets/icon/kvarnel.ico" ||
        fail "Add/Remove Programs has not the program's icon"
}
# shortcut_in FOLDER: the shortcut starts the installed kvarnel.exe in FOLDER. Its
# start folder is one UTF-16 string; its target a list of names, folder by folder
# (wine writes the whole path only in the ANSI code page, which lacks Cyrillic).
shortcut_in() {
    local lnk names name
    lnk=$(shortcut)
    od -An -tx1 "$lnk" | tr -d ' \n' > "$out/lnk.hex"
    grep -q "$(utf16 "$1")" "$out/lnk.hex" || fail "the shortcut does not start in $1"
    IFS='\' read -r -a names <<<"${program_dir#?:\\}\\kvarnel.exe"
    for name in "${names[@]}"; do
        grep -q "$(utf16 "$name")" "$out/lnk.hex" || fail "the shortcut does not start $program_dir\\kvarnel.exe"
    done
}
# Whether kvarnel.exe runs in this prefix (other wine prefixes may run one too).
program_running() {
    local p
    for p in /proc/[0-9]*; do
        # (grep reads to the end: with -q, tr could die of a closed pipe, which pipefail reports.)
        tr '\0' '\n' 2>/dev/null < "$p/cmdline" | grep 'kvarnel\.exe$' >/dev/null &&
            tr '\0' '\n' 2>/dev/null < "$p/environ" | grep -x "WINEPREFIX=$WINEPREFIX" >/dev/null && return 0
    done
    return 1
}
take_test() {
    local journal; journal=$(unix_path "$1")/Тест_кварнел.txt
    start_window "$out/program.log" 900 wine start /wait "$(wine winepath -w "$(shortcut)" | tr -d '\r')"
    abandon_test "$journal" "${kept[$journal]}"
    cp "$journal" "${kept[$journal]}"
    for _ in $(seq 1 100); do program_running || break; sleep 0.1; done
    ! program_running || fail "kvarnel.exe still runs after its EXIT"
}
# The installed journal reader lists every line of the journal.
results_read() {
    local journal; journal=$(unix_path "$1")/Тест_кварнел.txt
    wine "$program_dir\\kvarnel-results.exe" "$(wine winepath -w "$journal" | tr -d '\r')" \
        > "$out/results.txt" 2>&1 </dev/null || fail "kvarnel-results failed: $(cat "$out/results.txt")"
    # The records: the lines between the heading and the blank line before the summary.
    local records; records=$(awk 'NR > 1 && NF == 0 {exit} NR > 1 {n++} END {print n + 0}' "$out/results.txt")
    [ "$records" = "$(tr -cd '\n' < "$journal" | wc -c)" ] || fail "kvarnel-results read $records records: $(cat "$out/results.txt")"
}
nothing_installed() {
    [ ! -e "$(unix_path "$program_dir")" ] || fail "$program_dir is there: $(ls "$(unix_path "$program_dir")")"
    [ -z "$(shortcut)" ] || fail "the shortcut is there: $(shortcut)"
    ! registered 'HKLM\Software\Kvarnel' || fail "HKLM\\Software\\Kvarnel is there"
    ! registered "$(uninstall_key current)" && ! registered "$(uninstall_key previous)" || fail "Kvarnel is registered"
}
# After the last removal: nothing in the prefix but what wine itself keeps and the journals' folders.
nothing_left() {
    (cd "$drive" && find . | LC_ALL=C sort) > "$out/prefix-after"
    comm -13 "$out/prefix-before" "$out/prefix-after" | grep -v -e '^\./windows/Installer$' \
        -e '^\./users/Public/Documents/Kvarnel\(/Тест_кварнел\.txt\)\?$' -e '^\./Результаты\(/Лаб-1\(/Тест_кварнел\.txt\)\?\)\?$' \
        > "$out/left" || true
    [ ! -s "$out/left" ] || fail "left behind: $(cat "$out/left")"
}
# (Tables are read whole: grep -q would end a pipe early, which pipefail reports.)
tables() {
    local p=${package[current]} exe t
    declare -A table
    for t in Property File Shortcut InstallExecuteSequence CustomAction Upgrade LaunchCondition; do
        table[$t]=$(msiinfo export "$p" "$t" | tr -d '\r' | tail -n +4)
    done
    grep -q '^Template: x64;1033' <<<"$(msiinfo suminfo "$p")" || fail "not an x64 package"
    grep -q '^ALLUSERS	1$' <<<"${table[Property]}" || fail "not per machine"
    exe=$(awk -F '\t' '$3 == "kvarnel.exe" {print $1}' <<<"${table[File]}")
    grep -q "^KvarnelShortcut	ProgramMenuFolder	Kvarnel	StartMenu	\[#$exe\]	.*	kvarnel.ico	.*JOURNALDIR" \
        <<<"${table[Shortcut]}" || fail "the shortcut does not start kvarnel.exe ($exe) in JOURNALDIR: ${table[Shortcut]}"
    [ "$(awk -F '\t' '{print $3}' <<<"${table[File]}" | sort)" = "$(find "$zipped" -type f -printf '%f\n' | sort)" ] ||
        fail "the package's files are not the zip's: ${table[File]}"
    # The results folder is made (and run, by InstallExecute) before the older version
    # is removed and before any file is copied.
    awk -F '\t' '{at[$1] = $3} END {exit !(at["InstallInitialize"] < at["PrepareJournalFolder"] &&
        at["PrepareJournalFolder"] < at["InstallExecute"] && at["InstallExecute"] < at["RemoveExistingProducts"] &&
        at["RemoveExistingProducts"] < at["InstallFiles"])}' <<<"${table[InstallExecuteSequence]}" ||
        fail "the results folder does not come first: ${table[InstallExecuteSequence]}"
    grep -q '^PrepareJournalFolder	3073	SetupDll	PrepareJournalFolder' <<<"${table[CustomAction]}" ||
        fail "PrepareJournalFolder is not a deferred DLL entry run as the system"
    grep -q '^SecureCustomProperties	.*JOURNALDIR;INSTALLDIR;APPENDONLY' <<<"${table[Property]}" ||
        fail "JOURNALDIR, INSTALLDIR and APPENDONLY do not reach the server side"
    # A downgrade is refused with a message (which wine does not log).
    grep -q "^{.*}	$current	.*	514		WIX_DOWNGRADE_DETECTED" <<<"${table[Upgrade]}" &&
        grep -q '^NOT WIX_DOWNGRADE_DETECTED	A newer version of Kvarnel is already installed' <<<"${table[LaunchCondition]}" ||
        fail "no refusal of a downgrade: ${table[Upgrade]} ${table[LaunchCondition]}"
}

# --- The cases, in order.
trim() { local text=$1; text=${text#"${text%%[![:space:]]*}"}; echo "${text%"${text##*[![:space:]]}"}"; }
n=0
while IFS='|' read -r -u 3 name which option properties expected checks; do
    name=$(trim "$name"); which=$(trim "$which"); option=$(trim "$option")
    properties=$(trim "$properties"); expected=$(trim "$expected")
    [ -n "$name" ] && [ "${name:0:1}" != "#" ] || continue
    n=$((n + 1)); log=$out/$n.log
    if [ "$which" != - ]; then
        began=$(date +%s%N)
        command="msiexec $option Z:${package[$which]//\//\\} $properties /qn /l*v Z:${log//\//\\}"
        # wine cuts exit codes to 8 bits; cmd's ERRORLEVEL keeps them whole.
        result=$({ wine cmd /c "start /wait $command & echo %ERRORLEVEL%" </dev/null || true; } | tail -1 | tr -d '\r')
        took=$((($(date +%s%N) - began) / 1000000))
        [ "$result" = "$expected" ] || fail "$name: msiexec exited with $result, not $expected (log: $log)"
    fi
    IFS=';' read -r -a steps <<<"$checks"
    for step in "${steps[@]}"; do
        read -r -a words <<<"$step"
        [ ${#words[@]} -eq 0 ] || "${words[@]}"
    done
    for journal in "${!kept[@]}"; do
        cmp -s "$journal" "${kept[$journal]}" || fail "$name: the journal $journal changed"
    done
    if [ "$which" != - ]; then
        printf 'ok: %s: msiexec %s %s %s: exit code %s in %d.%d s\n' "$name" "$option" "${package[$which]##*/}" \
               "$properties" "$result" $((took / 1000)) $((took % 1000 / 100))
    else
        echo "ok: $name"
    fi
done 3< "$here/msi-wine.cases"
echo "Windows installer: ${package[current]##*/}, $(du -k "${package[current]}" | cut -f1) KiB"
