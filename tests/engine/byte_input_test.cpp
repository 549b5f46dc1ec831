#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "byte_input.hpp"
#include "test_support.hpp"

namespace {

// Every byte up to the size measured at open, or an error: a file cut
// while it is read never ends quietly short.
TEST(ByteInput, AFileCutWhileItIsReadIsAReadError) {
    zrtest::TempDir dir;
    // Larger than any stdio buffer, so that the cut is seen by the reads.
    const std::string path = dir.write("in.csv", std::string(1 << 20, 'x'));
    zr::ByteInput whole(path, 1024);
    while (!whole.atEnd()) {
        whole.consume(whole.view().size());
        whole.more();
    }
    whole.consume(whole.view().size());
    EXPECT_TRUE(whole.ok());
    EXPECT_EQ(whole.position(), 1u << 20);

    zr::ByteInput cut(path, 1024);
    std::filesystem::resize_file(path, 100000);
    while (!cut.atEnd()) {
        cut.consume(cut.view().size());
        cut.more();
    }
    EXPECT_FALSE(cut.ok());
    EXPECT_EQ(cut.error(), 30);
}

}  // namespace
