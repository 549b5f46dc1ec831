#include "file_names.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "paths.hpp"
#include "test_support.hpp"

namespace {

struct NameCase {
    std::string file;
    std::string noPath, noExt, ext, mask;
};

TEST(FileNames, PartsOfAName) {
    const std::vector<NameCase> cases = {
        {"c:\\data\\file.txt", "file.txt", "file", "txt", ""},
        {"c:\\data\\file.tar.gz", "file.tar.gz", "file.tar", "gz", ""},
        {"c:\\data\\file.", "file.", "file", "", ""},
        {"c:file", "file", "file", "", ""},
        {"/tmp/a b.csv ", "a b.csv ", "a b", "csv", ""},
        {"c:\\in\\*.x12", "*.x12", "*", "x12", "*.x12"},
        {"name", "name", "name", "", ""},
        {"c:\\dir\\", "\\dir\\", "\\dir\\", "", ""},  // ends with a separator: after the ":"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wl::CFILENOPATH(c.file), c.noPath) << c.file;
        EXPECT_EQ(wl::CFILENAME(c.file), c.noPath) << c.file;
        EXPECT_EQ(wl::CFILENOEXT(c.file), c.noExt) << c.file;
        EXPECT_EQ(wl::CFILEEXT(c.file), c.ext) << c.file;
        EXPECT_EQ(wl::CFILEMASK(c.file), c.mask) << c.file;
    }
}

TEST(FileNames, FolderAndDrive) {
#ifdef _WIN32
    EXPECT_EQ(wl::CFILEPATH("c:\\data\\file.txt"), "C:\\DATA\\");
#else
    EXPECT_EQ(wl::CFILEPATH("c:\\data\\file.txt"), "c:\\data\\");  // case kept where names have case
#endif
    EXPECT_EQ(wl::CFILEPATH("/tmp/x/file.txt"), wl::CFILEPATH("/tmp/x/") );
    EXPECT_EQ(wl::CFILEPATH("c:file.txt"), "C:\\");
    EXPECT_EQ(wl::CFILEPATH("file.txt"), "");
    EXPECT_EQ(wl::CFILEDISC("d:\\x"), "D:");
    EXPECT_EQ(wl::CFILEDISC("\\x"), "");
    EXPECT_EQ(wl::CFILESUBDIR("c:\\a\\b\\"), "c:\\a");
    EXPECT_EQ(wl::CFILESUBDIR("/a/b"), "/a");
}

TEST(FileNames, OfficeSuiteUrls) {
    EXPECT_EQ(wl::CONVERTTOOOURL("C:\\My Files\\page 1.emf"), "file:///C:/My%20Files/page%201.emf");
}

TEST(FileNames, SetExtensionTouchesOnlyTheNamePart) {
    EXPECT_EQ(wl::CFILESETEXT("c:\\x\\out.csv", "xml"), "c:\\x\\out.xml");
    EXPECT_EQ(wl::CFILESETEXT("c:\\x.d\\out", "xml"), "c:\\x.d\\out.xml");
    EXPECT_EQ(wl::CFILESETEXT("a.b.c", "d"), "a.b.d");
}

TEST(FileNames, NewAndTemporaryNamesAreFree) {
    zrtest::TempDir dir;
    const std::string root = dir.file("out");
    EXPECT_EQ(wl::CNEWFILENAME(root, "txt"), root + "1.txt");
    dir.write("out1.txt", "x");
    EXPECT_EQ(wl::CNEWFILENAME(root, "txt"), root + "2.txt");

    const std::string folder = dir.path() + "/";
    const std::string first = wl::CTEMPFILE(folder, "tmp");
    const std::string second = wl::CTEMPFILE(folder, ".tmp");
    EXPECT_NE(first, second);
    EXPECT_EQ(wl::CFILEEXT(first), "tmp");
    EXPECT_EQ(second.find(".."), std::string::npos);
    EXPECT_FALSE(wl::fileExists(first));
}

TEST(FileNames, FolderTestsMovesAndRemovals) {
    zrtest::TempDir dir;
    EXPECT_TRUE(wl::LISDIR(dir.path()));
    EXPECT_TRUE(wl::LISDIR(dir.path() + "/"));
    EXPECT_FALSE(wl::LISDIR(dir.write("f.txt", "abc")));
    EXPECT_FALSE(wl::LISDIR(dir.path() + "/*"));

    EXPECT_EQ(wl::FSIZE(dir.file("f.txt")), 3);
    EXPECT_EQ(wl::FSIZE(dir.file("none")), 0);
    EXPECT_FALSE(wl::FDATE(dir.file("f.txt")).blank());
    EXPECT_TRUE(wl::FDATE(dir.file("none")).blank());
    EXPECT_EQ(wl::FTIME(dir.file("f.txt")).size(), 8u);
    EXPECT_EQ(wl::FTIME(dir.file("none")), "");

    dir.write("g.txt", "g");
    EXPECT_FALSE(wl::MOVEFILE(dir.file("f.txt"), dir.file("g.txt")));  // the target exists
    EXPECT_TRUE(wl::MOVEFILE(dir.file("f.txt"), dir.file("h.txt")));
    EXPECT_TRUE(wl::fileExists(dir.file("h.txt")));

    std::filesystem::create_directories(dir.file("sub/deeper"));
    dir.write("sub/deeper/H.TXT", "x");
    auto found = wl::AFINDFILE("h.txt", dir.path());
    EXPECT_EQ(found.size(), 2u);

    EXPECT_FALSE(wl::REMOVEDIR(dir.file("sub")));  // not empty
    EXPECT_FALSE(wl::REMOVEDIR(dir.file("g.txt")));  // a file is never removed
    EXPECT_TRUE(wl::fileExists(dir.file("g.txt")));
    std::filesystem::remove(dir.file("sub/deeper/H.TXT"));
    EXPECT_TRUE(wl::REMOVEDIR(dir.file("sub/deeper")));
}

TEST(LogStack, NamesTheCaller) {
    zrtest::TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    wl::LOGSTACK();
    std::filesystem::current_path(previous);
    const std::string bytes = zrtest::readBytes(dir.file("stack.txt"));
    EXPECT_EQ(bytes.substr(0, 40), "\r\nLogStack() called\r\n=================\r\n");
    EXPECT_NE(bytes.find("file_names_test.cpp\r\n"), std::string::npos);
}

TEST(LogFile, AppendsStampedTabSeparatedLines) {
    zrtest::TempDir dir;
    const std::string log = dir.file("resources.txt");
    wl::LOGFILE(log, {wl::Value("DeleteObject failed"), wl::Value(12), wl::Value(true)});
    wl::LOGFILE(log, {});
    const std::string bytes = zrtest::readBytes(log);
    // MM/DD/YY HH:MM:SS: text TAB ... CR LF
    ASSERT_GE(bytes.size(), 19u);
    EXPECT_EQ(bytes[2], '/');
    EXPECT_EQ(bytes.substr(8, 1), " ");
    EXPECT_EQ(bytes.substr(17, 2), ": ");
    const std::string firstLine = bytes.substr(0, bytes.find("\r\n"));
    EXPECT_EQ(firstLine.substr(19), "DeleteObject failed\t12\t.T.\t");
    EXPECT_EQ(bytes.substr(bytes.size() - 4), ": \r\n");

    wl::LOGFILE(dir.file("no/such/folder/x.log"), {wl::Value("quiet")});  // silently nothing
}

}  // namespace

namespace {

TEST(FileMasks, StarsAndQuestionMarksWithoutRegardToCase) {
    struct Case {
        const char* name;
        const char* mask;
        bool fits;
    } const cases[] = {
        {"claims.x12", "*.x12", true},   {"CLAIMS.X12", "*.x12", true}, {"claims.x12.bak", "*.x12", false},
        {"a.txt", "?.txt", true},        {"ab.txt", "?.txt", false},    {"report", "*", true},
        {"", "*", true},                 {"abc", "a*c", true},          {"abcbc", "a*bc", true},
        {"abd", "a*c", false},           {"map1.ini", "map?.*", true},  {"x", "", false},
    };
    for (const Case& c : cases) EXPECT_EQ(wl::fitsFileMask(c.name, c.mask), c.fits) << c.name << " " << c.mask;
}

TEST(FileMasks, TheFilesOfTheMasksFolderThatFit) {
    zrtest::TempDir dir;
    for (const char* name : {"one.map", "two.MAP", "three.txt"}) std::ofstream(dir.path() + "/" + name) << "x";
    std::filesystem::create_directory(dir.path() + "/sub.map");
    auto found = wl::filesFittingMask(dir.path() + "/*.map");
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"one.map", "two.MAP"}));  // folders are not files
    EXPECT_TRUE(wl::filesFittingMask(dir.path() + "/*.none").empty());
}

}  // namespace
