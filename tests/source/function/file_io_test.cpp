#include <gtest/gtest.h>

#include <cstdio>
#include <csignal>
#include <filesystem>
#include <set>

#include "file_io.hpp"
#include "paths.hpp"
#include "test_support.hpp"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

namespace fs = std::filesystem;

// The temporary files ("*.zrtmp") left in a folder.
std::set<std::string> leftovers(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().extension() == ".zrtmp") names.insert(e.path().filename().string());
    return names;
}

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

// Two writers of one target never share a temporary file: each gets a
// name of its own, made new, and the target takes one whole text.
TEST(FileIo, TemporaryFilesAreNewAndOwnedByOneWriter) {
    zrtest::TempDir dir;
    const std::string target = dir.file("out.csv");
    std::string first, second;
    int error = -1;
    std::FILE* a = wl::createTemporaryFile(target, first, error);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(error, 0);
    std::FILE* b = wl::createTemporaryFile(target, second, error);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(wl::folderPart(first), wl::folderPart(target));
    std::fputs("AAAA", a);
    std::fputs("BB", b);
    std::fclose(a);
    std::fclose(b);
    EXPECT_EQ(zrtest::readBytes(first), "AAAA");
    EXPECT_EQ(zrtest::readBytes(second), "BB");
    EXPECT_EQ(wl::replaceFile(first, target), 0);
    wl::removeTemporaryFile(second);
    EXPECT_EQ(zrtest::readBytes(target), "AAAA");
    EXPECT_TRUE(leftovers(dir.path()).empty());
    // A target in a missing folder gets no temporary file and says why.
    EXPECT_EQ(wl::createTemporaryFile(dir.file("none/out.csv"), first, error), nullptr);
    EXPECT_NE(error, 0);
}

// The move checks that the target is still what the run saw: another run's
// output made or changed meanwhile stays, and the answer says so.
TEST(FileIo, AReplaceNeverTakesTheTargetOfAnotherRun) {
    struct Case {
        const char* name;
        const char* before;   // the target when the run began (nullptr: none)
        const char* meanwhile;  // written by another run before the move
        int answer;
        const char* after;
    };
    const Case cases[] = {
        {"new, still missing", nullptr, nullptr, 0, "MINE"},
        {"new, made meanwhile", nullptr, "THEIRS", wl::kErrorAlreadyExists, "THEIRS"},
        {"existing, unchanged", "OLD", nullptr, 0, "MINE"},
        {"existing, replaced meanwhile", "OLD", "THEIRS", wl::kErrorAlreadyExists, "THEIRS"},
    };
    for (const Case& c : cases) {
        zrtest::TempDir dir;
        const std::string target = dir.file("out.csv");
        if (c.before) dir.write("out.csv", c.before);
        const wl::FileStamp seen = wl::fileStamp(target);
        std::string temp;
        int error = 0;
        std::FILE* f = wl::createTemporaryFile(target, temp, error);
        ASSERT_NE(f, nullptr) << c.name;
        std::fputs("MINE", f);
        std::fclose(f);
        if (c.meanwhile) {
            ASSERT_EQ(wl::writeFileAtomically(target, c.meanwhile), 0);
        }
        EXPECT_EQ(wl::replaceFileIfUnchanged(temp, target, seen), c.answer) << c.name;
        if (c.answer != 0) wl::removeTemporaryFile(temp);
        EXPECT_EQ(zrtest::readBytes(target), c.after) << c.name;
        EXPECT_TRUE(leftovers(dir.path()).empty()) << c.name;
    }
}

// A stop removes the temporary files still being written, open or not.
TEST(FileIo, AStopRemovesTheTemporaryFilesBeingWritten) {
    zrtest::TempDir dir;
    std::string kept, open;
    int error = 0;
    std::FILE* done = wl::createTemporaryFile(dir.file("kept.csv"), kept, error);
    std::fclose(done);
    ASSERT_EQ(wl::replaceFile(kept, dir.file("kept.csv")), 0);
    std::FILE* f = wl::createTemporaryFile(dir.file("a.csv"), open, error);
    ASSERT_NE(f, nullptr);
    std::fputs("HALF", f);
    std::fflush(f);
    wl::removeTemporaryFilesNow();
    std::fclose(f);
    EXPECT_FALSE(fs::exists(open));
    EXPECT_TRUE(fs::exists(dir.file("kept.csv")));
    EXPECT_TRUE(leftovers(dir.path()).empty());
}

#ifndef _WIN32
// Killed or interrupted: the handlers remove the files and the process
// still ends by that signal.
TEST(FileIoDeathTest, SignalsRemoveTemporaryFilesAndStillStopTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        zrtest::TempDir dir;
        const std::string target = dir.file("big.csv");
        EXPECT_EXIT(
            {
                wl::removeTemporaryFilesOnStop();
                std::string name;
                int error = 0;
                std::FILE* f = wl::createTemporaryFile(target, name, error);
                if (!f) std::_Exit(3);
                std::fputs("PART OF A LARGE OUTPUT", f);
                std::fflush(f);
                std::raise(signal);
                std::_Exit(4);
            },
            ::testing::KilledBySignal(signal), "")
            << signal;
        EXPECT_TRUE(leftovers(dir.path()).empty()) << signal;
    }
}

// A link planted where a temporary file goes is never written through:
// the old fixed name is not used, and a name taken is never opened.
TEST(FileIo, APlantedLinkIsNeverFollowed) {
    zrtest::TempDir dir;
    const std::string victim = dir.write("source.x12", "ISA*PRECIOUS~");
    const std::string target = dir.file("out.csv");
    fs::create_symlink(victim, target + ".zrtmp");
    EXPECT_EQ(wl::writeFileAtomically(target, "ROWS\r\n"), 0);
    EXPECT_EQ(zrtest::readBytes(victim), "ISA*PRECIOUS~");
    EXPECT_EQ(zrtest::readBytes(target), "ROWS\r\n");
    EXPECT_TRUE(fs::is_symlink(target + ".zrtmp"));
}

// A pipe nobody reads is reported at once instead of waiting for ever.
TEST(FileIo, APipeNobodyReadsIsReportedWithoutWaiting) {
    zrtest::TempDir dir;
    const std::string pipe = dir.file("nobody");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(wl::writeFileAtomically(pipe, "LOG"), wl::kErrorPipeNotConnected);
    int error = 0;
    EXPECT_EQ(wl::openInPlace(pipe, error), nullptr);
    EXPECT_EQ(error, wl::kErrorPipeNotConnected);
    EXPECT_TRUE(fs::is_fifo(pipe));
}
#endif

}  // namespace
