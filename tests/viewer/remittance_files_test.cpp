// The 835 file writers in temporary folders: the whole set, one file per
// claim with hostile control numbers, and what refuses to write.
#include "remittance_files.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "module_state.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
namespace fs = std::filesystem;

SegmentTable remittanceFilesTable(const zrtest::TempDir& dir, const std::vector<std::string>& claims) {
    std::vector<std::string> segments{"GS*HP*A*B*20261210*1253*1*X*005010X221A1", "ST*835*0001", "BPR*I*5*C*ACH"};
    for (const auto& c : claims) segments.push_back("CLP*" + c + "*1*5*5");
    segments.push_back("SE*" + std::to_string(claims.size() + 3) + "*0001");
    segments.push_back("GE*1*1");
    segments.push_back("IEA*1*000000001");
    return zrtest::loadX12(dir.write("source.835", zrtest::x12Text(segments)));
}

std::vector<std::string> remittanceFilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(RemittanceFiles, ClaimFileNamesStayInTheirFolder) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"PAT001", "PAT001"},        {"  PAT 2  ", "PAT 2"},   {"", "Claim4"},
        {"..\\..\\evil", "____evil"}, {"../x", "__x"},          {"C:\\x", "C__x"},
        {"a/b", "a_b"},              {"*?", "__"},             {"..", "_"},
        {"...", "_"},           {"a..b", "a_b"},          {"name.", "name"},
    };
    for (const auto& [clp01, want] : cases) EXPECT_EQ(remittanceClaimFileName(clp01, 4), want) << clp01;
}

TEST(RemittanceFiles, EachClaimInItsOwnFileNeverOverwritingTheRun) {
    zrtest::TempDir dir;
    const std::string out = dir.file("out");
    fs::create_directory(out);
    const SegmentTable t = remittanceFilesTable(dir, {"DUP", "", "../../escape", "DUP", "a:b"});
    ParseSpec request;
    request.sourceFile = dir.file("source.835");
    request.destinationFolder = out;
    request.parseOptions = "IC";
    const RemittanceFilesResult r = writeRemittanceFiles(CTL39400C(t, 2), t, request, dir.path());
    EXPECT_TRUE(r.errors.empty());
    EXPECT_EQ(remittanceFilesIn(out),
              (std::vector<std::string>{"Claim2.835", "DUP.835", "DUP_2.835", "____escape.835", "a_b.835"}));
    EXPECT_EQ(remittanceFilesIn(dir.path()), (std::vector<std::string>{"out", "source.835", "temp.log"}));
    const std::string second = zrtest::readBytes((fs::path(out) / "Claim2.835").string());
    EXPECT_NE(second.find("~CLP**1*5*5~"), std::string::npos);
    EXPECT_EQ(second.find("DUP"), std::string::npos);  // one claim a file
    EXPECT_EQ(second.substr(second.size() - 3), "~\r\n");
    EXPECT_EQ(zrtest::readBytes(dir.file("temp.log")),
              " File Type = 835 \r\n Claim Count = 5\r\n Individual Claims = ON \r\n");
    EXPECT_NE(r.text.find("CLP*DUP*"), std::string::npos);
}

TEST(RemittanceFiles, WholeSetToAnExistingFileWithoutOverwrite) {
    zrtest::TempDir dir;
    const SegmentTable t = remittanceFilesTable(dir, {"A1", "A2"});
    const std::string existing = dir.write("result.835", "old");
    ParseSpec request;
    request.sourceFile = dir.file("source.835");
    request.destinationFolder = dir.path();
    request.destinationFile = "result";
    const RemittanceFilesResult r = writeRemittanceFiles(CTL39400C(t, 2), t, request, dir.path());
    EXPECT_EQ(zrtest::readBytes(existing), "old");
    EXPECT_EQ(moduleState().write835Flag, 0);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0], "Error: " + existing + " File Exists");
    EXPECT_EQ(zrtest::readBytes(dir.file("temp.log")),
              " File Type = 835 \r\n Claim Count = 2\r\nError: " + existing + " File Exists\r\n");
    EXPECT_EQ(r.text, "");

    request.parseOptions = "OW";
    const RemittanceFilesResult again = writeRemittanceFiles(CTL39400C(t, 2), t, request, dir.path());
    EXPECT_TRUE(again.errors.empty());
    EXPECT_EQ(moduleState().write835Flag, 1);
    EXPECT_EQ(zrtest::readBytes(existing), again.text);
    EXPECT_NE(again.text.find("LX*2~CLP*A2*"), std::string::npos);
}

TEST(RemittanceFiles, TheFlagGoesToTheApplicationHandedDown) {
    zrtest::TempDir dir;
    const SegmentTable t = remittanceFilesTable(dir, {"A1"});
    ParseSpec request;
    request.sourceFile = dir.file("source.835");
    request.destinationFolder = dir.path();
    request.destinationFile = "result";
    moduleState().write835Flag = 0;
    Application own;
    EXPECT_TRUE(writeRemittanceFiles(CTL39400C(t, 2), t, request, dir.path(), {}, own).errors.empty());
    EXPECT_EQ(own.module.write835Flag, 1);
    EXPECT_EQ(moduleState().write835Flag, 0);
}

TEST(RemittanceFiles, SelfCopyGuardComparesWholePaths) {
    zrtest::TempDir dir;
    const SegmentTable t = remittanceFilesTable(dir, {"A1"});
    ParseSpec request;
    request.destinationFolder = dir.path();
    // An empty source names no file: the set is written.
    request.destinationFile = "one";
    EXPECT_TRUE(writeRemittanceFiles(CTL39400C(t, 2), t, request, dir.path()).errors.empty());
    EXPECT_TRUE(fs::exists(dir.file("one.835")));
    // A name that begins with the source's is another file.
    request.sourceFile = dir.file("one");
    request.parseOptions = "OW";
    EXPECT_TRUE(writeRemittanceFiles(CTL39400C(t, 2), t, request, dir.path()).errors.empty());
    request.sourceFile = dir.file("source.835");
    request.destinationFile = "source";
    request.parseOptions = "OW";
    const RemittanceFilesResult r = writeRemittanceFiles(CTL39400C(t, 2), t, request, dir.path());
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0], "Error: Can not copy " + dir.file("source.835") + " file onto itself");
    EXPECT_NE(zrtest::readBytes(dir.file("source.835")).find("CLP*A1*1*5*5~"), std::string::npos);
}

TEST(RemittanceFiles, AFailedWriteIsAnError) {
    zrtest::TempDir dir;
    const SegmentTable t = remittanceFilesTable(dir, {"A1"});
    fs::create_directory(dir.file("blocked.835"));  // a folder where the file should go
    ParseSpec request;
    request.destinationFolder = dir.path();
    request.destinationFile = "blocked";
    request.parseOptions = "OW";
    const RemittanceFilesResult r = writeRemittanceFiles(CTL39400C(t, 2), t, request, dir.path());
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0].substr(0, 7), "Error: ");
    EXPECT_TRUE(r.files.empty());
}

TEST(RemittanceFiles, CreateAsksForTheFileAndBeforeReplacingIt) {
    zrtest::TempDir dir;
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    const ClaimIndex index = CTL39400C(t, 1);
    const std::string file = dir.file("made.835");
    {
        zrtest::PromptRecorder prompts;
        prompts.answerFile(file);
        EXPECT_TRUE(CTL39407AP(index, t, 3, 2, dir.path()));
        ASSERT_EQ(prompts.prompts().size(), 1u);
        EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::File);
        EXPECT_EQ(prompts.prompts()[0].caption, "Create a 835 Remittance File");
        EXPECT_EQ(zrtest::readBytes(file), CTL394CONVF(t, index, 2));
    }
    {
        zrtest::PromptRecorder prompts;  // No: the default
        prompts.answerFile(file);
        fs::resize_file(file, 3);
        EXPECT_FALSE(CTL39407AP(index, t, 3, 1, dir.path()));
        ASSERT_EQ(prompts.prompts().size(), 2u);
        EXPECT_EQ(prompts.prompts()[1].kind, wl::PromptKind::NoYes);
        EXPECT_EQ(prompts.prompts()[1].text, file + " already exists. Overwrite it?");
        EXPECT_EQ(prompts.prompts()[1].caption, "Overwite File?");
        EXPECT_EQ(fs::file_size(file), 3u);
    }
    {
        zrtest::PromptRecorder prompts;
        prompts.answerFile(file);
        prompts.answerNext(true);
        EXPECT_TRUE(CTL39407AP(index, t, 3, 1, dir.path()));
        EXPECT_EQ(zrtest::readBytes(file), CTL394CONVF(t, index, 1));
    }
    {
        zrtest::PromptRecorder prompts;  // Cancel: an empty name
        prompts.answerFile("");
        EXPECT_FALSE(CTL39407AP(index, t, 3, 3, dir.path()));
        EXPECT_EQ(prompts.prompts().size(), 1u);
    }
}

}  // namespace
