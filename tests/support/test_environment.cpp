// Every test program starts with the environment its tests expect. The
// discovered tests cannot carry more than one ENVIRONMENT entry through
// gtest_discover_tests (the list is flattened), so the paths come in as
// compile definitions and are set here unless the caller set them already.
#include <cstdlib>

namespace {
const bool environmentReady = [] {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("KAVENDIX_SOURCE_DIR", KAVENDIX_TEST_SOURCE_DIR, 0);
    ::setenv("KAVENDIX_CLI", KAVENDIX_TEST_CLI, 0);
    return true;
}();
} // namespace
