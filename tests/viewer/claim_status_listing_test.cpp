// The 277 listing, claim detail and reports as golden text.
#include "claim_status_listing.hpp"

#include <gtest/gtest.h>

#include "code_list_text.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;

const SegmentTable& statusListingTable() {
    static const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("277_two_sets.x12"));
    return t;
}

ViewerFieldLists statusNoFields() {
    ViewerFieldLists f;
    f.viewerNames = f.viewerWidths = f.listingNames = f.listingWidths = {""};
    for (auto& l : f.screen) l = {""};
    for (auto& l : f.form) l = {""};
    return f;
}

TEST(ClaimStatusListing, NameAndTotalAtTheirColumns) {
    const ClaimStatusReader r(statusListingTable());
    const std::vector<std::string> lines = claimStatusListing(r, statusNoFields());
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "SMITH JOHN Q.                   100.00    ",
                         "JONES MARY                      75.5      ",
                         "BROWN ANN                       200.00    ",
                     }));
    EXPECT_EQ(CTL39410V(lines, 2), "2     JONES MARY                      75.5      ");
    EXPECT_EQ(CTL39410V({"No Response Detected"}, 1), "1     No Response Detected");
}

TEST(ClaimStatusListing, ClaimsWithoutNamesAndFilesWithoutClaims) {
    zrtest::TempDir dir;
    const SegmentTable t = zrtest::loadX12(
        dir.write("277.x12", zrtest::x12Text({"GS*HN*A*B*1*1*1*X*1", "ST*277*1", "HL*1**20*1", "HL*2*1*22*0",
                                              "STC*A1:20", "HL*3*1*22*1", "HL*4*3*23", "NM1*QC*1*DOE*JANE",
                                              "SE*9*1", "GE*1*1", "IEA*1*1"})));
    EXPECT_EQ(claimStatusListing(ClaimStatusReader(t), statusNoFields()),
              (std::vector<std::string>{" Health Level Error", "DOE JANE                        "}));
    const SegmentTable none = zrtest::loadX12(dir.write(
        "none.x12", zrtest::x12Text({"GS*HN*A*B*1*1*1*X*1", "ST*277*1", "HL*1**20*1", "SE*3*1", "GE*1*1", "IEA*1*1"})));
    EXPECT_EQ(claimStatusListing(ClaimStatusReader(none), statusNoFields()),
              std::vector<std::string>{"No Response Detected"});
    EXPECT_EQ(claimStatusReport(ClaimStatusReader(none), statusNoFields(), 100), "No Response Detected\r\n\r\n");
}

TEST(ClaimStatusListing, ViewerFieldsMakeTheLine) {
    ViewerFieldLists f = statusNoFields();
    f.viewerNames = {"SUBLNAME", "CLAIMTOTALAMOUNT", "TRACEID"};
    f.viewerWidths = {"8", "0", "3"};
    EXPECT_EQ(claimStatusListingLine(ClaimStatusReader(statusListingTable()), 1, f), "SMITH   100.00 TRA ");
}

TEST(ClaimStatusListing, DetailOfASubscriberClaimWithServiceLines) {
    const std::vector<std::string> expected = {
        "Subscriber:",
        "      Subscriber ID Code : W123",
        "      JOHN Q. SMITH",
        "       12 MAIN ST",
        "       APT 4",
        "       SPRINGFIELD, IL 62701",
        "      Subscriber Date of Birth : 19700101",
        "",
        "      Check Number : 12345",
        "      Check Date: 20261210 ",
        "      Payment Method : CHK ",
        "      Total Claim Amount : 100.00",
        "      Claim Status Codes: F1 1 PR ",
        "      Claim Status : ",
        "      Finalized Payment",
        "      For more detail information, see Remittance Advice",
        // STC01-3 in the dictionary's entity list (the words are the dictionary's).
        "      Claim Status Entity : " + codeListText(7, 14, 1, 3, "PR"),
        "      Claim Trace Reference ID : TRACE1",
        "      Claim Period Start : 11/01/2026",
        "      Date Received : 11/20/2026",
        "      Date of Service : 11/15/2026",
        "      Service Line Code 1: 99213",
        "      Service Line Amount 1 : 60",
        "      Service Line Payment Amount 1 : 50",
        "      Service Line Code 2: 85025",
        "      Service Line Amount 2 : 40",
        "      Service Line Payment Amount 2 : 30",
        "      Service Line Revenue Code 2 : 0450",
    };
    ASSERT_FALSE(codeListText(7, 14, 1, 3, "PR").empty());
    EXPECT_EQ(claimStatusDetailLines(ClaimStatusReader(statusListingTable()), 1, statusNoFields()), expected);
}

TEST(ClaimStatusListing, DetailOfAPatientClaim) {
    const std::vector<std::string> lines =
        claimStatusDetailLines(ClaimStatusReader(statusListingTable()), 3, statusNoFields());
    const std::vector<std::string> head(lines.begin(), lines.begin() + 12);
    EXPECT_EQ(head, (std::vector<std::string>{"Subscriber:", "      Subscriber ID Code : W789", "      ANN BROWN",
                                              "       5 OAK AVE", "       PEORIA, IL 61602", "", "", "  Patient:",
                                              "      BOB T. BROWN", "      7 PINE RD", "      PEORIA, IL 61603", ""}));
    EXPECT_EQ(lines.back(), "      Service Line Revenue Code 1 : 0300");
}

TEST(ClaimStatusListing, ScreenFieldsLayOutAPage) {
    ViewerFieldLists f = statusNoFields();
    f.screen[0] = {"SUBLNAME", "TRACEID", "SUBFNAME", "SUBMI"};
    f.screen[1] = {"3", "20", "4", "0"};
    f.screen[2] = {"2", "2", "61", "1"};
    f.screen[3] = {"5", "10", "1", "1"};
    const std::vector<std::string> page = claimStatusDetailLines(ClaimStatusReader(statusListingTable()), 1, f);
    ASSERT_EQ(page.size(), 64u);
    EXPECT_EQ(page[0], "");  // a field without width is not placed
    EXPECT_EQ(page[1], "     SMI  TRACE1");
    EXPECT_EQ(page[60], "");  // nor one below line 60
}

TEST(ClaimStatusListing, ReportsCoverEveryClaimWithTagsOnlyInHtml) {
    const ClaimStatusReader r(statusListingTable());
    const ViewerFieldLists f = statusNoFields();
    const std::string text = *claimStatusReport(r, f, 100);
    const std::string html = *claimStatusReport(r, f, 101);
    const std::string rtf = *claimStatusReport(r, f, 102);
    for (const std::string* report : {&text, &rtf}) {
        EXPECT_EQ(report->find('<'), std::string::npos);
        for (const char* name : {"SMITH JOHN Q.", "JONES MARY", "BROWN ANN", "BOB T. BROWN"})
            EXPECT_NE(report->find(name), std::string::npos) << name;
    }
    EXPECT_EQ(text.substr(0, 57), "SMITH JOHN Q.                   100.00    \r\nSubscriber:\r\n");
    // The last line of a detail is a real line: it is reported.
    EXPECT_NE(text.find("      Service Line Revenue Code 2 : 0450\r\n"), std::string::npos);
    EXPECT_EQ(html.substr(0, 66), "<H3>SMITH JOHN Q.                   100.00    </H3>Subscriber:<BR>");
    EXPECT_NE(html.find("Revenue Code 2 : 0450<BR><HR><H3>JONES"), std::string::npos);
    EXPECT_NE(rtf.find("Revenue Code 2 : 0450\\par\r\n\\par\r\nJONES"), std::string::npos);
    EXPECT_EQ(*claimStatusReport(r, f, 103),
              "SMITH JOHN Q.                   100.00    \r\nClaim # :1\r\n"
              "JONES MARY                      75.5      \r\nClaim # :2\r\n"
              "BROWN ANN                       200.00    \r\nClaim # :3\r\n");
    for (int mode : {1, 2, 104, 109}) {
        EXPECT_FALSE(claimStatusReport(r, f, mode)) << mode;
        EXPECT_FALSE(claimStatusDetailOutput(r, 1, f, mode)) << mode;
    }
    EXPECT_EQ(claimStatusDetailOutput(r, 2, f, 103), "Claim # :2");
}

}  // namespace
