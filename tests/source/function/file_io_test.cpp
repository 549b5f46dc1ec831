#include <gtest/gtest.h>

#include <filesystem>

#include "file_io.hpp"
#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;

TEST(FileIo, AtomicWritesReplaceOnlyPlainFiles) {
    zrtest::TempDir dir;
    const std::string file = dir.write("a.txt", "OLD");
    EXPECT_EQ(wl::targetKind(file), wl::TargetKind::Regular);
    EXPECT_EQ(wl::writeFileAtomically(file, "NEW"), 0);
    EXPECT_EQ(zrtest::readBytes(file), "NEW");
    // A folder, empty or not, is never replaced by a file.
    const std::string folder = dir.file("logs");
    fs::create_directories(folder);
    EXPECT_EQ(wl::targetKind(folder), wl::TargetKind::Folder);
    EXPECT_EQ(wl::writeFileAtomically(folder, "TEXT"), 5);
    EXPECT_TRUE(fs::is_directory(folder));
    const std::string temp = dir.write("t.zrtmp", "T");
    EXPECT_EQ(wl::replaceFile(temp, folder), 5);
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(wl::targetKind(dir.file("none")), wl::TargetKind::Missing);
    EXPECT_EQ(fs::directory_iterator(folder), fs::directory_iterator());
}

// The replace is one step: the old target stays whole when it fails, and
// the error is the system's own, not one code for everything.
TEST(FileIo, ReplaceKeepsTheTargetAndReportsTheSystemsError) {
    zrtest::TempDir dir;
    const std::string target = dir.write("out.txt", "OLD");
    EXPECT_EQ(wl::replaceFile(dir.file("missing.zrtmp"), target), 2);
    EXPECT_EQ(zrtest::readBytes(target), "OLD");
    EXPECT_NE(wl::replaceFile(dir.file("missing.zrtmp"), dir.file("no-such-folder/out.txt")), 0);
    const std::string temp = dir.write("out.txt.zrtmp", "NEW");
    EXPECT_EQ(wl::replaceFile(temp, target), 0);
    EXPECT_EQ(zrtest::readBytes(target), "NEW");
    EXPECT_FALSE(fs::exists(temp));
    // A new target is simply made.
    EXPECT_EQ(wl::replaceFile(dir.write("b.zrtmp", "B"), dir.file("b.txt")), 0);
    EXPECT_EQ(zrtest::readBytes(dir.file("b.txt")), "B");
}

#ifndef _WIN32
TEST(FileIo, PipesAndDevicesAreWrittenInPlace) {
    zrtest::TempDir dir;
    const std::string pipe = dir.file("pipe");
    zrtest::HeldPipe held(pipe);
    ASSERT_TRUE(held.ok());
    EXPECT_EQ(wl::targetKind(pipe), wl::TargetKind::Device);
    EXPECT_EQ(wl::writeFileAtomically(pipe, "THROUGH"), 0);
    EXPECT_EQ(held.received(), "THROUGH");
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_FALSE(fs::exists(pipe + ".zrtmp"));
    // A full device reports its error and stays a device.
    if (fs::is_character_file("/dev/full")) {
        EXPECT_EQ(wl::writeFileAtomically("/dev/full", "X"), 112);
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
}
#endif

}  // namespace
