#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "ini_lines.hpp"
#include "paths.hpp"
#include "test_support.hpp"
#include "zr_ini.hpp"

namespace {

const std::string kFixtures = std::string(ZR_FIXTURES) + "/ini/";

// A start-up string with some positions (1-based) set to other letters.
std::string with(std::string letters, std::initializer_list<std::pair<int, char>> changes) {
    for (auto [position, letter] : changes) letters[position - 1] = letter;
    return letters;
}

const zr::OptionFlagStrings kStart = zr::OptionFlagStrings::startUp();

std::string text(int mode, const std::string& id, const std::string& folder,
                 const zr::OptionFlagStrings& strings = kStart) {
    return zr::ZRINI(mode, id, strings, folder).text();
}

TEST(ZrIniStartUp, StringsTheProgramStartsFrom) {
    EXPECT_EQ(kStart.system, "BAABA$AAAAAAAAAA");
    EXPECT_EQ(kStart.cms1500, "AAAAAAABAABAAACAAAAAAAAAAAAAGAAAAAAAAACAAAAAAAAAAAAAAAAAAAAAAAAA");
    EXPECT_EQ(kStart.spare8, "AAABAAAAAAAAAAAA");
    for (int mode : {4, 5, 6, 20}) EXPECT_EQ(kStart.byMode(mode)->size(), 64u) << mode;
    for (int mode : {1, 2, 3, 7, 8, 9}) EXPECT_EQ(kStart.byMode(mode)->size(), 16u) << mode;
    EXPECT_EQ(kStart.byMode(10), nullptr);
}

// Fixture files: one concern each, read through the start-up sequence.
TEST(ZrIniFixtures, SectionsInAnyCaseWithLeadingBlanks) {
    // A key before any section changes nothing (PASSWORD=YES stays A).
    const auto s = zr::readOptionFlagStrings(kFixtures + "sections_case");
    EXPECT_EQ(s.system, "BDABA$AAAAAABAAA");
    EXPECT_EQ(s.claimScreen, "BCAAAAAAAAAAAAAA");
    EXPECT_EQ(s.processing, with(std::string(64, 'A'), {{3, 'B'}, {10, 'B'}}));
    EXPECT_EQ(s.enrollment, kStart.enrollment);
    EXPECT_EQ(s.spare5, kStart.spare5);
    EXPECT_EQ(s.cms1500, kStart.cms1500);
    EXPECT_EQ(s.spare7, kStart.spare7);
    EXPECT_EQ(s.spare8, kStart.spare8);
    EXPECT_EQ(s.x12, kStart.x12);
}

TEST(ZrIniFixtures, CommandZeroEndsSystemButIsATranslatorValue) {
    const std::string folder = kFixtures + "command_zero";
    // ANALIZER=ON after COMMAND=0 and UNITS=FREEFORM after the second one
    // are outside any section; [SYSTEM] inside the check table still opens
    // the system section for this reader.
    EXPECT_EQ(text(1, "?", folder), "BAABA$ABAAAAAABA");
    EXPECT_EQ(text(10, "?", folder), "0" + std::string(47, ' '));
}

TEST(ZrIniFixtures, CheckTableRunsToCommandZeroOnly) {
    zr::IniSectionWalker walker({{"[SYSTEM]", 1, zr::SectionEnd::NextSectionOrCommandZero},
                                 {"[X12CHECKTABLE]", 2, zr::SectionEnd::CommandZeroOnly}});
    std::vector<std::string> checkLines, systemLines;
    ASSERT_TRUE(zr::walkZrIni(kFixtures + "command_zero", [&](const std::string& line) {
        if (!walker.keyLine(line)) return;
        (walker.current() == 2 ? checkLines : systemLines).push_back(line);
    }));
    EXPECT_EQ(checkLines, (std::vector<std::string>{"NM1=85", "[SYSTEM]", "OPTION=DME"}));
    // [TRANSLATOR] is no section of this walker: its COMMAND=0 is no key line.
    EXPECT_EQ(systemLines, (std::vector<std::string>{"PASSWORD=YES"}));
}

TEST(ZrIniFixtures, LinesAreCutAt80BeforeTheyAreTrimmed) {
    // Ten leading blanks count towards the 80 characters.
    EXPECT_EQ(text(10, "?", kFixtures + "cut80"), "01234567890123456789012345678901234567890123456789012345678901");
}

TEST(ZrIniFixtures, ProcessingSectionWithId) {
    const std::string folder = kFixtures + "processing_id";
    // [PROCESSING-ABC] read with "?" leaves no section current, so
    // CHECKDOB=ON is ignored; the 15-character [PROCESSING-AB] is ignored
    // and [PROCESSING] stays current for CHECKGENDER=ON.
    const std::string a64(64, 'A');
    EXPECT_EQ(text(4, "?", folder), with(a64, {{1, 'B'}, {9, 'B'}}));
    EXPECT_EQ(text(4, "XYZ", folder), with(a64, {{1, 'B'}, {9, 'B'}}));
    EXPECT_EQ(text(4, "ABC", folder), with(a64, {{1, 'B'}, {3, 'B'}, {9, 'B'}}));
    EXPECT_EQ(text(4, "abc", folder), with(a64, {{1, 'B'}, {3, 'B'}, {9, 'B'}}));
    EXPECT_EQ(text(4, "", folder), with(a64, {{1, 'B'}, {3, 'B'}, {9, 'B'}}));
}

TEST(ZrIniFixtures, TheLastOccurrenceOfAKeyWins) {
    const std::string folder = kFixtures + "last_wins";
    // [CMS1500] and [HCFA1500] open the same section.
    EXPECT_EQ(text(6, "?", folder), with(kStart.cms1500, {{7, 'C'}, {29, 'C'}}));
    // PURGESYSTEM=CARRIER, then the longer PURGESYSTEM=CARRIERSOLO.
    EXPECT_EQ(text(1, "?", folder), "BBABA$AAAAAAAAAA");
}

TEST(ZrIniFile, MissingFileGivesWhatWasPassedAndTheDefaults) {
    zrtest::TempDir dir;
    int closes = 0;
    auto previous = zr::setCloseAllTablesHook([&] { ++closes; });
    zr::OptionFlagStrings odd = kStart;
    odd.system = "ZZZZ";
    EXPECT_EQ(text(1, "?", dir.path(), odd), "ZZZZ");
    EXPECT_EQ(text(20, "?", dir.path()), kStart.x12);
    EXPECT_EQ(text(10, "?", dir.path()), std::string(48, ' '));
    EXPECT_EQ(text(12, "?", dir.path()), std::string(48, ' '));
    EXPECT_EQ(text(13, "?", dir.path()), "  ");
    EXPECT_EQ(text(17, "?", dir.path()), " ");
    EXPECT_EQ(zr::ZRINI(21, "?", kStart, dir.path()).number(), 0);
    EXPECT_EQ(zr::ZRINIA(1, "C:\\DATA", dir.path()), "C:\\DATA");
    EXPECT_EQ(closes, 0);  // no table is touched
    dir.write("zr.ini", "[SYSTEM]\r\n");
    text(1, "?", dir.path());
    EXPECT_EQ(closes, 2);  // before the load and after the walk
    zr::setCloseAllTablesHook(previous);
}

TEST(ZrIniFile, NameIsFoundWhateverItsCase) {
    for (const char* name : {"ZR.INI", "Zr.Ini"}) {
        zrtest::TempDir dir;
        dir.write(name, "[SYSTEM]\r\nPASSWORD=YES\r\n");
        EXPECT_EQ(text(1, "?", dir.path()), "BAABA$ABAAAAAAAA") << name;
        EXPECT_EQ(zr::findZrIni(dir.path()).empty(), false) << name;
    }
}

// Letter keys, one line each after its section line.
struct LetterCase {
    const char* ini;
    int mode;
    const char* id;
    int position;  // 0: the string must come back unchanged
    char letter;
};

TEST(ZrIniKeys, LetterKeysSetTheirPosition) {
    const LetterCase cases[] = {
        // The longer key is tested first where one begins with another.
        {"[CMS1500]\r\ntopoffset=50\r\n", 6, "?", 30, 'K'},
        {"[CMS1500]\r\nTOPOFFSET=5\r\n", 6, "?", 30, 'B'},
        {"[CMS1500]\r\nTOPOFFSET=55\r\n", 6, "?", 30, 'L'},
        {"[CMS1500]\r\nTOPOFFSET=0\r\n", 6, "?", 30, 'Z'},
        {"[CMS1500]\r\nFONT=TIMESNEWROMAN12\r\n", 6, "?", 29, 'K'},
        {"[CMS1500]\r\nFONT=TIMESNEWROMAN8\r\n", 6, "?", 29, 'C'},
        {"[CMS1500]\r\nFONT=COURRIERNEW10\r\n", 6, "?", 29, 'F'},
        {"[CMS1500]\r\nFORM=PREPRINTEDNOCHOICE\r\n", 6, "?", 15, 'A'},
        {"[CMS1500]\r\nFORM=PREPRINTED\r\n", 6, "?", 15, 'B'},
        {"[CMS1500]\r\nFORM=UPPERELITE\r\n", 6, "?", 17, 'B'},
        {"[HCFA1500]\r\nBOX24K=INSTINSID\r\n", 6, "?", 14, 'D'},
        {"[CMS1500]\r\nBOX20=BOX28\r\n", 6, "?", 19, 'B'},
        {"[CMS1500]\r\nICDTYPE=ICD9\r\n", 6, "?", 42, 'B'},
        {"[CMS1500]\r\nSETPOS=12\r\n", 6, "?", 24, 'D'},
        {"[CMS1500]\r\nSETTOS=3\r\n", 6, "?", 27, 'C'},
        {"[CMS1500-OFFICE2]\r\nBOX9=OFF\r\n", 6, "OFFICE", 7, 'B'},
        {"[CMS1500-OFFICE2]\r\nBOX9=OFF\r\n", 6, "", 7, 'B'},
        {"[CMS1500-OFFICE2]\r\nBOX9=OFF\r\n", 6, "?", 0, 0},
        {"[HCFA1500-OFFICE2]\r\nBOX9=OFF\r\n", 6, "OFF", 7, 'B'},
        {"[SYSTEM]\r\nPURGESYSTEM=CLEARING\r\n", 1, "?", 2, 'H'},
        {"[SYSTEM]\r\nPURGESYSTEM=CLEARINGSOLO\r\n", 1, "?", 2, 'C'},
        {"[SYSTEM]\r\nOPTION=CHIROPRACTIC\r\n", 1, "?", 15, 'E'},
        {"[SYSTEM]\r\nCLEARINGSERVICE=MULTI\r\n", 1, "?", 12, 'B'},
        {"[PROCESSING]\r\nCHECKPROVID=ON\r\n", 4, "?", 8, 'B'},
        {"[X12]\r\nINTERCHANGENUMBERING=TYPEG\r\n", 20, "?", 6, 'G'},
        {"[X12]\r\nFUNCTIONALGROUP=ANYTHING\r\n", 20, "?", 3, 'A'},
        {"[X12]\r\nNPI=OFF\r\n", 20, "?", 9, 'B'},
        {"[X12-TESTSYS]\r\nOTHERINSURANCE=PAID\r\n", 20, "TEST", 11, 'B'},
        {"[X12-TESTSYS]\r\nOTHERINSURANCE=PAID\r\n", 20, "?", 0, 0},
        // Another reader's section ends the system section.
        {"[SYSTEM]\r\n[X12VIEWER]\r\nPASSWORD=YES\r\n", 1, "?", 0, 0},
        {"[SYSTEM]\r\n[X12UDF]\r\nPASSWORD=YES\r\n", 1, "?", 0, 0},
        // [STATEMENT] and [REPORT] have no keys.
        {"[STATEMENT]\r\nPASSWORD=YES\r\n", 1, "?", 0, 0},
        // A key of another section does nothing.
        {"[SYSTEM]\r\nBOX9=OFF\r\n", 6, "?", 0, 0},
        // While [SYSTEM] and an id-form CMS-1500 section are both current,
        // a key goes to the system section only.
        {"[SYSTEM]\r\n[CMS1500-ANY]\r\nBOX9=OFF\r\n", 6, "", 0, 0},
        {"[SYSTEM]\r\n[CMS1500-ANY]\r\nPASSWORD=YES\r\n", 1, "", 8, 'B'},
        // After COMMAND=0 the CMS-1500 section opened by its id form stays.
        {"[SYSTEM]\r\n[CMS1500-ANY]\r\nCOMMAND=0\r\nBOX9=OFF\r\n", 6, "", 7, 'B'},
    };
    zrtest::TempDir dir;
    for (const auto& c : cases) {
        dir.write("zr.ini", c.ini);
        const std::string start = *kStart.byMode(c.mode);
        const std::string expected = c.position ? with(start, {{c.position, c.letter}}) : start;
        EXPECT_EQ(text(c.mode, c.id, dir.path()), expected) << c.ini << " id " << c.id;
    }
}

TEST(ZrIniKeys, UnsetStringsKeepTheirLength) {
    zrtest::TempDir dir;
    dir.write("zr.ini", "[SYSTEM]\r\nOPTION=DME\r\n[CMS1500]\r\nICDTYPE=ICD9\r\n");
    // The form printer passes its own form string and "" for the others.
    zr::OptionFlagStrings form;
    form.cms1500 = "AAAAAAABAABABABAAAAAAAAAAAAAGAAAAAAACAAAAAAAAAAAAAAAAAAAAAAAAAAA";
    EXPECT_EQ(text(6, "", dir.path(), form), with(form.cms1500, {{42, 'B'}}));
    EXPECT_EQ(text(1, "", dir.path(), form), "");
    form.system = "BAAB";
    EXPECT_EQ(text(1, "", dir.path(), form), "BAAB");
    // No key sets the spare strings.
    dir.write("zr.ini", "[SYSTEM]\r\nPASSWORD=YES\r\n[X12]\r\nNPI=OFF\r\n");
    for (int mode : {5, 7, 8, 9}) EXPECT_EQ(text(mode, "?", dir.path()), *kStart.byMode(mode)) << mode;
}

struct ValueCase {
    const char* ini;
    int mode;
    std::string expected;
};

TEST(ZrIniKeys, ValueModes) {
    const std::string pad48 = std::string(48, ' ');
    const ValueCase cases[] = {
        {"[TRANSLATOR]\r\ncommand=dialer.exe\r\n", 10, "DIALER.EXE" + pad48.substr(10)},
        {"[TRANSLATOR]\r\nCOMMAND=DIALER.EXE\r\n", 11, "DIALER.EXE" + pad48.substr(10)},
        // Whichever of the two comes later in the file.
        {"[SYSTEM]\r\nDATACOMMUNICATIONS=COM1\r\n[TRANSLATOR]\r\nCOMMAND=SEND\r\n", 10, "SEND" + pad48.substr(4)},
        {"[TRANSLATOR]\r\nCOMMAND=SEND\r\n[SYSTEM]\r\nDATACOMMUNICATIONS=COM1\r\n", 10, "COM1"},
        // A one-character value counts too.
        {"[SYSTEM]\r\nDATACOMMUNICATIONS=2\r\n", 10, "2"},
        {"[SYSTEM]\r\nCOMMUNICATIONSDIRECTORY=.\r\n", 12, "."},
        {"[SYSTEM]\r\nCOMMUNICATIONSDIRECTORY=c:\\comm\r\n", 12, "C:\\COMM"},
        // DATACOMMUNICATIONS= is a [SYSTEM] key only.
        {"[CMS1500]\r\nDATACOMMUNICATIONS=COM1\r\n", 10, pad48},
        {"[CMS1500]\r\nSETPOS=12\r\n", 13, "12"},
        {"[CMS1500]\r\nSETPOS=\r\n", 13, "  "},
        {"[CMS1500]\r\nSETTOS=3\r\n", 14, "3"},
        {"[CMS1500]\r\nSETTOSUDF1=7\r\nSETTOS=9\r\n", 15, "9"},
        {"[CMS1500]\r\nSETTOS=9\r\nSETTOSUDF1=7\r\n", 15, "7"},
        {"[CMS1500]\r\nSETTOSUDF5=5\r\n", 19, "5"},
        {"[CMS1500]\r\nSETTOSUDF1=7\r\n", 16, " "},
        {"[CMS1500]\r\nSETTOSUDF1=7\r\n", 14, " "},
        {"[SYSTEM]\r\nPASSWORD=YES\r\n", 30, ""},
    };
    zrtest::TempDir dir;
    for (const auto& c : cases) {
        dir.write("zr.ini", c.ini);
        EXPECT_EQ(text(c.mode, "?", dir.path()), c.expected) << c.ini << " mode " << c.mode;
    }
}

TEST(ZrIniKeys, TransactionSegmentOffsetIsANumber) {
    zrtest::TempDir dir;
    dir.write("zr.ini", "[X12]\r\nTRANSACTIONSEGOFFSET=12\r\n");
    wl::Value v = zr::ZRINI(21, "?", kStart, dir.path());
    ASSERT_TRUE(v.isWhole());
    EXPECT_EQ(v.number(), 12);
    // Only [X12] has it.
    dir.write("zr.ini", "[SYSTEM]\r\nTRANSACTIONSEGOFFSET=12\r\n");
    EXPECT_EQ(zr::ZRINI(21, "?", kStart, dir.path()).number(), 0);
}

TEST(ZrIniData, DataDirectoryOfTheSystemSection) {
    zrtest::TempDir dir;
    dir.write("zr.ini", "[SYSTEM]\r\nDATADIRECTORY=c:\\data\r\nDATADIRECTORY=d:\\x12\r\n[X12]\r\nDATADIRECTORY=e:\\\r\n");
    EXPECT_EQ(zr::ZRINIA(1, "C:\\DEFAULT", dir.path()), "D:\\X12");
    EXPECT_EQ(zr::ZRINIA(2, "C:\\DEFAULT", dir.path()), "D:\\X12");
    dir.write("zr.ini", "[CLAIM SCREEN]\r\nDATADIRECTORY=c:\\data\r\n");
    EXPECT_EQ(zr::ZRINIA(1, "C:\\DEFAULT", dir.path()), "C:\\DEFAULT");
    EXPECT_EQ(zr::ZRINIA(2, "C:\\DEFAULT", dir.path()), "");
}

TEST(IniLines, NormalisedLines) {
    EXPECT_EQ(zr::normaliseIniLine("  \tNpi=off   "), "NPI=OFF");
    EXPECT_EQ(zr::normaliseIniLine("a=1"), "A=1  ");
    EXPECT_EQ(zr::normaliseIniLine(""), "     ");
    EXPECT_EQ(zr::iniNumber(" 4096KB"), 4096);
    EXPECT_EQ(zr::iniNumber("-3"), -3);
    EXPECT_EQ(zr::iniNumber("ABC"), 0);
}

}  // namespace
