// The 835 listing at its columns with its totals, and the listing screen's
// reports.
#include "remittance_listing.hpp"

#include <gtest/gtest.h>

#include "progress_meter.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;

SegmentTable remittanceListingTable(const std::vector<std::string>& segments) {
    static int n = 0;
    static zrtest::TempDir dir;
    return zrtest::loadX12(dir.write("listing" + std::to_string(++n) + ".x12", zrtest::x12Text(segments)));
}

TEST(RemittanceListing, LinesAndTotalsAtTheirColumns) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    const RemittanceListing l = remittanceListing(t);
    EXPECT_EQ(l.lines(), (std::vector<std::string>{
                           "JOHN  Q. SMITHJANE SMITH        300.00     200.00     40.00",
                           "ANN DOE                         -150.00    -100.00    .00",
                           "RICHARD ROE                     80.00      80.00      .00",
                       }));
    EXPECT_EQ(l.totalsLine(), "3 claims  Billed = $230.00   Paid = $180.00");
    EXPECT_EQ(l.patientLine(), "Patient Responsibility = $40.00");
}

TEST(RemittanceListing, OneClaimAndNoClaim) {
    const SegmentTable one = remittanceListingTable(
        {"GS*HP*A*B*20261210*1253*1*X*005010X221A1", "ST*835*0001", "CLP*X1*1*12.5*10**12*CN",
         "NM1*QC*1*LAST*FIRST", "NM1*IL*1*DOE*JANE*R", "SE*5*0001", "GE*1*1", "IEA*1*000000001"});
    const RemittanceListing l = remittanceListing(one);
    EXPECT_EQ(l.lines(), std::vector<std::string>{"FIRST LASTJANE  R.DOE           12.50      10.00      .00"});
    EXPECT_EQ(l.totalsLine(), "1 claim  Billed = $12.50   Paid = $10.00");
    const SegmentTable none = remittanceListingTable({"GS*HP*A*B*20261210*1253*1*X*005010X221A1", "ST*835*0001",
                                                      "SE*2*0001", "GE*1*1", "IEA*1*000000001"});
    EXPECT_EQ(remittanceListing(none).lines(), std::vector<std::string>{""});
    EXPECT_EQ(remittanceListing(none).totalsLine(), "0 claims  Billed = $0.00   Paid = $0.00");
}

TEST(RemittanceListing, LongNamesAndAmountsPushTheColumnsOn) {
    EXPECT_EQ(remittanceListingLine(std::string(40, 'n'), "12345678901.00", "2.00", "3.00"),
              std::string(40, 'n') + "12345678901.002.00    3.00");
    EXPECT_EQ(remittanceAmount("1 000"), "1 000.00");
}

TEST(RemittanceListing, TextReportCoversEveryClaimWithItsMeter) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    std::vector<MeterEvent> events;
    const MeterObserver old = setMeterObserver([&](const MeterEvent& e) { events.push_back(e); });
    const std::string text = remittanceReport(CTL39400C(t, 1), t, "f.835", 100);
    setMeterObserver(old);
    EXPECT_EQ(text.substr(0, 65), "\r\n\r\nJOHN  Q. SMITHJANE SMITH        300.00     200.00     40.00\r\n");
    EXPECT_NE(text.find("\r\n\r\nRICHARD ROE"), std::string::npos);  // the last claim too
    EXPECT_NE(text.find("Payer Claim Control Number = CN003"), std::string::npos);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().kind, MeterEvent::Kind::Open);
    EXPECT_EQ(events.front().text, "Creating Text file ");
    EXPECT_EQ(events.back().kind, MeterEvent::Kind::Close);
}

TEST(RemittanceListing, HtmlReportTotalsChargesAndPaidApart) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    const std::string html = remittanceReport(CTL39400C(t, 2), t, "f.835", 101);
    EXPECT_EQ(html.substr(0, 70), "<A name=0000><H2>835 Remittance Data.</H2><HR>Remittances in file=    ");
    EXPECT_NE(html.find("Total charges in file=       230<BR>Total paid in file=       180<BR>"), std::string::npos);
    EXPECT_NE(html.find("<A HREF=\"#2\"><I>Remittance 2 -  </I>ANN DOE<BR>- Control Number PAT002<BR>- Charges - "
                        "$-150<BR>- Paid - $-100<BR><BR>"),
              std::string::npos);
    EXPECT_NE(html.find("<B>Remittance # :3</B><BR>"), std::string::npos);
    EXPECT_EQ(html.substr(html.size() - 78),
              "<A name=9999><A HREF=\"#0000\"> [TOP]</A><H3>Segment Data</H3>File=f.835<BR><BR>");
}

TEST(RemittanceListing, RtfAndPdfReports) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    const std::string rtf = remittanceReport(CTL39400C(t, 1), t, "f.835", 102);
    EXPECT_EQ(rtf.substr(0, 21), "Remit # :1\\par\r\n\\par\r");
    EXPECT_NE(rtf.find("\\par \\par\r\nRemit # :2\\par"), std::string::npos);
    EXPECT_EQ(remittanceReport(CTL39400C(t, 1), t, "f.835", 103), "");
}

TEST(RemittanceListing, ListSearchLooksAtEveryLineFromTheFirst) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    RemittanceListModel m(remittanceListing(t));
    EXPECT_EQ(m.line(2), "2 ANN DOE                         -150.00    -100.00    .00");
    EXPECT_EQ(m.searchText(), std::string(40, ' '));
    struct Case {
        std::string answer;
        bool found;
        std::size_t current;
    };
    const std::vector<Case> cases{
        {"richard   ", true, 3}, {"JOHN", true, 1}, {"-150", true, 2}, {"nobody", false, 1}, {"   ", true, 1}};
    for (const auto& c : cases) {
        m.skip(1);
        EXPECT_EQ(m.search(c.answer), c.found) << c.answer;
        EXPECT_EQ(m.current(), c.current) << c.answer;
        EXPECT_EQ(m.searchText(), c.answer);
    }
    EXPECT_EQ(m.skip(5), 2);
    EXPECT_EQ(m.skip(-9), -2);
}

}  // namespace
