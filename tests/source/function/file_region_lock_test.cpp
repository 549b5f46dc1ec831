// Byte-range locks: a region held through one handle is refused to
// another handle and to another process until released; the table
// convention's record and file regions overlap as they must.
#include "file_region_lock.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "test_support.hpp"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

std::string regionFile(const zrtest::TempDir& dir) {
    const std::string path = dir.file("T.DBF");
    std::ofstream(path, std::ios::binary) << "table";
    return path;
}

TEST(FileRegionLocks, ARegionIsHeldUntilReleased) {
    zrtest::TempDir dir;
    wl::FileRegionLocks a(regionFile(dir));
    EXPECT_TRUE(a.lockRecord(2));
    EXPECT_TRUE(a.lockRecord(2));  // held here already
    a.unlockRecord(2);
    EXPECT_TRUE(a.lockFile());
    a.unlockAll();
    // A file that cannot be opened for writing locks within the process only.
    wl::FileRegionLocks missing(dir.file("NONE.DBF"));
    EXPECT_TRUE(missing.lockRecord(1));
}

#ifndef _WIN32
TEST(FileRegionLocks, AnotherHandleOrProcessIsRefused) {
    zrtest::TempDir dir;
    const std::string path = regionFile(dir);
    wl::FileRegionLocks a(path), b(path);
    ASSERT_TRUE(a.lockRecord(2));
    EXPECT_FALSE(b.lockRecord(2));
    EXPECT_TRUE(b.lockRecord(3));
    EXPECT_FALSE(b.lockFile());  // covers record 2
    b.unlockAll();
    EXPECT_FALSE(b.lockFile());
    a.unlockAll();
    EXPECT_TRUE(b.lockFile());
    EXPECT_FALSE(a.lockRecord(7));
    b.unlockAll();

    // Another process holding record 5 until told to go.
    int ready[2], go[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(go), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        wl::FileRegionLocks held(path);
        const char ok = held.lockRecord(5) ? 'y' : 'n';
        (void)!write(ready[1], &ok, 1);
        char c;
        (void)!read(go[0], &c, 1);
        _exit(0);
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    EXPECT_EQ(ok, 'y');
    EXPECT_FALSE(a.lockRecord(5));
    EXPECT_TRUE(a.lockRecord(6));
    EXPECT_FALSE(a.lockFile());
    (void)!write(go[1], "x", 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(a.lockRecord(5));  // released when the holder ended
    for (int fd : {ready[0], ready[1], go[0], go[1]}) close(fd);
}
#endif

}  // namespace
