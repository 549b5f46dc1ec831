// The map verify tool: values of a map's lines, the field comparison, the
// tag-list conversion, and whole runs with their backups and report.
#include "map_verify.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const zr::MapClock kVerifyClock{"12/11/26", "10:20:30"};

class VerifyFolder : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(dir.path());
    }
    void TearDown() override { fs::current_path(previous_); }
    // A run with the file choices and answers given; the source type dialog
    // answers `sourceType`.
    void run(const std::string& sourceType = "") {
        zr::verifyMap({[sourceType] { return sourceType; }}, kVerifyClock);
    }
    zrtest::TempDir dir;

private:
    fs::path previous_;
};

const std::string kVerifyReference =
    "X12TRANSACTIONTYPE=837P\r\nVERSION=5010\r\nKEYHEADERFIELD=HL,,,20\r\nKEYFIELD=HL,,,22\r\nKEYDOCFIELD=CLM\r\n"
    "KEYLINEFIELD=SV1\r\nFIELD=SUBIDCODE,2,NM1,IL,2,8\r\nFIELD=SUBID,30,NM1,IL,2,9\r\nFIELD=SUBLNAME,30,NM1,IL,2,3\r\n"
    "FIELD=CLAIMID,38,CLM,,,1\r\nSEGMENT=2,CLM,$CLAIMID\r\n";

TEST(MapVerifyValues, ValuesAndCountsOfAMapsLines) {
    const Lines lines = {" X12TRANSACTIONTYPE=837P", "VERSION=5010", "KEYHEADERFIELD=HL,,,20", "KEYLINEFIELD=SV1",
                         "FIELD=A,1", "  FIELD=B,1", "field=C,1", "SEGMENT=2,CLM", "VERSION=4010"};
    EXPECT_EQ(zr::CTL48600W(lines, 1).text(), "837P");
    EXPECT_EQ(zr::CTL48600W(lines, 2).text(), "5010");
    EXPECT_EQ(zr::CTL48600W(lines, 3).text(), "HL,,,20");
    EXPECT_EQ(zr::CTL48600W(lines, 4).text(), "SV1");
    EXPECT_EQ(zr::CTL48600W(lines, 5).number(), 2);
    EXPECT_EQ(zr::CTL48600W(lines, 6).number(), 1);
    EXPECT_EQ(zr::CTL48600W({}, 1).text(), "");
    EXPECT_EQ(zr::CTL48600W({}, 5).number(), 0);
}

TEST(MapVerifyCompare, OffersTheReferenceFieldOfTheSameName) {
    const Lines ref = {"FIELD=SUBIDCODE,2,NM1,IL,2,8", " FIELD=SUBID,30,NM1,IL,2,9 ", "FIELD=CLAIMID,38,CLM,,,1"};
    const struct {
        const char* line;
        bool yes;
        const char* expected;
        const char* offered;  // "" when nothing is asked
    } cases[] = {
        // The key with its comma: SUBID is not taken for SUBIDCODE.
        {"FIELD=SUBID,20,NM1,IL,2,9", true, "FIELD=SUBID,30,NM1,IL,2,9",
         "Old-> FIELD=SUBID,20,NM1,IL,2,9\rNew-> FIELD=SUBID,30,NM1,IL,2,9"},
        {"FIELD=SUBID,20,NM1,IL,2,9", false, "FIELD=SUBID,20,NM1,IL,2,9",
         "Old-> FIELD=SUBID,20,NM1,IL,2,9\rNew-> FIELD=SUBID,30,NM1,IL,2,9"},
        {"FIELD=CLAIMID,38,CLM,,,1", true, "FIELD=CLAIMID,38,CLM,,,1", ""},
        {"FIELD=CLAIMID,38,CLM,,,1,,,,0", true, "FIELD=CLAIMID,38,CLM,,,1,,,,0", ""},
        {"FIELD=OTHER,1,X,,,1", true, "FIELD=OTHER,1,X,,,1", ""},
        {"FIELD=NOCOMMA", true, "FIELD=NOCOMMA", ""},
    };
    for (const auto& c : cases) {
        zrtest::PromptRecorder prompts;
        prompts.answerNext(c.yes);
        EXPECT_EQ(zr::CTL48600X(c.line, ref), c.expected) << c.line;
        if (*c.offered) {
            ASSERT_EQ(prompts.prompts().size(), 1u) << c.line;
            EXPECT_EQ(prompts.prompts()[0].text, c.offered);
            EXPECT_EQ(prompts.prompts()[0].caption, "FIELD=SUBID Apply Changes?");
        } else {
            EXPECT_TRUE(prompts.prompts().empty()) << c.line;
        }
    }
}

TEST(MapVerifyTags, TheTagTable) {
    const struct {
        const char* type;
        const char* tag;
        const char* expected;
    } cases[] = {
        {"837I", "SUBLNAME", "FIELD=SUBLNAME,,,,,,,,"}, {"835", "SUBFNAME", "FIELD=SUBFNAME,,,,,,,,"},
        {"837P", "SUBMI", "FIELD=SUBMI,,,,,,,,,"},      {"837D", "SUBIDCODE", "FIELD=SUBID,,,,,,,,,"},
        {"837P", "PATREL", "FIELD=PATREL,,,,,,,,,"},     {"837P", "CLAIMID", ""},
        {"270", "SUBMI", ""},                            {"", "SUBMI", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(zr::CTL48600AA(c.type, c.tag), c.expected) << c.type << " " << c.tag;
    EXPECT_EQ(zr::CTL48600Z("837P", {"<CONFIGURATION>", " <FIELD>SUBLNAME</FIELD>", "<FIELD>NOSUCH</FIELD>", ""}),
              (Lines{"**** <CONFIGURATION>", "FIELD=SUBLNAME,,,,,,,,", "", "**** "}));
}

TEST_F(VerifyFolder, AChangedAMissingAndAnExtraRowWithBackupsOneAndTwoPresent) {
    const std::string map = dir.write("mine.cfg",
                                      "X12TRANSACTIONTYPE=837P\r\nVERSION=5010\r\n  FIELD=SUBID,20,NM1,IL,2,9\r\n"
                                      "FIELD=EXTRA,1,REF,,,2\r\nFIELD=CLAIMID,38,CLM,,,1\r\nSEGMENT=2,CLM,$CLAIMID");
    const std::string original = zrtest::readBytes(map);
    const std::string reference = dir.write("ref.cfg", kVerifyReference);
    dir.write("Backup_Map1.dat", "1");
    dir.write("Backup_Map2.dat", "2");
    zrtest::PromptRecorder prompts(true);
    prompts.answerFile(map);
    prompts.answerFile(reference);
    run();
    Lines said;
    for (const wl::Prompt& p : prompts.prompts())
        if (p.kind != wl::PromptKind::File) said.push_back(p.text);
    EXPECT_EQ(said,
              (Lines{"\r\nYou will need to select a map file to verify your map file against.",
                     "Old-> FIELD=SUBID,20,NM1,IL,2,9\rNew-> FIELD=SUBID,30,NM1,IL,2,9", "Apply Changes to " + map,
                     "Make a backup of the data in file " + map + "?", "\r\nCreating Backup_Map3.dat"}));
    EXPECT_EQ(zrtest::readBytes(dir.file("Backup_Map3.dat")), original);
    // The missing reference rows are not added, the extra row stays, the
    // changed one is adopted; the last line gains its CR LF.
    EXPECT_EQ(zrtest::readBytes(map),
              "X12TRANSACTIONTYPE=837P\r\nVERSION=5010\r\nFIELD=SUBID,30,NM1,IL,2,9\r\nFIELD=EXTRA,1,REF,,,2\r\n"
              "FIELD=CLAIMID,38,CLM,,,1\r\nSEGMENT=2,CLM,$CLAIMID\r\n");
    EXPECT_EQ(zrtest::readBytes("verify.log"),
              "Verify Log\r\nDate:12/11/26\r\nTime:10:20:30\r\n"
              "File to Verify =" + map + "\r\nFile Size =" + std::to_string(original.size()) + "\r\nLines =6\r\n"
              " - File Type =837P\r\n - Version =5010\r\n - Key Header Field =\r\n - Key Line Field =\r\n"
              " - Field Count =         3\r\n - Segment Count =         1\r\n"
              "File to Verify Against =" + reference + "\r\nFile Size =" + std::to_string(kVerifyReference.size()) +
              "\r\nLines =11\r\n - File Type =837P\r\n - Version =5010\r\n - Key Header Field =HL,,,20\r\n"
              " - Key Line Field =SV1\r\n - Field Count =         4\r\n - Segment Count =         1\r\n");
}

TEST_F(VerifyFolder, DecliningEveryChangeLeavesTheMap) {
    const std::string body = "FIELD=SUBID,20,NM1,IL,2,9\r\n";
    const std::string map = dir.write("mine.cfg", body);
    const std::string reference = dir.write("ref.cfg", kVerifyReference);
    for (bool updateAnswer : {false, true}) {
        zrtest::PromptRecorder prompts(false);
        prompts.answerNext(updateAnswer);  // the one change, then "Update Map?" (No)
        prompts.answerFile(map);
        prompts.answerFile(reference);
        run("837P");
        EXPECT_EQ(zrtest::readBytes(map), body);
        EXPECT_FALSE(fs::exists("Backup_Map1.dat"));
        EXPECT_TRUE(fs::exists("verify.log"));
    }
}

TEST_F(VerifyFolder, EveryBackupNumberTakenLeavesTheMapUnchanged) {
    const std::string body = "FIELD=SUBID,20,NM1,IL,2,9\r\n";
    const std::string map = dir.write("mine.cfg", body);
    const std::string reference = dir.write("ref.cfg", kVerifyReference);
    for (int n = 1; n <= 998; ++n) dir.write("Backup_Map" + std::to_string(n) + ".dat", "");
    EXPECT_EQ(zr::freeBackupName(), "");
    zrtest::PromptRecorder prompts(true);
    prompts.answerFile(map);
    prompts.answerFile(reference);
    run();
    EXPECT_EQ(zrtest::readBytes(map), body);
    EXPECT_EQ(prompts.prompts().back().kind, wl::PromptKind::Stop);
}

TEST_F(VerifyFolder, ATagListBecomesAMapWithTheReferencesKeys) {
    const std::string map = dir.write("tags.xml", "<CONFIGURATION>\r\n<FIELD>SUBIDCODE</FIELD>\r\n");
    const std::string reference = dir.write("ref.cfg", kVerifyReference);
    zrtest::PromptRecorder prompts(true);
    prompts.answerFile(map);
    prompts.answerFile(reference);
    run("837P");
    const std::string stars = std::string(42, '*') + " ";
    EXPECT_EQ(zrtest::readBytes(map),
              stars + "\r\n*** Generated 12/11/26 10:20:30\r\n"
                      "*** Field lines made from a field tag list by the map verify tool\r\n"
                      "*** Field mapping pulled from file:\r\n***  " + reference + "\r\n" + stars +
                  "\r\nX12TRANSACTIONTYPE=837P\r\nVERSION=5010\r\nKEYHEADERFIELD=HL,,,20\r\nKEYFIELD=HL,,,22\r\n"
                  "KEYDOCFIELD=CLM\r\nKEYLINEFIELD=SV1\r\n**** <CONFIGURATION>\r\nFIELD=SUBID,30,NM1,IL,2,9\r\n");
    EXPECT_NE(zrtest::readBytes("verify.log").find(" - Field Count =         0\r\n - Segment Count =         0\r\n"
                                                   " - Field Count =         1\r\n"),
              std::string::npos);
}

TEST_F(VerifyFolder, ACancelledChoiceWritesWhatWasGathered) {
    zrtest::PromptRecorder prompts(true);
    run();
    EXPECT_EQ(zrtest::readBytes("verify.log"), "Verify Log\r\nDate:12/11/26\r\nTime:10:20:30\r\n");
}

}  // namespace
