#include <gtest/gtest.h>

#include "map_names.hpp"

namespace {

TEST(MapNames, TableCorners) {
    EXPECT_EQ(zr::mapName(1, 1), "004010X096A1.cfg");
    EXPECT_EQ(zr::mapName(10, 2), "005010X222A2.cfg");
    EXPECT_EQ(zr::mapName(3, 2), "005010X212A.cfg");
    EXPECT_EQ(zr::mapName(12, 3), "820.cfg");
    EXPECT_EQ(zr::mapName(0, 1), "");
    EXPECT_EQ(zr::mapName(13, 1), "");
    EXPECT_EQ(zr::mapName(1, 4), "");
    EXPECT_EQ(zr::mapSchemeCaption(1), "Version Secific 4010");
}

}  // namespace
