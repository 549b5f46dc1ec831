// The mapping tool's portable half: the folder's maps, a map's rows, and
// the description of a "FIELD=" row item by item.
#include "mapping_tool.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;

class MappingToolFolder : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(dir.path());
    }
    void TearDown() override { fs::current_path(previous_); }
    zrtest::TempDir dir;

private:
    fs::path previous_;
};

TEST(MappingToolDescription, DescribesEachItemOfAFieldRow) {
    const struct {
        const char* row;
        const char* expected;
    } cases[] = {
        {"FIELD=BILLINGPROVIDERNAME,32,NM1,85,2,3,,,,2",
         "Field Name \n\r  BILLINGPROVIDERNAME\n\rWidth : 32\n\rSegment Type : NM1\n\rQualifier : 85\n\r"
         "Qulifier Position : 2\n\rElement Position : 3\n\rLevel:2\n\r"},
        // No qualifier: no "Qualifier : " line; the always-shown items stay.
        {"FIELD=CLAIMID,38,CLM,,,1", "Field Name \n\r  CLAIMID\n\rWidth : 38\n\rSegment Type : CLM\n\rElement Position : 1\n\r"},
        {"  field=X,,,,,,,,,,,,,,,,,,", "Field Name \n\r  X\n\rWidth : \n\rSegment Type : \n\rElement Position : \n\r"},
        {"FIELD=SUBADDR1,30,N3,,,1,,SUBID,,,,,,,,NM1,IL,2,PAYERID",
         "Field Name \n\r  SUBADDR1\n\rWidth : 30\n\rSegment Type : N3\n\rElement Position : 1\n\r"
         "Conditional Field\n\r  SUBID\n\rPrevious Segment :NM1\n\rSegment Qualifier :IL\n\r"
         "Qualifier Position :2\n\rToggle Off Field :PAYERID\n\r"},
        {"FIELD=A,1,SV1,,,2,1,,3,0,7,Line charge,4,5,fn.prg",
         "Field Name \n\r  A\n\rWidth : 1\n\rSegment Type : SV1\n\rElement Position : 2\n\rSub Element Position:1\n\r"
         "Occurence:3\n\rLevel:0\n\rService Line : 7\n\rDescription\n\rLine charge\n\rData Starting Position :4\n\r"
         "Length of Data:5\n\rFunction \n\r  fn.prg\n\r"},
        {"SEGMENT=2,HL,&HL,1,22,0", ""},
        {"KEYFIELD=HL,,,22", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(zr::CTLD48600O({"X12TRANSACTIONTYPE=837P", c.row}, 2), c.expected) << c.row;
    EXPECT_EQ(zr::CTLD48600O({"FIELD=A,1,B,,,1"}, 2), "");
    EXPECT_EQ(zr::CTLD48600O({"FIELD=A,1,B,,,1"}, 0), "");
}

TEST(MappingToolDescription, ItemsPastTheNineteenthAreNotDescribed) {
    EXPECT_EQ(zr::CTLD48600P(20, "X", "before"), "before");
    EXPECT_EQ(zr::CTLD48600P(4, "", "before"), "before");
    EXPECT_EQ(zr::CTLD48600P(2, "", ""), "Width : \n\r");
}

TEST_F(MappingToolFolder, ListsThePlainMapFilesOfTheFolder) {
    dir.write("837p.cfg", "");
    dir.write("OTHER.CFG", "");
    dir.write("notes.txt", "");
    fs::create_directory(dir.file("folder.cfg"));
    auto files = zr::CTLD48600J("*.cfg");
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"837p.cfg", "OTHER.CFG"}));
    EXPECT_EQ(zr::CTLD48600J("*.cfg", {"kept"}).front(), "kept");
}

TEST_F(MappingToolFolder, AnEmptyFolderListsNothingAndSelectsNothing) {
    const auto files = zr::CTLD48600J("*.cfg");
    EXPECT_TRUE(files.empty());
    EXPECT_EQ(zr::CTLD48600K("", files, 1), "");
    EXPECT_EQ(zr::CTL48600G(""), "");
}

TEST_F(MappingToolFolder, RowsAreSplitAtCrWithTheLineFeedKept) {
    dir.write("a.cfg", "X12TRANSACTIONTYPE=837P\r\nFIELD=A,1\v,B\r\n\r\nlast");
    EXPECT_EQ(zr::CTLD48600N("a.cfg"), (std::vector<std::string>{"X12TRANSACTIONTYPE=837P", "\nFIELD=A,1,B", "\n"}));
    EXPECT_EQ(zr::CTLD48600N("a.cfg", {"first"}).size(), 4u);
    EXPECT_TRUE(zr::CTLD48600N("missing.cfg").empty());
    // The unlisted last line is said, not hidden.
    EXPECT_EQ(zr::unlistedLastLineNote("a.cfg"), "The last line has no line break and is not listed.");
    dir.write("b.cfg", "FIELD=A,1\r\n");
    EXPECT_EQ(zr::unlistedLastLineNote("b.cfg"), "");
    EXPECT_EQ(zr::CTLD48600L("b.cfg"), "FIELD=A,1\r\n");
    EXPECT_EQ(zr::CTLD48600L("missing.cfg"), "");
}

TEST(MappingToolLists, ItemsAtAnIndex) {
    const std::vector<std::string> list = {" 837p.cfg ", "b"};
    EXPECT_EQ(zr::CTLD48600K("", list, 1), "837p.cfg");
    EXPECT_EQ(zr::CTLD48600M(list, 1), " 837p.cfg ");
    EXPECT_EQ(zr::CTL48600F(list, 2), "b");
    EXPECT_EQ(zr::CTL48600F(list, 3), "");
    EXPECT_EQ(zr::CTL48600G("837p.cfg"), "Selected File : 837p.cfg");
}

TEST(MappingToolNotepad, TheMapNameIsQuoted) {
    EXPECT_EQ(zr::mapNotepadCommand("C:\\windows", "my map.cfg"), "C:\\windows\\notepad.exe \"my map.cfg\"");
}

TEST_F(MappingToolFolder, ReplacingTheConfigurationTakesTheChosenFile) {
    const std::string other = dir.write("other.cfg", "FIELD=B,1\r\n");
    struct Case {
        bool yes;
        std::string file;
        std::string expected;
    } cases[] = {{false, other, "old"}, {true, "", "old"}, {true, other, "FIELD=B,1\r\n"}};
    for (const auto& c : cases) {
        zrtest::PromptRecorder prompts;
        prompts.answerNext(c.yes);
        prompts.answerFile(c.file);
        EXPECT_EQ(zr::CTL48600A("old"), c.expected);
        ASSERT_FALSE(prompts.prompts().empty());
        EXPECT_EQ(prompts.prompts().front().text, "Replace current configuration?");
        EXPECT_EQ(prompts.prompts().front().caption, "WARNING ");
    }
}

}  // namespace
