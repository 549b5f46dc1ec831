// The library's numbered errors as thrown and as the error handler reads them.
#include "library_error.hpp"

#include <gtest/gtest.h>

#include "error_report.hpp"

namespace {

using namespace wl;

TEST(LibraryError, LowMemoryIsTheWarningNumberFour) {
    try {
        __LOWMEMERROR();
        FAIL() << "nothing thrown";
    } catch (const LibraryError& e) {
        EXPECT_EQ(e.code(), 4);
        EXPECT_STREQ(e.what(), "Memory Low");
        // What the handler makes of it.
        const auto info = _WLGENERROR(e.code(), e.operation());
        ASSERT_TRUE(info);
        EXPECT_EQ(ERRORMESSAGE(*info), "Warning BASE/5300  Memory Low");
    }
}

}  // namespace
