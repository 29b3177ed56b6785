#!/usr/bin/env bash
# Makes the Debian package from a built tree and checks what it holds: exactly
# the program and the journal reader with their manual pages, the menu entry,
# one icon per PNG size, the metainfo and the copyright file (never a results
# journal); stripped programs;
# the font dependency and generated library dependencies; and that the menu
# entry and metainfo validate. Usage: check-package.sh <build dir> <source dir>
set -euo pipefail
build=$(readlink -f "$1"); source=$(readlink -f "$2")
. "$source/tests/support/skip.sh"
for tool in cpack dpkg-deb dpkg-shlibdeps file desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/deps installs it)"
done
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) \
    || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/out/kvarnel_*.deb)
dpkg-deb -x "$deb" "$work/root"
root=$work/root/usr

expected=(bin/kvarnel bin/kvarnel-results share/man/man1/kvarnel-results.1 share/applications/io.github.kvarnel.Kvarnel.desktop share/doc/kvarnel/copyright
          share/man/man1/kvarnel.1 share/metainfo/io.github.kvarnel.Kvarnel.metainfo.xml)
for png in "$source"/assets/icon/kvarnel-*.png; do
    size=${png##*/kvarnel-}; size=${size%.png}
    expected+=("share/icons/hicolor/${size}x${size}/apps/kvarnel.png")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f -printf '%P\n' | sort) \
    || fail "the package holds other files than expected (< expected, > packaged)"
[ -z "$(cd "$work/root" && find . -name '*.txt')" ] || fail "the package holds a text file"

for program in kvarnel kvarnel-results; do
    file "$root/bin/$program" | grep -q ', stripped' || fail "$program is not stripped: $(file "$root/bin/$program")"
done
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-liberation2 libqt6widgets6 libturbojpeg0 libc6; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
grep -qi wayland <<<"$depends" && fail "Depends names a Wayland package: $depends"
[ "$(dpkg-deb -f "$deb" Section)" = education ] || fail "section is $(dpkg-deb -f "$deb" Section)"
if dpkg-deb -I "$deb" | grep -qE ' (preinst|postinst|prerm|postrm)$'; then fail "the package has maintainer scripts"; fi

desktop-file-validate "$root"/share/applications/*.desktop || fail "desktop entry does not validate"
appstreamcli validate --no-net "$root"/share/metainfo/*.xml || fail "metainfo does not validate"
echo "ok: $(basename "$deb"), Depends: $depends"
