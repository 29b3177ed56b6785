#!/usr/bin/env bash
# Checks the Debian packages that scripts/package-deb built, named by their
# .changes file: the binary package holds exactly the program and the journal
# reader with their manual pages, the menu entry, one icon per PNG size, the
# metainfo, the copyright file, the changelog and the lintian overrides (never
# a results journal);
# stripped, hardened programs (their debugging symbols in the -dbgsym package)
# compiled with Debian's flags (the build log beside the .changes file); the
# font dependency and generated library dependencies, no Wayland package;
# manual pages that read in any locale; the menu entry and metainfo validate;
# and lintian, pedantic, finds no error and no warning in the binary packages,
# the source package and the .changes file.
# Usage: check-package.sh <kvarnel_<version>_<arch>.changes> <source dir>
set -euo pipefail
changes=$(readlink -f "$1"); source=$(readlink -f "$2")
. "$source/tests/support/skip.sh"
for tool in dpkg-deb file lintian hardening-check man desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/package-deb installs it)"
done
. "$source/tests/package/manual-pages.sh"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

out=$(dirname "$changes")
# The files the .changes file lists: "<md5> <size> <section> <priority> <name>".
listed=$(sed -n '/^Files:/,/^[^ ]/s/^ [0-9a-f]\{32\} .* \([^ ]*\)$/\1/p' "$changes")
deb=$out/$(grep '^kvarnel_.*\.deb$' <<<"$listed") || fail "$changes lists no kvarnel package"
dbgsym=$out/$(grep '^kvarnel-dbgsym_.*\.deb$' <<<"$listed") || fail "$changes lists no -dbgsym package"
version=$(dpkg-deb -f "$deb" Version)
log=$out/kvarnel_${version}_build.log
dpkg-deb -x "$deb" "$work/root"
root=$work/root/usr

expected=(bin/kvarnel bin/kvarnel-results share/man/man1/kvarnel-results.1.gz share/man/man1/kvarnel.1.gz
          share/applications/io.github.kvarnel.Kvarnel.desktop share/doc/kvarnel/copyright
          share/doc/kvarnel/changelog.gz share/metainfo/io.github.kvarnel.Kvarnel.metainfo.xml
          share/lintian/overrides/kvarnel)
for png in "$source"/assets/icon/kvarnel-*.png; do
    size=${png##*/kvarnel-}; size=${size%.png}
    expected+=("share/icons/hicolor/${size}x${size}/apps/kvarnel.png")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f -printf '%P\n' | sort) \
    || fail "the package holds other files than expected (< expected, > packaged)"
[ -z "$(cd "$work/root" && find . -name '*.txt')" ] || fail "the package holds a text file"

# Every object compiled with Debian's optimisation, stack protector and fortified
# libc functions. hardening-check cannot tell the last for kvarnel: each of its
# fortifiable calls is either proven safe at compile time or copies into memory
# whose size no compiler sees (libstdc++'s inline string code), so it finds
# only unchecked calls (its manual page's "false alarm"); kvarnel-results,
# built alike, shows checked ones. Control-flow protection (CET) is out of
# reach on Debian 12: its C start-up files carry no CET marks, so no program
# linked here has them.
compiles=$(grep -E '^cd .* && /usr/bin/c\+\+ .* -c \S+\.cpp$' "$log" || true)
[ -n "$compiles" ] || fail "no compile command in $log"
for flag in -O2 -fstack-protector-strong -D_FORTIFY_SOURCE=2; do
    ! grep -vqF -e " $flag " <<<"$compiles" || fail "objects compiled without $flag (see $log)"
done
symbols=$(dpkg-deb -c "$dbgsym")
for program in kvarnel kvarnel-results; do
    file "$root/bin/$program" | grep -q ', stripped' || fail "$program is not stripped: $(file "$root/bin/$program")"
    nofortify=()
    [ "$program" = kvarnel ] && nofortify=(--nofortify)
    hardening-check --nocfprotection "${nofortify[@]}" "$root/bin/$program" || fail "$program lacks a hardening feature"
    id=$(file "$root/bin/$program" | sed -n 's/.*BuildID\[sha1\]=\([0-9a-f]*\).*/\1/p')
    grep -qF "/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug" <<<"$symbols" \
        || fail "the -dbgsym package lacks the symbols of $program"
done
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-liberation2 libqt6widgets6 libturbojpeg0 libc6; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
grep -qi wayland <<<"$depends" && fail "Depends names a Wayland package: $depends"
[ "$(dpkg-deb -f "$deb" Section)" = education ] || fail "section is $(dpkg-deb -f "$deb" Section)"
if dpkg-deb -I "$deb" | grep -qE ' (preinst|postinst|prerm|postrm)$'; then fail "the package has maintainer scripts"; fi
grep -qF "<url type=\"homepage\">$(dpkg-deb -f "$deb" Homepage)</url>" "$root"/share/metainfo/*.xml \
    || fail "the metainfo's home page is not the package's, $(dpkg-deb -f "$deb" Homepage)"

for page in "$root"/share/man/man1/*.1.gz; do
    check_manual_page "$page" "$version" || fail "manual page $(basename "$page")"
done
desktop-file-validate "$root"/share/applications/*.desktop || fail "desktop entry does not validate"
appstreamcli validate --no-net "$root"/share/metainfo/*.xml || fail "metainfo does not validate"

# The .changes file names the source package (.dsc) and both binary packages.
# Each remaining informational or pedantic tag is shown; overrides say why in debian/.
lintian --pedantic --display-info --fail-on error,warning "$changes" || fail "lintian reports errors or warnings"
echo "ok: $(basename "$deb"), Depends: $depends"
