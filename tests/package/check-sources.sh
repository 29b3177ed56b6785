#!/usr/bin/env bash
# Checks what the package is made from against the project's own records:
# debian/changelog's newest version is the project's version; debian/copyright
# holds each licence file's text word for word; the built manual pages read in
# any locale and name the version (manual-pages.sh).
# Usage: check-sources.sh <source dir> <build dir> <project version>
set -euo pipefail
source=$(readlink -f "$1"); build=$(readlink -f "$2"); version=$3
. "$source/tests/support/skip.sh"
command -v man >/dev/null || skip "man is not installed (scripts/deps installs man-db)"
. "$source/tests/package/manual-pages.sh"
status=0

changelog=$(sed -n '1s/^kvarnel (\([^)]*\)).*/\1/p' "$source/debian/changelog")
[ "$changelog" = "$version" ] \
    || { echo "FAIL: debian/changelog's newest entry is ${changelog:-unreadable}, the project is $version"; status=1; }

# A stand-alone licence paragraph of debian/copyright (one that opens with its
# License field), as the plain text it stands for.
licence_text() {
    awk -v name="$1" 'on && !/^ / { exit }
                      on { sub(/^ /, ""); if ($0 == ".") $0 = ""; print }
                      $0 == "License: " name && opening { on = 1 }
                      { opening = ($0 == "") }' "$source/debian/copyright"
}
# Without trailing blanks and trailing empty lines.
trimmed() { sed 's/[[:space:]]*$//' | awk 'NF { for (; n > 0; n--) print ""; print; next } { n++ }'; }
for pair in Expat:LICENSE CC-BY-4.0:assets/LICENSE; do
    name=${pair%%:*}; file=${pair#*:}
    diff <(licence_text "$name" | trimmed) <(trimmed <"$source/$file") >/dev/null \
        || { echo "FAIL: debian/copyright's $name text differs from $file"; status=1; }
done

for page in "$build/packaging/kvarnel.1" "$build/results/kvarnel-results.1"; do
    check_manual_page "$page" "$version" || status=1
done
[ $status -eq 0 ] && echo "ok: changelog $changelog, licence texts, manual pages"
exit $status
