// The 270/271 listing, eligibility detail and reports as golden text.
#include "eligibility_listing.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "code_list_text.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;

// The words of an EB element's code in the dictionary's 270/271 list.
std::string eligibilityWords(int element, const char* code) { return codeListText(5, 24, element, 0, code); }

// The detail lines of one EB: the code words each after its label.
std::vector<std::string> eligibilityBenefitLines(const char* benefit, const char* coverage, const char* service,
                                                 const char* period, std::vector<std::string> rest) {
    std::vector<std::string> lines = {"Benefit Eligability Information :" + eligibilityWords(1, benefit),
                                      "Coverage Level  : " + eligibilityWords(2, coverage),
                                      "Service Type  : " + eligibilityWords(3, service),
                                      "Service Type Code : " + std::string(service)};
    lines.insert(lines.end(), rest.begin(), rest.end());
    if (*period) lines.push_back("Time Period : " + eligibilityWords(7, period));
    return lines;
}

const SegmentTable& eligibilityTable() {
    static const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("271_three_subscribers.x12"));
    return t;
}

TEST(EligibilityListing, ResponseLinesKeepTheAmountColumnsBlank) {
    const EligibilityReader r(eligibilityTable());
    const std::vector<std::string> lines = eligibilityListing(r, "271");
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "SMITH Q. JOHN                                       ",
                         "JONES MARY                                          ",
                         "BROWN ANN                                           ",
                     }));
    EXPECT_EQ(CTL39412V(lines, 3, 0).substr(0, 12), "3 BROWN ANN ");
    EXPECT_FALSE(eligibilityListsReject(r, "271"));
}

TEST(EligibilityListing, SetsWithoutSubscribers) {
    zrtest::TempDir dir;
    const SegmentTable none = zrtest::loadX12(dir.write(
        "none.x12", zrtest::x12Text({"GS*HS*A*B*1*1*1*X*1", "ST*270*1", "HL*1**20*1", "HL*2*1*21*1", "SE*4*1",
                                     "GE*1*1", "IEA*1*1"})));
    const EligibilityReader r(none);
    EXPECT_EQ(eligibilityListing(r, "270"), std::vector<std::string>{"No Requests Detected"});
    EXPECT_FALSE(eligibilityListsReject(r, "270"));
    const std::vector<std::string> reject = eligibilityListing(r, "271");
    EXPECT_EQ(reject, (std::vector<std::string>{"Reject Reason Code Blank ", ""}));
    EXPECT_TRUE(eligibilityListsReject(r, "271"));
    EXPECT_EQ(CTL39412V(reject, 1, 1), "  Reject Reason Code Blank ");
    EXPECT_EQ(eligibilityReport(r, "270", 101), "<B>No Requests Detected</B><BR>");
}

TEST(EligibilityListing, RequestLinesAreTheNameAlone) {
    zrtest::TempDir dir;
    const SegmentTable t = zrtest::loadX12(dir.write(
        "270.x12", zrtest::x12Text({"GS*HS*A*B*1*1*1*X*1", "ST*270*1", "HL*1**20*1", "HL*2*1*21*1", "HL*3*2*22*0",
                                    "NM1*IL*1*SMITH*ROBERT****MI*111", "EQ*30", "SE*8*1", "GE*1*1", "IEA*1*1"})));
    const EligibilityReader r(t);
    EXPECT_EQ(eligibilityListing(r, "270"), std::vector<std::string>{"SMITH ROBERT"});
    EXPECT_EQ(CTL39412E(r, 1, "270"),
              (std::vector<std::string>{"Request", "Subscriber:", "     SMITH ROBERT", "          Member Number : 111",
                                        " Eligibility Benefit Inqury Code  : 30",
                                        " Eligibility Benefit Inqury Description  : " + eligibilityWords(3, "30")}));
}

TEST(EligibilityListing, DetailOfEachSubscriber) {
    const EligibilityReader r(eligibilityTable());
    const std::vector<std::string> receiver = {"Information Receiver  : WELBY MARCUS A",
                                               "       National Provider Identifier : 1234567893"};
    std::vector<std::string> first = {
        "Response",
        "Subscriber:",
        "     SMITH Q. JOHN",
        "     12 MAIN ST",
        "     APT 4",
        "     SPRINGFIELD, IL 62701",
        "          Member Number : W123",
        "          " + eligibilityWords(11, "SY") + " : 123456789",
        "          Date of Birth : 19700101",
        "          Gender : Male",
    };
    first.insert(first.end(), receiver.begin(), receiver.end());
    first.insert(first.end(), {"Trace Reference ID  : TR1", "Trace Original ID  : 9ORIGIN",
                               "Trace Reference ID  : REF1", " Eligibility Date : 20261201"});
    for (const auto& block : {eligibilityBenefitLines("1", "IND", "30", "", {"Plan Description : GOLD PLAN"}),
                              eligibilityBenefitLines("C", "IND", "30", "23", {}),
                              // EB07 "0": no amount line.
                              eligibilityBenefitLines("B", "IND", "98", "27", {})})
        first.insert(first.end(), block.begin(), block.end());
    // The deductible's amount follows its time period.
    first.insert(std::find(first.begin(), first.end(), "Benefit Eligability Information :" + eligibilityWords(1, "B")),
                 "Monetary Amount : 500");
    for (const std::string& line : first) EXPECT_NE(line.back(), ' ') << line;  // every code has its words
    EXPECT_EQ(CTL39412E(r, 1, "271"), first);

    std::vector<std::string> second = {
        "Response",         "Subscriber:",     "     JONES MARY", "          Mutually Defined : W456",
        "          Date of Birth : 19800202",  "          Gender : Female",
        "Dependent:",       "     JONES TIMMY", "     Dependent  :  D1",
    };
    second.insert(second.end(), receiver.begin(), receiver.end());
    second.push_back("Benefit Eligability Information :" + eligibilityWords(1, "6"));
    EXPECT_EQ(CTL39412E(r, 2, "271"), second);

    std::vector<std::string> third = {"Response", "Subscriber:", "     BROWN ANN"};
    third.insert(third.end(), receiver.begin(), receiver.end());
    third.insert(third.end(), {"Requested Valid Response Code  : N", "Requested Valid Reject Reason Code  : 72",
                               "Requested Valid Follow Up Action Code  : C"});
    EXPECT_EQ(CTL39412E(r, 3, "271"), third);
}

TEST(EligibilityListing, ReportModesReturnTextWithTagsOnlyInHtml) {
    const EligibilityReader r(eligibilityTable());
    const std::string text = *eligibilityReport(r, "271", 100);
    const std::string html = *eligibilityReport(r, "271", 101);
    const std::string rtf = *eligibilityReport(r, "271", 102);
    EXPECT_EQ(text.find('<'), std::string::npos);
    EXPECT_EQ(rtf.find('<'), std::string::npos);
    EXPECT_EQ(text.substr(0, 64),
              "SMITH Q. JOHN                                       \r\nResponse\r\n");
    // Every item, each with its real last line.
    for (const char* line : {"Service Type Code : 98\r\n", "\r\nJONES MARY", "Gender : Female\r\n", "Action Code  : C\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(html.substr(0, 75), "<B>SMITH Q. JOHN                                       </B><BR>Response<BR>");
    EXPECT_NE(html.find("Action Code  : C<BR>"), std::string::npos);
    EXPECT_NE(rtf.find("Action Code  : C\\par\r\n"), std::string::npos);
    EXPECT_NE(eligibilityReport(r, "271", 103)->find("Claim # :3"), std::string::npos);
    EXPECT_EQ(eligibilityDetailOutput(r, 2, "271", 103), "Claim # :2");
    EXPECT_EQ(eligibilityDetailOutput(r, 3, "271", 104)->substr(0, 10), "Response\r\n");
    for (int mode : {1, 2, 109, 110})
        EXPECT_FALSE(eligibilityReport(r, "271", mode)) << mode;
    EXPECT_FALSE(eligibilityDetailOutput(r, 1, "271", 1));
}

}  // namespace
