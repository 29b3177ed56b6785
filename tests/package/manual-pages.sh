# Sourced by the package checks. check_manual_page <page> <version>: the page
# (plain or gzipped) renders without a groff warning both in the C locale,
# where the terminal has no Cyrillic letters, and in a UTF-8 locale; its
# footer names "Kvarnel <version>"; where it names the results journal, the
# name reads in both: in Cyrillic with its Latin transliteration beside it, or
# transliterated and said to be so. Prints what is wrong and returns 1.
check_manual_page() {
    local page=$1 version=$2 locale text status=0
    for locale in C C.UTF-8; do
        # A clean environment: only LANG chooses the locale, and one wide line per paragraph.
        if ! text=$(env -i PATH="$PATH" LANG="$locale" MANWIDTH=1000 man --warnings -l "$page" 2>&1 >/dev/null); then
            echo "FAIL: man cannot render $page in LANG=$locale: $text"; return 1
        fi
        [ -z "$text" ] || { echo "FAIL: $page in LANG=$locale: $text"; status=1; }
        text=$(env -i PATH="$PATH" LANG="$locale" MANWIDTH=1000 man -l "$page" 2>/dev/null | tr -s ' \n' '  ')
        grep -qF "Kvarnel $version " <<<"$text" || { echo "FAIL: $page does not name Kvarnel $version"; status=1; }
        if [ "$locale" = C ]; then
            if LC_ALL=C grep -q '[^ -~]' <<<"$text"; then
                echo "FAIL: $page in LANG=C holds characters an ASCII terminal cannot show"; status=1
            fi
            if grep -qF '_.txt' <<<"$text" || { grep -qF 'Test_kvarnel.txt' <<<"$text" \
                    && ! grep -qF 'Test_kvarnel.txt (here in Latin letters: the name is in Cyrillic)' <<<"$text"; }; then
                echo "FAIL: $page in LANG=C does not give the journal's name as a transliteration"; status=1
            fi
        elif grep -qF 'Тест_кварнел.txt' <<<"$text" \
                && ! grep -qF 'Тест_кварнел.txt (in Latin letters: Test_kvarnel.txt)' <<<"$text"; then
            echo "FAIL: $page in LANG=$locale does not give the journal's transliteration beside its name"; status=1
        fi
    done
    return $status
}
