#include <gtest/gtest.h>

#include "run_log.hpp"

namespace {

TEST(RunLog, TimedAndPlainLinesEndWithCrLf) {
    zr::RunLog log([] { return std::string("12:34:56"); });
    log.timed("Map File Set A to my837");
    log.plain("   Map File : my837");
    EXPECT_EQ(log.text(), "12:34:56 - Map File Set A to my837\r\n   Map File : my837\r\n");
    EXPECT_EQ(zr::currentTimeText().size(), 8u);
}

}  // namespace
