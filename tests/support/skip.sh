# Sourced by the test scripts. `skip REASON` for a test that cannot run here (a
# missing tool): on a developer's machine it is skipped (exit 77, the tests'
# SKIP_RETURN_CODE) with its reason; in CI (CI=true), whose scripts install
# everything the tests need, the same reason fails it, since a skip there would
# leave a path untested on every run.
skip() {
    if [ "${CI:-}" = true ]; then
        echo "FAIL: $* (in CI, CI=true, a test must not skip)"
        exit 1
    fi
    echo "SKIPPED: $*"
    exit 77
}
