// Output files that replace their earlier version only when complete.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "file_io.hpp"
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

bool temporaryLeft(const std::string& folder) {
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().extension() == ".zrtmp") return true;
    return false;
}

// Two runs writing one output (two scheduled jobs, two users on one drop
// folder): each writes a file of its own; the first to finish puts its
// whole output in place, the second leaves it and says so. The rows never
// mix, with or without an earlier output there.
TEST(OutputFile, TwoRunsWritingOneOutputNeverMix) {
    for (const char* before : {static_cast<const char*>(nullptr), "EARLIER\r\n"}) {
        zrtest::TempDir dir;
        const std::string path = dir.file("out.csv");
        if (before) dir.write("out.csv", before);
        zr::OutputFile first, second;
        ASSERT_EQ(first.create(path), 0);
        ASSERT_EQ(second.create(path), 0);
        for (int row = 0; row < 3; ++row) {
            first.write("FIRST," + std::to_string(row) + "\r\n");
            second.write("SECOND," + std::to_string(row) + "\r\n");
        }
        EXPECT_EQ(second.commit(), 0);
        EXPECT_EQ(first.commit(), wl::kErrorAlreadyExists);
        EXPECT_EQ(zrtest::readBytes(path), "SECOND,0\r\nSECOND,1\r\nSECOND,2\r\n");
        EXPECT_FALSE(temporaryLeft(dir.path()));
        EXPECT_EQ(zr::outputFailure(first.error(), path), "Output Changed by Another Run, Not Replaced : " + path);
    }
}

// Whatever way a run ends without committing, no temporary file stays and
// an earlier output is as it was.
TEST(OutputFile, AnOutputNotCommittedLeavesNothingBehind) {
    zrtest::TempDir dir;
    const std::string path = dir.write("out.csv", "EARLIER\r\n");
    {
        zr::OutputFile dropped;
        ASSERT_EQ(dropped.create(path), 0);
        dropped.write(std::string(3u << 20, 'x'));  // past the buffer: on disk
    }
    zr::OutputFile abandoned;
    ASSERT_EQ(abandoned.create(path), 0);
    abandoned.write("PART\r\n");
    abandoned.abandon();
    EXPECT_EQ(zrtest::readBytes(path), "EARLIER\r\n");
    EXPECT_FALSE(temporaryLeft(dir.path()));
}

// Two runs adding to one file: the second is refused while the first
// appends, and the file it leaves holds the first run's rows alone, whole.
// Once the first completes (or gives up) the second may add.
TEST(OutputFile, ASecondAppendToOneFileIsRefusedWhileTheFirstRuns) {
    for (bool firstCommits : {true, false}) {
        zrtest::TempDir dir;
        const std::string path = dir.write("out.csv", "EARLIER\r\n");
        zr::OutputFile first;
        ASSERT_EQ(first.append(path), 0);
        first.write("FIRST\r\n");
        {
            zr::OutputFile second;
            EXPECT_EQ(second.append(path), wl::kErrorLockViolation);
            EXPECT_EQ(zr::outputFailure(second.error(), path),
                      "Output Not Merged, Another Run Is Adding to It : " + path);
        }  // the refused run undoes nothing of the first's
        if (firstCommits) EXPECT_EQ(first.commit(), 0);
        else first.abandon();
        const std::string after = firstCommits ? "EARLIER\r\nFIRST\r\n" : "EARLIER\r\n";
        EXPECT_EQ(zrtest::readBytes(path), after);
        zr::OutputFile third;
        ASSERT_EQ(third.append(path), 0);
        third.write("THIRD\r\n");
        EXPECT_EQ(third.commit(), 0);
        EXPECT_EQ(zrtest::readBytes(path), after + "THIRD\r\n");
    }
}

#ifndef _WIN32
// A link planted at the temporary name of earlier versions leads nowhere:
// the source it points at keeps every byte.
TEST(OutputFile, ALinkAtTheOldTemporaryNameIsNotWrittenThrough) {
    zrtest::TempDir dir;
    const std::string source = dir.write("a.x12", "ISA*SOURCE~");
    const std::string path = dir.file("a.csv");
    fs::create_symlink(source, path + ".zrtmp");
    zr::OutputFile out;
    ASSERT_EQ(out.create(path), 0);
    out.write("ROW\r\n");
    EXPECT_EQ(out.commit(), 0);
    EXPECT_EQ(zrtest::readBytes(source), "ISA*SOURCE~");
    EXPECT_EQ(zrtest::readBytes(path), "ROW\r\n");
}

// An output into a pipe nobody reads fails at once and says why.
TEST(OutputFile, APipeNobodyReadsFailsAtOnce) {
    zrtest::TempDir dir;
    const std::string pipe = dir.file("nobody");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    zr::OutputFile out;
    EXPECT_EQ(out.create(pipe), wl::kErrorPipeNotConnected);
    EXPECT_EQ(zr::outputFailure(out.error(), pipe), "Output Not Written, Nobody Reads the Pipe : " + pipe);
}
#endif

}  // namespace
