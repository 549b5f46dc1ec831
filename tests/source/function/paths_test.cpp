#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "paths.hpp"
#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;

TEST(Paths, PlainFileNames) {
    for (const char* name : {"005010X222A2", "837p.cfg", "a b.cfg", ".cfg"}) EXPECT_TRUE(wl::isPlainFileName(name)) << name;
    for (const char* name : {"", "..", "../x", "a/b", "a\\b", "C:x", "/abs", "x\x01y", "a..b"})
        EXPECT_FALSE(wl::isPlainFileName(name)) << name;
    EXPECT_FALSE(wl::isPlainFileName(std::string("a\0b", 3)));
}

// A joined path keeps the separator its folder uses: logs and CSV rows
// never mix "/" and "\\".
TEST(Paths, JoinKeepsTheFoldersSeparator) {
    const std::string native(1, wl::pathSeparator());
    struct Case {
        std::string folder, name, want;
    };
    const Case cases[] = {
        {"Z:/work/out", "big837.csv", "Z:/work/out/big837.csv"},
        {"C:\\work\\out", "big837.csv", "C:\\work\\out\\big837.csv"},
        {"Z:/work\\out", "a.csv", "Z:/work\\out\\a.csv"},  // the last one used
        {"out/", "/a.csv", "out/a.csv"},                          // no separator doubled
        {"out", "a.csv", "out" + native + "a.csv"},               // none yet: the system's
        {"", "a.csv", "a.csv"},
    };
    for (const Case& c : cases) EXPECT_EQ(wl::joinPath(c.folder, c.name), c.want) << c.folder;
}

TEST(Paths, SameFileInAnyForm) {
    zrtest::TempDir dir;
    const std::string a = dir.write("a.x12", "A");
    fs::create_directories(dir.file("sub"));
    EXPECT_TRUE(wl::sameFile(a, wl::joinPath(wl::joinPath(dir.file("sub"), ".."), "a.x12")));
    EXPECT_FALSE(wl::sameFile(a, dir.write("b.x12", "B")));
    // A file that does not exist yet is compared by its full path.
    const fs::path old = fs::current_path();
    fs::current_path(dir.path());
    EXPECT_TRUE(wl::sameFile("new.csv", dir.file("new.csv")));
    EXPECT_TRUE(wl::sameFile("a.x12", a));
    EXPECT_FALSE(wl::sameFile("new.csv", "other.csv"));
    EXPECT_FALSE(wl::sameFile("", ""));
    fs::current_path(old);
}

// The bulk keys are pathKey's, for links, missing names, relative forms
// and folders given with and without their separator.
TEST(Paths, BulkKeysArePathKeys) {
    zrtest::TempDir dir;
    dir.write("a.x12", "A");
    fs::create_directories(dir.file("sub"));
    std::error_code ec;
    fs::create_directory_symlink(dir.file("sub"), dir.file("linked"), ec);
    fs::create_symlink(dir.file("a.x12"), dir.file("sub/to-a.x12"), ec);
    const fs::path old = fs::current_path();
    fs::current_path(dir.path());
    const std::string root = dir.path();
    const std::vector<std::string> paths = {
        dir.file("a.x12"),           wl::joinPath(root, "missing.csv"), root + "/sub/../a.x12",
        root + "//sub/new.csv",      dir.file("linked/to-a.x12"),       dir.file("sub/to-a.x12"),
        dir.file("linked/new.csv"),  "a.x12",                           "new.csv",
        "sub/new.csv",               "./a.x12",                         dir.file("sub/."),
        dir.file("missing/../a.x12"), root + "/",                       "/",
    };
    wl::PathKeys keys;
    for (int pass = 0; pass < 2; ++pass)  // the second from the folders kept
        for (const std::string& path : paths) EXPECT_EQ(keys.key(path), wl::pathKey(path)) << path;
    fs::current_path(old);
}

}  // namespace
