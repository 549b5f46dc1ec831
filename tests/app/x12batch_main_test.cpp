// The batch converter as a process: stopped mid-run, it leaves no
// temporary output and no partial one, and an earlier output stays.
#include <gtest/gtest.h>

#ifdef ZR_X12BATCH

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;

// A source that takes the converter a while: many small sets.
std::string manySets(int sets) {
    std::string x12 =
        "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000001*0*P*:~"
        "GS*HC*S*R*20261210*1253*1*X*005010X222A2~";
    for (int i = 0; i < sets; ++i) {
        const std::string n = std::to_string(i);
        x12 += "ST*837*" + n + "~HL*1**20*1~NM1*85*2*CLINIC~HL*2*1*22*0~NM1*IL*1*SMITH~CLM*A" + n +
               "*100~LX*1~SV1*HC:99213*100~SE*8*" + n + "~";
    }
    return x12 + "GE*" + std::to_string(sets) + "*1~IEA*1*000000001~";
}

bool temporaryIn(const std::string& folder) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
        if (e.path().extension() == ".zrtmp") return true;
    return false;
}

TEST(X12Batch, StoppedMidRunItLeavesNoTemporaryOrPartialOutput) {
    for (int signal : {SIGTERM, SIGINT}) {
        zrtest::TempDir dir;
        const std::string source = dir.write("big.x12", manySets(150000));
        fs::create_directories(dir.file("out"));
        const std::string earlier = dir.write("out/big.csv", "EARLIER\r\n");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (chdir(dir.path().c_str()) != 0) _exit(3);
            // The progress line stays out of the test's output.
            const int quiet = open("/dev/null", O_WRONLY);
            if (quiet >= 0) dup2(quiet, 2);
            execl(ZR_X12BATCH, ZR_X12BATCH, "X12,CSV", source.c_str(), dir.file("out").c_str(), "OW",
                  static_cast<char*>(nullptr));
            _exit(4);
        }
        // Stopped while the temporary output is being written.
        int status = 0;
        bool seen = false, ended = false;
        while (!seen && !ended) {
            seen = temporaryIn(dir.file("out"));
            ended = waitpid(child, &status, WNOHANG) == child;
            if (!seen && !ended) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (ended) GTEST_SKIP() << "the conversion ended before it could be stopped";
        kill(child, signal);
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_FALSE(temporaryIn(dir.file("out"))) << signal;
        EXPECT_EQ(zrtest::readBytes(earlier), "EARLIER\r\n") << signal;
    }
}

}  // namespace

#endif
