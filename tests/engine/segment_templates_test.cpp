#include "segment_templates.hpp"

#include <gtest/gtest.h>

#include "map_file.hpp"

namespace {

// Fields A, B, EMPTY at the claim level and PROC1..PROC3 on service lines.
const char* kFields =
    "FIELD=A,5,X,,,1\r\nFIELD=B,5,X,,,2\r\nFIELD=EMPTY,5,X,,,3\r\n"
    "FIELD=PROC1,5,SV1,,,1,,,,,1\r\nFIELD=PROC2,5,SV1,,,1,,,,,2\r\nFIELD=PROC3,5,SV1,,,1,,,,,3\r\n";

zr::MapFile mapWith(const std::string& segments) { return zr::parseMapText(std::string(kFields) + segments); }

void fill(std::vector<zr::FieldRow>& fields, const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size() && i < fields.size(); ++i) fields[i].value = values[i];
}

// One record of values A, B, EMPTY, PROC1, PROC2, PROC3 through one template line.
std::string oneRecord(const std::string& segment, const std::vector<std::string>& values) {
    zr::MapFile map = mapWith(segment + "\r\n");
    fill(map.fields, values);
    zr::TemplateRunState state;
    return zr::CTL48400G(map.templates, map.fields, 1, 1, zr::X12Output{}, state);
}

struct Case {
    const char* segment;
    const char* expected;
};

TEST(SegmentTemplates, CellsTrimConditionsAndComposites) {
    const std::vector<std::string> values{"  a  ", "b", "   ", "p1", "", ""};
    const Case cases[] = {
        {"SEGMENT=2,TST,$A, LIT ,$B", "TST*a*LIT*b~"},          // values and literals trimmed
        {"SEGMENT=2,TST,$EMPTY,$B,$EMPTY,$EMPTY", "TST**b~"},  // trailing empties dropped, inner kept
        {"SEGMENT=2,TST,$EMPTY", ""},                          // nothing with text: no segment
        {"SEGMENT=2,TST,!EMPTY,$A", ""},                       // a required value missing
        {"SEGMENT=2,TST,$B,$A:$EMPTY,$B", "TST*b~"},          // an unmet condition ends it before the element
        {"SEGMENT=2,REF:$EMPTY,X", ""},                        // segment condition, with "$"
        {"SEGMENT=2,REF:B,X", "REF*X~"},                       // and without
        {"SEGMENT=2,CMP,% X ;$A", "CMP*X :a~"},                // components joined, then trimmed
        {"SEGMENT=2,CMP,%$A;$EMPTY;LIT", "CMP*a~"},            // a last literal does not count
        {"SEGMENT=2,CMP,%$A;$EMPTY:$B", "CMP*a:~"},            // a conditional composite keeps them all
        {"SEGMENT=2,CMP,%$EMPTY;$EMPTY", ""},                     // no text at all: nothing (no "CMP*:")
        {"SEGMENT=2,CMP,%$EMPTY;$EMPTY,$B", "CMP**b~"},           // an empty element, not "::"
        {"SEGMENT=2,CMP,%$EMPTY;$EMPTY:$B", ""},                  // conditional, and nothing to write
        {"SEGMENT=2,TST,11:B:1,$NOSUCH", "TST*11:B:1~"},        // ":" without "$" is text; unknown names are ""
        {"SEGMENT=2,TST,&HX", "TST*&HX~"},                      // an unknown counter is text
        {"SEGMENT=2,REF:$A:$B,X", "REF*X~"},                   // several conditions, all met
        {"SEGMENT=2,REF:$A:$EMPTY,X", ""},                     // one of them not met
        {"SEGMENT=2,REF:!$EMPTY,X", "REF*X~"},                 // "!": the field holds no value
        {"SEGMENT=2,REF:!$A,X", ""},
        {"SEGMENT=2,REF:!$NOSUCH:$B,X", "REF*X~"},             // a field that does not exist holds none
        {"SEGMENT=2,REF:^$A,X", "REF*X~"},                     // "^" with nothing before: a change
        {"SEGMENT=2,REF:^$EMPTY,X", ""},                       // but only with a value
    };
    for (const Case& c : cases) EXPECT_EQ(oneRecord(c.segment, values), c.expected) << c.segment;
}

// One plan over several records: HL numbers run on, LX numbers start again
// with each record, line names take each line's number, and the first and
// last levels come with the first and last records only.
TEST(SegmentTemplates, PlanCarriesCountersAcrossRecords) {
    zr::MapFile map = mapWith(
        "SEGMENT=1,BHT,$A\r\n"
        "SEGMENT=2,HL,&HL,!B\r\n"
        "SEGMENT=2,HL,&HL\r\n"
        "SEGMENT=3,LX,&LX\r\nSEGMENT=3,SV1,$PROC\r\n"
        "SEGMENT=4,END,$A\r\n");
    const zr::FieldNameIndex names(map.fields);
    zr::TemplatePlan plan(map.templates, map.fields, names);
    zr::TemplateRunState state;
    std::string text;
    fill(map.fields, {"x", "", "", "p1", "", "p3"});
    plan.build(text, map.fields, 0, 1, zr::X12Output{}, state);
    // The required B is missing: its HL is left out, though its number was taken.
    // Two lines hold values, so lines 1 and 2 are written.
    EXPECT_EQ(text, "BHT*x~HL*2~LX*1~SV1*p1~LX*2~");
    text.clear();
    fill(map.fields, {"y", "b", "", "q1", "q2", ""});
    plan.build(text, map.fields, 2, 2, zr::X12Output{}, state);
    EXPECT_EQ(text, "HL*3*b~HL*4~LX*1~SV1*q1~LX*2~SV1*q2~END*y~");
    EXPECT_EQ(state.segments, 12u);
}

// "^$NAME": the segment is written where the record's value differs from
// the record before it in its set, as the run tells the plan.
TEST(SegmentTemplates, ChangeConditionFollowsTheRunsFlags) {
    zr::MapFile map = mapWith("SEGMENT=2,LX:^$B,$B\r\nSEGMENT=2,CLP,$A\r\n");
    const zr::FieldNameIndex names(map.fields);
    zr::TemplatePlan plan(map.templates, map.fields, names);
    const std::vector<std::size_t> change = plan.changeFields();
    ASSERT_EQ(change, std::vector<std::size_t>{1});  // B
    const struct {
        std::vector<bool> changed;
        const char* expected;
    } cases[] = {
        {{true}, "LX*1~CLP*c~"},
        {{false}, "CLP*c~"},
        {{}, "LX*1~CLP*c~"},  // not known: written
    };
    for (const auto& c : cases) {
        fill(map.fields, {"c", "1"});
        zr::TemplateRunState state;
        state.changed = c.changed;
        std::string text;
        plan.build(text, map.fields, 1, 1, zr::X12Output{}, state);
        EXPECT_EQ(text, c.expected);
    }
}

}  // namespace

// A record without line values writes no line: no bare "LX*1" and no
// "SVC*:::::" of separators. A line read through a field that carries no
// line number is still written when it holds a value.
TEST(SegmentTemplates, ARecordWithoutLineValuesWritesNoLine) {
    const struct {
        const char* segments;
        std::vector<std::string> values;
        const char* expected;
    } cases[] = {
        {"SEGMENT=2,CLM,$A\r\nSEGMENT=3,LX,&LX\r\nSEGMENT=3,SV1,%HC;$PROC,UN\r\n", {"c1", "", "", "", "", ""},
         "CLM*c1~"},
        {"SEGMENT=2,CLP,$A\r\nSEGMENT=3,SVC,%$PROC;$PROC\r\n", {"c1", "", "", "", "", ""}, "CLP*c1~"},
        {"SEGMENT=2,CLM,$A\r\nSEGMENT=3,LX,&LX\r\nSEGMENT=3,SV1,%HC;$PROC,UN\r\n", {"c1", "", "", "p1", "", ""},
         "CLM*c1~LX*1~SV1*HC:p1*UN~"},
    };
    for (const auto& c : cases) {
        zr::MapFile map = mapWith(c.segments);
        fill(map.fields, c.values);
        zr::TemplateRunState state;
        EXPECT_EQ(zr::CTL48400G(map.templates, map.fields, 1, 1, zr::X12Output{}, state), c.expected) << c.segments;
    }
    // A line field without a line number: its first line is still written.
    zr::MapFile map = zr::parseMapText(
        "FIELD=A,5,X,,,1\r\nFIELD=AMT1,5,SV1,,,2\r\nSEGMENT=2,CLM,$A\r\nSEGMENT=3,LX,&LX\r\nSEGMENT=3,SV1,,$AMT\r\n");
    fill(map.fields, {"c1", "9"});
    zr::TemplateRunState state;
    EXPECT_EQ(zr::CTL48400G(map.templates, map.fields, 1, 1, zr::X12Output{}, state), "CLM*c1~LX*1~SV1**9~");
}
