#include <gtest/gtest.h>

#include "command_line.hpp"
#include "test_support.hpp"

namespace {

TEST(CommandLine, WordsAndTheBatchTest) {
    zrtest::TempDir dir;
    struct Case {
        std::vector<std::string> words;
        bool batch;
    };
    const Case cases[] = {
        {{}, false},
        {{"x12,csv", "a.x12", "out"}, true},  // any case
        {{"X12,CSVX", "a.x12"}, true},         // a prefix test: the driver gets the whole word
        {{"HL7,CSV", "a.hl7"}, false},
        {{"CSV,X12"}, true},
    };
    for (const auto& c : cases) EXPECT_EQ(zr::settleCommandLine(c.words, "/cur").batch, c.batch);

    auto none = zr::settleCommandLine({}, "/cur");
    EXPECT_EQ(none.type, "");
    EXPECT_EQ(none.source, std::string(255, ' '));
    EXPECT_EQ(none.destination, std::string(255, ' '));
    EXPECT_EQ(none.options, "");
    EXPECT_EQ(none.workingFolder, "/cur");

    auto folder = zr::settleCommandLine({dir.path()}, "/cur");
    EXPECT_EQ(folder.workingFolder, dir.path());
    EXPECT_EQ(folder.type, "");
    auto folderAndSource = zr::settleCommandLine({dir.path(), "a"}, "/cur");
    EXPECT_EQ(folderAndSource.workingFolder, "/cur");
}

}  // namespace
