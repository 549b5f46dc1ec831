// The 835 interchange built from a loaded remittance, its options and
// envelope, and the one-claim rebuild.
#include "remittance_generator.hpp"

#include <gtest/gtest.h>

#include <map>

#include "x12_fixtures.hpp"

namespace {

using namespace zr;

const BuildTime kGeneratorTime{"261211", "20261211", "0930"};

const SegmentTable& remittanceGeneratorTable() {
    static const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    return t;
}

TEST(RemittanceGenerator, OptionWords) {
    const RemittanceOptions a = remittanceOptions("ic,FILTER=X,Y");
    EXPECT_TRUE(a.individualClaims);
    EXPECT_FALSE(a.overwrite);
    EXPECT_EQ(a.filterField, "X");
    EXPECT_EQ(a.filterValue, "Y");
    const RemittanceOptions b = remittanceOptions("OW,SL,MAP=m.cfg");
    EXPECT_TRUE(b.overwrite);
    EXPECT_TRUE(b.serviceLines);
    EXPECT_EQ(b.mapName, "M.CFG");
    EXPECT_FALSE(remittanceOptions("ICX").individualClaims);
}

TEST(RemittanceGenerator, EnvelopeFromSettingsElseTheFileElseDefaults) {
    const SegmentTable& t = remittanceGeneratorTable();
    const RemittanceEnvelope file = envelopeValues(t, {});
    EXPECT_EQ(file.sender, "SUBMITTER      ");
    EXPECT_EQ(file.applicationSender, "PAYER");
    EXPECT_EQ(file.controlNumber, "000000001");
    EXPECT_EQ(file.usage, "P");
    EXPECT_EQ(file.groupControl, "1001");
    EXPECT_EQ(file.setControl, "101");
    const std::map<int, std::string> keys{{1, "  "}, {2, "ME"}, {3, "42"}, {4, "TT"}, {7, "9"}, {8, "77"}};
    const RemittanceEnvelope set = envelopeValues(t, [&](int k) { return keys.count(k) ? keys.at(k) : ""; });
    EXPECT_EQ(set.sender, "SUBMITTER      ");  // a blank key 1 is absent
    EXPECT_EQ(set.receiver, "ME             ");
    EXPECT_EQ(set.controlNumber, "42       ");
    EXPECT_EQ(set.usage, "P");  // not one character
    EXPECT_EQ(set.groupControl, "9");
    EXPECT_EQ(set.setControl, "77");
}

TEST(RemittanceGenerator, OneClaimInterchange) {
    const SegmentTable& t = remittanceGeneratorTable();
    const std::string text = CTL394CONVD(CTL39400C(t, 2), t, 3, 2, {}, {}, kGeneratorTime);
    EXPECT_EQ(text,
              "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261211*0930*U*00501*000000001*1*"
              "P*:~GS*HR*PAYER*PROVIDER*20261211*0930*1001*X*005010X221A1~ST*835*101~"
              "BPR*I*460*C*ACH************20261215*~TRN**~LX*1~CLP*PAT002*22*-150*-100**12*CN002***~"
              "CAS*CO*45*-50**45:-50:*~NM1*QC*1*DOE*ANN*~SE*8*101~GE*1*1001~IEA*1*000000001~");
}

TEST(RemittanceGenerator, FilterKeepsTheClaimsWhoseValueBeginsWithIt) {
    const SegmentTable& t = remittanceGeneratorTable();
    ParseSpec request;
    request.parseOptions = "FILTER=CLAIMSTATUSCODE,1";
    const std::string text = CTL394CONVD(CTL39400C(t, 2), t, 3, 0, request, {}, kGeneratorTime);
    EXPECT_NE(text.find("CLP*PAT001*1*"), std::string::npos);
    EXPECT_EQ(text.find("CLP*PAT002"), std::string::npos);
    EXPECT_NE(text.find("LX*2~CLP**19*"), std::string::npos);
    EXPECT_NE(text.find("NM1*IL*1*SMITH*JANE****MI*S456*~NM1*QC*1*SMITH*JOHN*Q*"), std::string::npos);
}

TEST(RemittanceGenerator, WithoutTransactionDateTheBprHasFiveElements) {
    zrtest::TempDir dir;
    const SegmentTable t = zrtest::loadX12(dir.write(
        "a.x12", zrtest::x12Text({"GS*HP*A*B*20261210*1253*1*X*005010X221A1", "ST*835*0001", "BPR*I*5*C*ACH",
                                  "CLP*X*1*5*5", "SE*4*0001", "GE*1*1", "IEA*1*000000001"})));
    const std::string text = CTL394CONVD(CTL39400C(t, 2), t, 1, 1, {}, {}, kGeneratorTime);
    EXPECT_NE(text.find("~BPR*I*5*C*ACH*~TRN"), std::string::npos);
}

TEST(RemittanceGenerator, RebuildOfOneClaimRecountsItsSet) {
    const SegmentTable& t = remittanceGeneratorTable();
    const std::string text = CTL394CONVF(t, 2);
    EXPECT_EQ(text.substr(0, 4), "ISA*");
    EXPECT_NE(text.find("\r\nLX*1~\r\nCLP*PAT002*22"), std::string::npos);
    EXPECT_EQ(text.find("PAT001"), std::string::npos);
    EXPECT_EQ(text.find("PLB"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 62), "SVC*HC:99213*-150*-100~SE*18*0005~GE*1*5001~\r\nIEA*1*000000001~");
    // Every claim: the rows as loaded (the count is the file's own), one GE
    // after the SE.
    const std::string all = CTL394CONVF(t, 0);
    EXPECT_NE(all.find("SE*49*0005~GE*1*5001~\r\nIEA"), std::string::npos);
}

}  // namespace
