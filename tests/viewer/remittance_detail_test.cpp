// The remittance detail text in both views and the explanation of benefits
// at their exact columns, over the hand-written remittance (golden text).
#include "remittance_detail.hpp"

#include <gtest/gtest.h>

#include "x12_fixtures.hpp"

namespace {

using namespace zr;

const SegmentTable& remittanceDetailTable() {
    static const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    return t;
}

TEST(RemittanceDetail, ViewOneOfAClaimWithServiceLinesAndAdjustments) {
    const SegmentTable& t = remittanceDetailTable();
    const std::vector<std::string> want{
        "",
        "Subscriber:",
        "     JANE SMITH",
        "     Subscriber Member Identification Number :  S456",
        "Patient:",
        "     JOHN Q. SMITH",
        "     Patient Member Identification Number :  M123",
        "",
        "Status : Processed as Primary",
        "Claim Filing Indicator = (12) Preferred Provider Organization (PPO)",
        "Billed Amount = 300.00             Paid Amount = 200.00",
        "Patient Resposibility = 40.00",
        "",
        "    Procedure = 99213  Modifiers = 25 59",
        "      Service Date = 11/01/2026",
        "      Units Paid = 1",
        "      Provider Control Number = LINE1",
        "      Billed = 200.00  Allowed = 180.00  Paid = 150.00",
        "      Deductable = 20.00",
        "      Coinsurance = 10.00",
        "  Patient Responsibility Code : 45 = 5.00",
        "  Patient Responsibility Code : 96 = 15.00",
        "    Contract Obligation = 20.00",
        "",
        "    Procedure = 99214",
        "      Service Date = 11/02/2026",
        "      Billed = 100.00  Allowed = .00  Paid = 50.00",
        "      Copay = 15.00",
        "    Contract Obligation = 35.00",
        "",
        "Payer Claim Control Number = CN001",
        "Patient Claim Control Number = PAT001",
        "Claim Adjustment Group = (CO)  Contractual Obligations",
        "Claim Adjustment Reason Code = 45",
        "Reason Description = Charge exceeds fee schedule/maximum",
        "                     allowable or contracted/legislated",
        "                     fee arrangement.",
        "Claim Adjustment Reason Code = N130",
        "Remark Description = Consult plan benefit documents/guidelines",
        "                     for information about restrictions",
        "                     for this service.",
        "Claim Adjustment Amount = 50.00",
        "Claim Date Received by Payer = 11/05/2026",
        "Facility Type Code = 11",
        "Claim Frequency  Code = 1",
        "Service Provider Name = WELBY",
        "National Provider Identifier = 1111111112",
        "",
        "Transaction Handling : Remittance Information Only",
        "Total Actual Provider Payment Amount : 460.00",
        "Transaction Type : Credit",
        "Transaction Payment Method : Automated Clearing House (ACH)",
        "Transaction Date : 12/15/2026",
        "Trace Reference ID : TRACE55",
        "Trace Originating Company ID : 1512345678",
        "Originating Company Supplemental Code : SUPP9",
        "Receiver ID : RECV01",
        "Production Date : 12/14/2026",
        "",
        "Provider Adjustment Reference ID : 1234567893",
        "Provider Adjustment Period  : 20261231",
        "Provider Adjustment Reason Code 1 : WO",
        "Provider Adjustment Reason Code ID 1 : REF1",
        "Provider Adjustment Amount 1 : -20",
        "Provider Adjustment Reason Code 2 : 72",
        "Provider Adjustment Reason Code ID 2 : REF2",
        "Provider Adjustment Amount 2 : -30",
        "",
        "Payer  : ACME HEALTH",
        "         1 PAYER WAY",
        "         SPRINGFIELD, IL 62701",
        "Payee  : FAMILY CLINIC",
        "         9 CLINIC ROAD",
        "         SUITE 2",
        "         CAPITAL, IL 62702",
        "         National Provider Identifier=1234567893",
        "         Federal Taxpayer's Identification Number=999888777",
    };
    EXPECT_EQ(CTL39407E(CTL39400C(t, 1), t, 1, 1, 1), want);
}

TEST(RemittanceDetail, ViewOneOfTheLastClaimListsEachProviderAdjustment) {
    const SegmentTable& t = remittanceDetailTable();
    const std::vector<std::string> want{
        "",
        "Patient:",
        "     RICHARD ROE",
        "",
        "Status : Processed as Primary, Forwarded to Additional Payer(s)",
        "Claim Filing Indicator = (12) Preferred Provider Organization (PPO)",
        "Billed Amount = 80.00             Paid Amount = 80.00",
        "",
        "Payer Claim Control Number = CN003",
        "",
        "Transaction Handling : Remittance Information Only",
        "Total Actual Provider Payment Amount : 460.00",
        "Transaction Type : Credit",
        "Transaction Payment Method : Automated Clearing House (ACH)",
        "Transaction Date : 12/15/2026",
        "Trace Reference ID : TRACE55",
        "Trace Originating Company ID : 1512345678",
        "Originating Company Supplemental Code : SUPP9",
        "Receiver ID : RECV01",
        "Production Date : 12/14/2026",
        "",
        "Provider Adjustment Segments : 2",
        "Provider Adjustment Reference ID Segment(1) : 1234567893",
        "Provider Adjustment Period Segment(1) : 20261231",
        "Provider Adjustment Reason Code Segment(1) : WO",
        "Provider Adjustment Reason ID Segment(1) : REF1",
        "Provider Adjustment Amount Segment(1) : -20",
        "Provider Adjustment Reason Code Segment(1) : 72",
        "Provider Adjustment Reason ID Segment(1) : REF2",
        "Provider Adjustment Amount Segment(1) : -30",
        "Provider Adjustment Reference ID Segment(2) : 1234567893",
        "Provider Adjustment Period Segment(2) : 20261231",
        "Provider Adjustment Reason Code Segment(2) : L6",
        "Provider Adjustment Reason ID Segment(2) : INT",
        "Provider Adjustment Amount Segment(2) : 5",
        "",
        "Payer  : ACME HEALTH",
        "         1 PAYER WAY",
        "         SPRINGFIELD, IL 62701",
        "Payee  : FAMILY CLINIC",
        "         9 CLINIC ROAD",
        "         SUITE 2",
        "         CAPITAL, IL 62702",
        "         National Provider Identifier=1234567893",
        "         Federal Taxpayer's Identification Number=999888777",
    };
    EXPECT_EQ(CTL39407E(CTL39400C(t, 1), t, 3, 1, 1), want);
}

TEST(RemittanceDetail, ViewTwoByLoop) {
    const SegmentTable& t = remittanceDetailTable();
    const std::vector<std::string> want{
        "",
        "Transaction Handle Code : Remittance Information Only",
        "Transaction Total Payment Amount : 460",
        "Transaction Debit/Credit : Credit",
        "Transaction Payment Method  : Automated Clearing House (ACH)",
        "Transaction Date : 20261215",
        "Tracer Reference ID : TRACE55",
        "Tracer Original ID : 1512345678",
        " Tracer Reference ID : SUPP9",
        "Receiver ID : RECV01",
        "Production Date : 20261214",
        " Loop - 1000A ",
        "  Payer Name : ACME HEALTH",
        "  Payer Address : 1 PAYER WAY",
        "  Payer City : SPRINGFIELD",
        "  Payer State : IL",
        "  Payer Zip : 62701",
        " Loop - 1000B ",
        "  Payee Name : FAMILY CLINIC",
        "  Payee Address : 9 CLINIC ROAD",
        "  Payee City : CAPITAL",
        "  Payee State : IL",
        "  Payee Zip : 62702",
        "     Loop - 2100 ",
        "      Patient Control Number : PAT001",
    };
    EXPECT_EQ(CTL39407E(CTL39400C(t, 1), t, 1, 1, 2), want);
}

TEST(RemittanceDetail, ExplanationOfBenefitsAtItsColumns) {
    const SegmentTable& t = remittanceDetailTable();
    const std::vector<std::string> want{
        "Explanation of Benefits",
        "",
        "",
        "Subscriber:",
        "     SMITH JANE",
        "     Subscriber Member Identification Number :  S456",
        "Patient:",
        "     SMITH Q. JOHN",
        "     Patient Member Identification Number :  M123",
        "Status : Processed as Primary",
        "",
        "Claim Filing Indicator = (12) Preferred Provider Organization (PPO)",
        "",
        "Payer Claim Control Number = CN001",
        "",
        "     Claim Statement Period Start = 11/01/2026",
        "",
        "     Claim Statement Period End = 11/02/2026",
        "",
        "       Billed Amount = 300.00",
        "       Paid Amount = 200.00",
        "       Patient Resposibility = 40.00",
        "Serv. Date  Proc  Mods          Billed   Allowed Deductable CoInsurance   CoPay   Adjusted     Paid     Other",
        "",
        "11/01/2026  99213 25 59         200.00    180.003.00183.00    20.00    10.00         20.00   150.00      5.00  Patient Responsibility Code : 45",
        "                                                                                                        15.00  Patient Responsibility Code : 96",
        "11/02/2026  99214               100.00       .00                          15.00      35.00    50.00",
        "",
        "",
        "",
        "Payer  : ACME HEALTH",
        "         1 PAYER WAY",
        "         SPRINGFIELD, IL 62701",
        "",
        "Payee  : FAMILY CLINIC",
        "         9 CLINIC ROAD",
        "         SUITE 2",
        "         CAPITAL, IL 62702",
        "         National Provider Identifier=1234567893",
        "         Federal Taxpayer's Identification Number=999888777",
    };
    const std::vector<std::string> eob = CTL39407Y(CTL39400C(t, 1), t, 1, 1);
    EXPECT_EQ(eob, want);
    // Both patient-responsibility codes of the first line at column 101.
    ASSERT_GE(eob.size(), 26u);
    EXPECT_EQ(eob[24].substr(100, 9), "     5.00");
    EXPECT_EQ(eob[25].substr(100, 9), "    15.00");
}

TEST(RemittanceDetail, ChangeViewTwiceReturnsToViewOneReadWithModeTwo) {
    const SegmentTable& t = remittanceDetailTable();
    const ClaimIndex index = CTL39400C(t, 1);
    RemittanceDetailModel m(index, t, 1);
    EXPECT_EQ(m.lines(), CTL39407E(index, t, 1, 1, 1));
    m.changeView();
    EXPECT_EQ(m.view(), 2);
    EXPECT_EQ(m.lines(), CTL39407E(index, t, 1, 2, 2));
    m.changeView();
    EXPECT_EQ(m.view(), 1);
    EXPECT_EQ(m.mode(), 2);
    EXPECT_EQ(m.lines(), CTL39407E(index, t, 1, 2, 1));
}

TEST(RemittanceDetail, ReportModesEndEachLineTheirWay) {
    const SegmentTable& t = remittanceDetailTable();
    const ClaimIndex index = CTL39400C(t, 1);
    const std::string text = remittanceDetailReport(index, t, 2, 100);
    EXPECT_EQ(text.substr(0, 22), "\r\nPatient:\r\n     ANN D");
    EXPECT_EQ(text.substr(text.size() - 12), "=999888777\r\n");
    const std::string html = remittanceDetailReport(index, t, 2, 101);
    EXPECT_EQ(html.substr(0, 16), "<BR>Patient:<BR>");
    const std::string rtf = remittanceDetailReport(index, t, 2, 102);
    EXPECT_EQ(rtf.substr(0, 18), "\\par\r\nPatient:\\par");
    EXPECT_EQ(remittanceDetailReport(index, t, 3, 103), "Claim # :3");
}

}  // namespace
