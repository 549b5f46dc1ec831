#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "map_file.hpp"
#include "test_support.hpp"

namespace {

using Strings = std::vector<std::string>;

TEST(MapText, LinesEndAtCrAndAreTrimmed) {
    EXPECT_EQ(zr::mapLines("A\r\n  B \t\r\nC"), (Strings{"A", "B \t", "C"}));
    // LF alone ends nothing: one line.
    EXPECT_EQ(zr::mapLines("FIELD=A\nFIELD=B\n"), (Strings{"FIELD=A\nFIELD=B\n"}));
    EXPECT_EQ(zr::mapLines("A\vB\r\n\r\n"), (Strings{"AB", ""}));
    EXPECT_EQ(zr::mapLines(""), Strings{});
}

TEST(MapText, ItemsSplitAtEveryComma) {
    EXPECT_EQ(zr::splitMapItems("HL,,,22"), (Strings{"HL", "", "", "22"}));
    EXPECT_EQ(zr::splitMapItems("HL,,,22,"), (Strings{"HL", "", "", "22"}));
    EXPECT_EQ(zr::splitMapItems("HL,,,22,  "), (Strings{"HL", "", "", "22"}));
    EXPECT_EQ(zr::splitMapItems("CLM"), (Strings{"CLM"}));
    EXPECT_EQ(zr::splitMapItems(""), (Strings{""}));
    EXPECT_EQ(zr::mapNumber(" 12x"), 12);
    EXPECT_EQ(zr::mapNumber("x1"), 0);
    EXPECT_EQ(zr::mapNumber(""), 0);
}

TEST(MapText, KeysFieldsTemplatesAndScreens) {
    const std::string text =
        "* comment\r\n"
        "x12transactiontype=837p\r\n"
        "VERSION=5010\r\n"
        "VERSION=4010\r\n"  // the last occurrence wins
        "keyfield=hl,,,22,\r\n"
        "KEYHEADERFIELD=HL,,,20\r\n"
        "  field=BillingName,32,NM1,85,2,3,,,,2\r\n"
        "FIELD=SUBADDR1,30,N3,,,1,,SUBID,,,,,,,,NM1,IL,2,PAYERID\r\n"
        "FIELD=FACILITYCODEVALUE,3,CLM,,,5,1,SUBID,,,,,,,FN.TXT,,,,,EXTRA\r\n"
        "SEGMENT=2,REF:$PRIORAUTH,G1,$PRIORAUTH\r\n"
        "SCREEN=2,FIELD,RENDERINGFNAME,,1\r\n"
        "ISA06=SENDER\r\n"
        "FIELD=LAST,1,SE,,,1";  // no final CR LF
    zr::MapFile m = zr::parseMapText(text);
    EXPECT_EQ(m.transactionType, "837P");
    EXPECT_EQ(m.version, "4010");
    EXPECT_EQ(m.keys.record, (Strings{"HL", "", "", "22"}));
    EXPECT_EQ(m.keys.header, (Strings{"HL", "", "", "20"}));
    EXPECT_EQ(m.keys.document, Strings{""});
    EXPECT_EQ(m.keys.line, Strings{""});
    ASSERT_EQ(m.fields.size(), 4u);
    EXPECT_EQ(m.fieldNames, (Strings{"BillingName", "SUBADDR1", "FACILITYCODEVALUE", "LAST"}));
    EXPECT_EQ(m.fieldSegments, (Strings{"NM1", "N3", "CLM", "SE"}));
    const zr::FieldRow& sub = m.fields[1];
    const Strings subCells = {"SUBADDR1", "30", "N3", "", "", "1", "", "SUBID", "", "", "", "", "", "",
                              "",         "",   "",   "0", "NM1", "IL", "2", "PAYERID"};
    for (int c = 1; c <= 22; ++c) EXPECT_EQ(sub.cell(c), subCells[c - 1]) << "column " << c;
    EXPECT_EQ(m.fields[2].cell(17), "FN.TXT");
    EXPECT_EQ(m.fields[2].cell(22), "");  // the twentieth item has no column
    EXPECT_EQ(m.fields[0].level, "2");
    ASSERT_EQ(m.templates.size(), 1u);
    EXPECT_EQ(m.templates[0][1], "REF:$PRIORAUTH");
    EXPECT_EQ(m.templates[0][3], "$PRIORAUTH");
    EXPECT_EQ(m.templates[0][4], "");
    ASSERT_EQ(m.screens.size(), 1u);
    EXPECT_EQ(m.screens[0][2], "RENDERINGFNAME");
    EXPECT_EQ(m.lineCount, 13u);
}

TEST(MapText, WithoutKeyLinesEveryListIsOneEmptyItem) {
    zr::MapFile m = zr::parseMapText("FIELD=A,1,CLM,,,1\r\n");
    for (const auto* list : {&m.keys.header, &m.keys.record, &m.keys.document, &m.keys.line, &m.keys.trailer})
        EXPECT_EQ(*list, Strings{""});
}

TEST(EnvelopeDefaults, WidthsAndPlacement) {
    struct Case {
        const char* text;
        int number;
        const char* want;
    };
    const Case cases[] = {
        {"ISA13=123456789\r\n", 3, "123456789"},
        {"ISA13=123\r\n", 3, "123      "},
        {"ISA13=1234567890\r\n", 3, "123456789"},  // cut, not lost
        {"ISA05=ZZ\r\n", 14, "ZZ"},
        {"ISA05=\r\n", 14, "  "},
        {"ISA05=ABC\r\n", 14, "AB"},
        {"ISA06=SENDER\r\n", 1, "SENDER         "},
        {"ISA06=A-VERY-LONG-SENDER-ID\r\n", 1, "A-VERY-LONG-SEN"},
        {"  ISA06=SENDER\r\n", 1, ""},  // leading blanks: not found
        {"isa06=SENDER\r\n", 1, ""},    // lower case: not found
        {"GS8=005010X222A1\r\nGS8=OTHER\r\n", 11, "005010X222A1"},  // the first wins
        {"ST3=X", 10, "X"},             // the last line without CR counts
        {"ISA06=SENDER\r\n", 12, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(zr::envelopeDefaultFromText(c.text, c.number), c.want) << c.text;
    zrtest::TempDir dir;
    EXPECT_EQ(zr::EnvelopeDefault(dir.write("m.cfg", "ISA15=T\r\n"), 4), "T");
    EXPECT_EQ(zr::EnvelopeDefault(dir.file("none.cfg"), 4), "");
}

TEST(MapLoad, RunLogLinesAndMissingMap) {
    zrtest::TempDir dir;
    zr::RunLog log([] { return std::string("10:00:00"); });
    EXPECT_FALSE(zr::loadMap(dir.file("none.cfg"), false, "ZRK7W315", log));
    EXPECT_EQ(log.text(), "");
    const std::string path = dir.write("m.cfg", "KEYFIELD=CLP\r\nKEYLINEFIELD=SVC\r\nFIELD=CLAIMID,20,CLP,,,1\r\n");
    auto m = zr::loadMap(path, false, "ZRK7W315", log);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->fields.size(), 1u);
    EXPECT_EQ(log.text(),
              "10:00:00 - Mapping Load Complete\r\n"
              "10:00:00 - Map File Used : " + path + "\r\n"
              "10:00:00 - Key Header Field Items : 1\r\n"
              "10:00:00 - Key Field Items : 1\r\n"
              "10:00:00 - Key Doc Field Items : 1\r\n"
              "10:00:00 - Key Line Field Items : 1\r\n"
              "10:00:00 - Key Trailer Field Items : 1\r\n"
              "10:00:00 - Map Fields : 1\r\n"
              "10:00:00 - Map Segments : 0\r\n");
}

// The sources of a run share one parse of their map: each load gives a
// copy of its own (a conversion changes its fields), with the same log
// lines, and a map file changed during the run is read as it is now.
TEST(MapLoad, ARunParsesEachMapTextOnce) {
    zrtest::TempDir dir;
    zr::ParsedMaps parsed;
    const std::string path = dir.write("m.cfg", "KEYFIELD=CLP\r\nFIELD=CLAIMID,20,CLP,,,1\r\n");
    zr::RunLog alone([] { return std::string("10:00:00"); }), shared([] { return std::string("10:00:00"); });
    auto first = zr::loadMap(path, false, "ZRK7W315", shared, nullptr, &parsed);
    ASSERT_TRUE(first);
    first->fields[0].name = "CHANGED";
    first->fields.emplace_back();
    auto second = zr::loadMap(path, false, "ZRK7W315", shared, nullptr, &parsed);
    ASSERT_TRUE(second);
    ASSERT_EQ(second->fields.size(), 1u);
    EXPECT_EQ(second->fields[0].name, "CLAIMID");
    zr::loadMap(path, false, "ZRK7W315", alone);
    zr::loadMap(path, false, "ZRK7W315", alone);
    EXPECT_EQ(shared.text(), alone.text());
    dir.write("m.cfg", "KEYFIELD=CLP\r\nFIELD=CLAIMID,20,CLP,,,1\r\nFIELD=PAID,20,CLP,,,4\r\n");
    auto third = zr::loadMap(path, false, "ZRK7W315", shared, nullptr, &parsed);
    ASSERT_TRUE(third);
    EXPECT_EQ(third->fields.size(), 2u);
    EXPECT_FALSE(zr::loadMap(dir.file("none.cfg"), false, "ZRK7W315", shared, nullptr, &parsed));
}

// A run looks at the map file's size and time before reading it again: a
// map rewritten with text of the same length but a later time is read as
// it is now; one left alone is not read again (its copy stays the run's).
TEST(MapLoad, AMapOfTheSameSizeIsReadAgainWhenItsTimeChanged) {
    namespace fs = std::filesystem;
    zrtest::TempDir dir;
    zr::ParsedMaps parsed;
    const std::string path = dir.write("m.cfg", "KEYFIELD=CLP\r\nFIELD=CLAIMID,20,CLP,,,1\r\n");
    zr::RunLog log([] { return std::string("10:00:00"); });
    ASSERT_TRUE(zr::loadMap(path, false, "ZRK7W315", log, nullptr, &parsed));
    const fs::file_time_type first = fs::last_write_time(path);
    dir.write("m.cfg", "KEYFIELD=CLP\r\nFIELD=CLAIMNO,20,CLP,,,1\r\n");
    fs::last_write_time(path, first + std::chrono::seconds(2));
    auto changed = zr::loadMap(path, false, "ZRK7W315", log, nullptr, &parsed);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->fields[0].name, "CLAIMNO");
    fs::remove(path);
    EXPECT_FALSE(zr::loadMap(path, false, "ZRK7W315", log, nullptr, &parsed));
}

// The map log, line by line (date, time, system and compiler masked).
TEST(MapLog, LinesOfAPresentAndAMissingMap) {
    zrtest::TempDir dir;
    const std::string path = dir.write(
        "m.cfg", "KEYFIELD=HL,,,22\r\nSEGMENT=2,HL,&HL\r\nFIELD=A,5,CLM,,,1,,,,,,,,,MISSING.FN\r\n");
    std::string text = zr::mapLogText(path, "ZRK7W315");
    Strings lines;
    for (std::size_t p = 0, q; (q = text.find("\r\n", p)) != std::string::npos; p = q + 2)
        lines.push_back(text.substr(p, q - p));
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Zarn Software ZRK7W315 Map Log");
    EXPECT_EQ(lines[1].substr(0, 8), "Started ");
    EXPECT_EQ(lines[2], "Parser Version Number :  1.22C-01");
    EXPECT_EQ(lines[3], "   Sub Version Number :  1.23B-22");
    EXPECT_EQ(lines[4].substr(0, 24), "     Operating System : ");
    EXPECT_EQ(lines[6], "");
    const Strings rest(lines.begin() + 7, lines.end());
    const Strings want = {
        "- " + path + " Present",
        "- Files Size " + std::to_string(zrtest::readBytes(path).size()) + " Bytes ",
        "- 3 Lines ",
        "- 1 Fields ",
        "- 1 Segments ",
        "- 0 Screen Elements ",
        "- Key Field = HL,,,22",
        "- Segment =",
        " 2",
        " HL",
        " &HL",
        "- Field          1",
        "   Field Name = A",
        "   Field width = 5",
        "   Segment  = CLM",
        "   Segment Qualifier = ",
        "   Qualifier Position = ",
        "   Element Position = 1",
        "   Subelement Position = ",
        "   Condition Field = ",
        "   Occurence = ",
        "   Level = ",
        "   Service Line Number = ",
        "   Field Description = ",
        "   Data Starting Position Within the Field = ",
        "   Length of Data = ",
        "   Function = MISSING.FN",
        "  - - (File NOT Present) = MISSING.FN  **",
        " Key Header Field 1 = ",
        " Key Field 1 = HL",
        " Key Field 2 = ",
        " Key Field 3 = ",
        " Key Field 4 = 22",
        " Key Doc Field 1 = ",
        " Key Line Field 1 = ",
        " Key Trailer Field 1 = ",
        "   Segement Map Array =          1",
        "   SEGMAP =          1",
    };
    EXPECT_EQ(rest, want);

    std::string missing = zr::mapLogText(dir.file("none.cfg"), "ZRK7W315");
    EXPECT_EQ(missing.substr(missing.find("\r\n\r\n") + 4), "   Segement Map Array =          1\r\n   SEGMAP =          1\r\n");
}

}  // namespace
