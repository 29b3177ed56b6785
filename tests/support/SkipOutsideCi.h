#pragma once
// For a test that cannot run here (a missing tool or device): on a developer's
// machine it is skipped with its reason; in CI (CI=true), whose scripts install
// everything the tests need, the same reason fails it, since a skip there would
// leave a path untested on every run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace kvarnel::testing {

// Call as `return skipOutsideCi(reason);` from the test's body.
inline void skipOutsideCi(const std::string& reason) {
    const char* ci = std::getenv("CI");
    if (ci != nullptr && std::string(ci) == "true")
        FAIL() << reason << " (in CI, CI=true, a test must not skip)";
    GTEST_SKIP() << reason;
}

}  // namespace kvarnel::testing
