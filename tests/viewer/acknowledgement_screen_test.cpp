// The acknowledgement screen's values, error list and report text over
// hand-written 997, 999 and TA1 acknowledgements.
#include "acknowledgement_screen.hpp"

#include <gtest/gtest.h>

#include "table_rewriters.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;

using AckLines = std::vector<std::string>;

SegmentTable ackLoad(const std::string& name) { return zrtest::loadX12(zrtest::x12Fixture(name)); }

TEST(AcknowledgementScreen, ItemFieldsOfA997AndA999) {
    const SegmentTable ak = ackLoad("997_for_837p.x12");
    const SegmentTable ik = ackLoad("999_for_837p.x12");
    EXPECT_EQ(CTL39408AA(ak), 4u);
    EXPECT_EQ(CTL39408AA(ik), 2u);
    struct Case {
        const SegmentTable* table;
        std::size_t item;
        int field;
        std::string value;
    };
    const std::vector<Case> cases = {
        {&ak, 1, 0, "AK3"},
        {&ak, 1, 1, "NM1"},
        {&ak, 1, 2, "8"},
        {&ak, 1, 3, ""},
        {&ak, 1, 4, "Segment has data element errors"},
        {&ak, 1, 5, ""},  // an AK3 has no element fields
        {&ak, 2, 0, "AK4"},
        {&ak, 2, 5, "2"},
        {&ak, 2, 6, "66"},
        {&ak, 2, 7, "Mandatory data element missing"},
        {&ak, 2, 1, ""},  // an AK4 has no segment fields
        {&ak, 4, 7, "Exclusion condition violated"},
        {&ak, 4, 8, "0001"},
        {&ak, 4, 9, "R"},
        {&ak, 5, 0, ""},  // no fifth item
        {&ak, 0, 0, ""},
        {&ik, 1, 0, "IK3"},
        {&ik, 1, 1, "NM1"},
        {&ik, 1, 4, "Segment has data element errors"},
        {&ik, 2, 0, "IK4"},
        {&ik, 2, 6, "66"},
        {&ik, 2, 7, "Mandatory data element missing"},
    };
    for (const Case& c : cases) EXPECT_EQ(CTL39408AB(*c.table, c.item, c.field), c.value) << c.item << "/" << c.field;
}

TEST(AcknowledgementScreen, CodesOutsideTheTables) {
    zrtest::TempDir dir;
    const SegmentTable t = zrtest::loadX12(
        dir.write("odd.x12", zrtest::x12Text({"GS*FA*A*B*1*1*1*X*005010X230", "ST*997*1", "AK1*HC*1", "AK2*837*1",
                                              "AK3*NM1*8**19", "AK4*2*66*1A", "AK5*Q*19", "AK9*Z*1*1*0", "SE*7*1",
                                              "GE*1*1", "IEA*1*1"})));
    // Exact match: "19" is not "1", and an unknown code has its own text.
    EXPECT_EQ(CTL39408AB(t, 1, 4), "Error Code Not Set");
    EXPECT_EQ(CTL39408AB(t, 2, 7), "Error Code Not Set");
    EXPECT_EQ(CTL39408AC(t, 3, 1), " (Transaction Set Response)");
    EXPECT_EQ(CTL39408AC(t, 4, 1), "");
    EXPECT_EQ(CTL39408AC(t, 3), " (Functional Group Response)");
}

TEST(AcknowledgementScreen, CodeTexts) {
    const std::vector<std::pair<std::string, std::string>> notes = {
        {"000", "No Error"},          {"004", "Segment Terminator Invalid "}, {"024", "Invalid Interchange Content"},
        {"031", "Invalid Grade of Service Code"}, {"032", ""}, {"5", ""}, {"", ""}, {"0x1", ""}};
    for (const auto& [code, text] : notes) EXPECT_EQ(interchangeNoteText(code), text) << code;
    EXPECT_EQ(interchangeAckCodeText("R"), "Rejected");
    EXPECT_EQ(interchangeAckCodeText("X"), "");
    EXPECT_EQ(acknowledgementCodeText("E"), "Accepted But Errors Were Noted");
    EXPECT_EQ(acknowledgementCodeText("W"), "Rejected Validity");
    EXPECT_EQ(acknowledgementCodeText(""), "");
}

TEST(AcknowledgementScreen, HeaderOfAnAccepted997WithTa1) {
    const SegmentTable t = ackLoad("997_ta1_accepted.x12");
    EXPECT_EQ(acknowledgementHeaderLines(t), (AckLines{
                                                 "Acknowledgement Error Count :  0",
                                                 "Interchange Acknowledgment Control Number :  000000050",
                                                 "Interchange Acknowledgement Date-Time :  261210 1253",
                                                 "Interchange Acknowledgement Code : Accepted But Errors Were Noted",
                                                 "Interchange Acknowledgement Note :  Invalid Interchange Content",
                                                 "Group Control Number :  3001",
                                                 "Transaction Set Control Number :  0003",
                                                 "Transaction Set Acknowledgement Code :  Accepted (Functional Group Response)",
                                                 "Transaction Set Error Code :  ",
                                             }));
    EXPECT_EQ(CTL39408AC(t, 10), "A");
    EXPECT_EQ(acknowledgementErrorLines(t), AckLines{""});
}

TEST(AcknowledgementScreen, A999ListsItsErrorsAndReadsIk5) {
    const SegmentTable t = ackLoad("999_for_837p.x12");
    EXPECT_EQ(acknowledgementErrorLines(t), (AckLines{
                                                "Rejected Advised (Transaction Set Response)",
                                                "",
                                                "Rejected Advised (Functional Group Response)",
                                                "",
                                                "1) In Segment 8, Loop , the NM1",
                                                "   Segment has data element errors.",
                                                "   - Within this segment, element 2",
                                                "     which is element 66 of the transaction,",
                                                "     has Mandatory data element missing.",
                                                "",
                                            }));
    // The set's own response is its IK5.
    EXPECT_EQ(CTL39408AC(t, 3, 1), "Rejected Advised (Transaction Set Response)");
    EXPECT_EQ(CTL39408AC(t, 4, 1), "One or more segments in error");
    EXPECT_EQ(CTL39408AC(t, 10, 1), "R");
    // Without its AK9 the whole acknowledgement's response is the IK5.
    zrtest::TempDir dir;
    const SegmentTable noAk9 = zrtest::loadX12(dir.write(
        "ik5.x12", zrtest::x12Text({"GS*FA*A*B*1*1*1*X*005010X231A1", "ST*999*1", "AK1*HC*7", "AK2*837*0009", "IK5*A",
                                    "SE*5*1", "GE*1*1", "IEA*1*1"})));
    EXPECT_EQ(CTL39408AC(noAk9, 3), "Accepted (Transaction Set Response)");
}

TEST(AcknowledgementScreen, EachSetOfAMultiSetAcknowledgementKeepsItsOwnStatus) {
    const SegmentTable sets = ackLoad("999_two_sets.x12");
    // As the viewer shows it when the user declines the sets one by one.
    const SegmentTable merged = CTL39400AH(sets, 2);
    for (const SegmentTable* t : {&sets, &merged}) {
        ASSERT_EQ(acknowledgedSets(*t), 3u);
        struct Case {
            std::size_t set;
            int n;
            std::string value;
        };
        const std::vector<Case> cases = {
            {1, 1, "2001"}, {1, 2, "0001"}, {1, 3, "Rejected Advised (Transaction Set Response)"},
            {1, 4, "One or more segments in error"}, {1, 10, "R"},
            {2, 1, "2002"}, {2, 2, "0007"}, {2, 3, "Accepted (Transaction Set Response)"}, {2, 4, ""}, {2, 10, "A"},
            {3, 2, "0008"}, {3, 3, "Accepted But Errors Were Noted (Transaction Set Response)"}, {3, 10, "E"},
            {4, 2, ""}, {4, 3, ""},
            // The whole: the last rows, the group's response.
            {0, 1, "2002"}, {0, 2, "0008"}, {0, 3, "Accepted But Errors Were Noted (Functional Group Response)"},
        };
        for (const Case& c : cases) EXPECT_EQ(CTL39408AC(*t, c.n, c.set), c.value) << c.set << "/" << c.n;
        EXPECT_EQ(CTL39408AB(*t, 1, 8), "0001");
        EXPECT_EQ(CTL39408AB(*t, 3, 8), "0008");
        EXPECT_EQ(CTL39408AB(*t, 3, 9), "E");
    }
    EXPECT_EQ(acknowledgementErrorLines(merged),
              (AckLines{
                  "Transaction Set 0001 : Rejected Advised (Transaction Set Response)",
                  "",
                  "Rejected Advised (Functional Group Response)",
                  "",
                  "Transaction Set 0008 : Accepted But Errors Were Noted (Transaction Set Response)",
                  "",
                  "Accepted But Errors Were Noted (Functional Group Response)",
                  "",
                  "1) In Segment 9, Loop 2300, the CLM",
                  "   Segment has data element errors.",
                  "   - Within this segment, element 1",
                  "     which is element 1028 of the transaction,",
                  "     has Invalid code value.",
                  "",
                  "2) In Segment 4, Loop , the NM1",
                  "   Error Code Not Set.",
              }));
    EXPECT_EQ(acknowledgementCountLine(merged), "Acknowledgement Error Count :  2");
}

TEST(AcknowledgementScreen, OutputModes) {
    const std::string file = zrtest::x12Fixture("999_two_sets.x12");
    const SegmentTable t = zrtest::loadX12(file);
    const AckLines header = acknowledgementHeaderLines(t);
    const SegmentTable merged = CTL39400AH(t, 2);
    std::string head;
    for (const auto& line : header) head += line + "\r\n";
    const std::string text = *acknowledgementOutput(file, merged, 100);
    // The list ends with a line of text: it is kept.
    EXPECT_EQ(text.substr(text.size() - 24), "   Error Code Not Set.\r\n");
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_EQ(text.substr(head.size(), 2), "\r\n");
    EXPECT_EQ(acknowledgementOutput(file, t, 103), head);
    EXPECT_EQ(acknowledgementOutput(file, t, 109), "");
    const std::string html = *acknowledgementOutput(file, t, 101);
    EXPECT_EQ(html.substr(0, header[0].size() + 4), header[0] + "<BR>");
    EXPECT_EQ(html.find("\r\n"), std::string::npos);
    const std::string rtf = *acknowledgementOutput(file, t, 102);
    EXPECT_EQ(rtf.substr(0, header[0].size() + 7), header[0] + "\\par \r\n");
    for (int shows : {1, 2, 104, 150}) EXPECT_FALSE(acknowledgementOutput(file, t, shows)) << shows;
    // No file: nothing, in every mode.
    for (int mode : {1, 100}) {
        EXPECT_EQ(acknowledgementOutput("", t, mode), "");
        EXPECT_EQ(acknowledgementOutput(file + ".gone", t, mode), "");
    }
    // An accepted acknowledgement: the header, an empty line, nothing else.
    const std::string accepted = zrtest::x12Fixture("997_ta1_accepted.x12");
    const SegmentTable a = zrtest::loadX12(accepted);
    std::string ahead;
    for (const auto& line : acknowledgementHeaderLines(a)) ahead += line + "\r\n";
    EXPECT_EQ(acknowledgementOutput(accepted, a, 100), ahead + "\r\n");
}

}  // namespace
