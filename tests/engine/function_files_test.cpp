// Function files and their per-run cache.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "function_files.hpp"
#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;

TEST(FunctionFiles, AChangedFileIsReadAgainInTheNextRun) {
    zrtest::TempDir dir;
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    dir.write("fn.txt", "CSVTABLE=t.csv\r\n");
    dir.write("t.csv", "A,first\r\n");
    zr::FunctionFiles f;
    f.beginRun();
    EXPECT_EQ(f.apply("fn.txt", "AB", "SEG"), "first");
    dir.write("t.csv", "A,second,x\r\n");
    EXPECT_EQ(f.apply("fn.txt", "AB", "SEG"), "first");  // once per run
    f.beginRun();
    EXPECT_EQ(f.apply("fn.txt", "AB", "SEG"), "secondx");
    EXPECT_EQ(f.apply("userdef.dll", "AB", "SEG"), "AB");
    EXPECT_EQ(f.apply("missing.txt", "AB", "SEG"), "AB");
    fs::current_path(previous);
}

}  // namespace
