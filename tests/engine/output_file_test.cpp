// Output files that replace their earlier version only when complete.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "output_file.hpp"
#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;

TEST(OutputFile, AFailedMergeCutsTheFileBackToWhatItHeld) {
    zrtest::TempDir dir;
    const std::string path = dir.write("out.xml", "<EXPORTDATA>\r\n<CLAIM>\r\n</CLAIM>\r\n</EXPORTDATA>\r\n");
    {
        zr::OutputFile out;
        ASSERT_EQ(out.append(path, "</EXPORTDATA>"), 0);
        out.write("<CLAIM>\r\n");
        out.abandon();
    }
    EXPECT_EQ(zrtest::readBytes(path), "<EXPORTDATA>\r\n<CLAIM>\r\n</CLAIM>\r\n</EXPORTDATA>\r\n");
    {
        zr::OutputFile out;
        ASSERT_EQ(out.append(path, "</EXPORTDATA>"), 0);
        out.write("<C2/>\r\n</EXPORTDATA>\r\n");
        EXPECT_EQ(out.commit(), 0);
    }
    EXPECT_EQ(zrtest::readBytes(path), "<EXPORTDATA>\r\n<CLAIM>\r\n</CLAIM>\r\n<C2/>\r\n</EXPORTDATA>\r\n");
}

#ifndef _WIN32
// A write that fails (a full device) is reported by its code, never taken
// for success. Appending opens the device in place: nothing is created there.
TEST(OutputFile, AFailedWriteIsReportedByItsCode) {
    if (!fs::is_character_file("/dev/full")) GTEST_SKIP() << "no /dev/full";
    zr::OutputFile out;
    ASSERT_EQ(out.append("/dev/full"), 0);
    out.write("A,B\r\n");
    EXPECT_EQ(out.commit(), 112);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}
#endif

TEST(OutputFile, ANewFileAppearsOnlyWhenComplete) {
    zrtest::TempDir dir;
    const std::string path = dir.write("out.csv", "OLD\r\n");
    {
        zr::OutputFile out;
        ASSERT_EQ(out.create(path), 0);
        out.write("NEW\r\n");
        EXPECT_EQ(zrtest::readBytes(path), "OLD\r\n");
    }  // abandoned
    EXPECT_EQ(zrtest::readBytes(path), "OLD\r\n");
    EXPECT_FALSE(fs::exists(path + ".zrtmp"));
}

}  // namespace
