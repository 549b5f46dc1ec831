// X12 File Information: the envelope tree, counts, money totals and the
// control-character report, through the portable tree.
#include <gtest/gtest.h>

#include "file_information.hpp"
#include "segment_table.hpp"
#include "test_support.hpp"

namespace {

const std::string kInfoIsa =
    "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000101*0*P*:~";

// An 837 of one set whose claims have these CLM02 amounts, one SV1 each.
std::string infoClaims837(const std::vector<std::string>& amounts) {
    std::string x = kInfoIsa + "GS*HC*A*B*20261210*1253*1*X*005010X222A1~ST*837*0001~HL*1**20*1~HL*2*1*22*0~SBR*P*18~";
    for (std::size_t i = 0; i < amounts.size(); ++i)
        x += "CLM*C" + std::to_string(i + 1) + "*" + amounts[i] + "***11:B:1*Y~SV1*HC:99213*" + amounts[i] + "*UN*1~";
    return x + "SE*9*0001~GE*1*1~IEA*1*000000101~";
}

zr::FileSummary infoExamine(const std::string& file, zr::TextToolTree& tree) { return zr::CTLD47300A(file, tree); }

}  // namespace

TEST(FileInformation, ThreeClaimsAreCountedAndTotalled) {
    zrtest::TempDir dir;
    zr::TextToolTree tree;
    const zr::FileSummary s = infoExamine(dir.write("c.x12", infoClaims837({"100", "25.50", "0"})), tree);
    EXPECT_EQ(s.claims, 3u);
    EXPECT_EQ(zr::summaryAmount(s.claimsTotal), "125.50");
    EXPECT_EQ(s.serviceLines, 3u);
    EXPECT_EQ(zr::summaryAmount(s.serviceLineTotal), "125.50");
    EXPECT_EQ(s.transactionSets, 1u);
    EXPECT_EQ(s.remittances, 0u);
    EXPECT_EQ(s.report, "");
}

TEST(FileInformation, TheEnvelopeTreeHangsClaimsUnderTheSubscriber) {
    zrtest::TempDir dir;
    zr::TextToolTree tree;
    std::string x12 = infoClaims837({"100"});
    x12.insert(x12.find("CLM*"), "\r\n");
    const std::string file = dir.write("c.x12", x12);
    infoExamine(file, tree);
    const zr::ToolNode root = tree.find(zr::kNoToolNode, file);
    ASSERT_NE(root, zr::kNoToolNode);
    EXPECT_EQ(tree.childTexts(root),
              (std::vector<std::string>{"INTERCHANGE CONTROL HEADER          1", "ISA", "IEA"}));
    const zr::ToolNode isa = tree.find(root, "ISA");
    EXPECT_EQ(tree.childTexts(isa), (std::vector<std::string>{"Batch", "ST_         1", "SE"}));
    const zr::ToolNode st = tree.find(isa, "ST_         1");
    EXPECT_EQ(tree.childTexts(st), (std::vector<std::string>{"Subscriber", "SBR"}));
    // One node per element, the id repeated first, then CLM02 alone.
    EXPECT_EQ(tree.childTexts(tree.find(st, "SBR")),
              (std::vector<std::string>{"CLM CLM", "CLM C1", "CLM 100", "CLM ", "CLM ", "CLM 11:B:1", "CLM Y", "100"}));
}

TEST(FileInformation, TwoInterchangesShowTwoHeadersAndTwoTrailers) {
    zrtest::TempDir dir;
    zr::TextToolTree tree;
    const std::string one = infoClaims837({"1"});
    const std::string file = dir.write("two.x12", one + one);
    const zr::FileSummary s = infoExamine(file, tree);
    EXPECT_EQ(tree.childTexts(tree.find(zr::kNoToolNode, file)),
              (std::vector<std::string>{"INTERCHANGE CONTROL HEADER          1", "ISA", "IEA",
                                        "INTERCHANGE CONTROL HEADER          2", "ISA", "IEA"}));
    EXPECT_EQ(s.transactionSets, 2u);
    EXPECT_EQ(s.claims, 2u);
}

TEST(FileInformation, RemittancesListEachClpWithItsElementsAndPaymentLines) {
    zrtest::TempDir dir;
    zr::TextToolTree tree;
    const std::string x = kInfoIsa + "GS*HP*A*B*20261210*1253*1*X*005010X221A1~ST*835*0001~BPR*I*150*C~" +
                          "CLP*PC1*1*200*150**MC*PAYER1~SVC*HC:99213*120*90~SVC*HC:99214*80*60~" +
                          "CLP*PC2*1*40.25*0**MC*PAYER2~SE*7*0001~GE*1*1~IEA*1*000000101~";
    const std::string file = dir.write("r.x12", x);
    const zr::FileSummary s = infoExamine(file, tree);
    EXPECT_EQ(s.remittances, 2u);
    EXPECT_EQ(zr::summaryAmount(s.remittanceTotal), "240.25");
    EXPECT_EQ(s.serviceLines, 2u);
    EXPECT_EQ(zr::summaryAmount(s.serviceLineTotal), "200.00");
    const zr::ToolNode st = tree.find(tree.find(tree.find(zr::kNoToolNode, file), "ISA"), "ST_         1");
    EXPECT_EQ(tree.childTexts(st), (std::vector<std::string>{"CLP  200", "CLP  40.25"}));
    EXPECT_EQ(tree.childTexts(tree.find(st, "CLP  200")),
              (std::vector<std::string>{"CLP CLP", "CLP PC1", "CLP 1", "CLP 200", "CLP 150", "CLP ", "CLP MC",
                                        "CLP PAYER1", "SVC 120", "SVC 80"}));
}

TEST(FileInformation, ControlCharactersAreReportedPerFileWithTheirOffsets) {
    zrtest::TempDir dir;
    zr::TextToolTree tree;
    const std::string crlf = dir.write("crlf.x12", kInfoIsa + "\r\nGS*HC~\r\n");
    const zr::FileSummary first = infoExamine(crlf, tree);
    EXPECT_EQ(first.report,
              "Character(13):Position(106)\r\nCharacter(10):Position(107)\r\n"
              "Character(13):Position(114)\r\nCharacter(10):Position(115)\r\n");
    const zr::FileSummary second = infoExamine(dir.write("tab.x12", kInfoIsa + "GS*\tHC~"), tree);
    EXPECT_EQ(second.report, "Character(9):Position(109)\r\n");
}

TEST(FileInformation, AMissingFileGivesTheRootAlone) {
    zr::TextToolTree tree;
    const zr::FileSummary s = infoExamine("", tree);
    EXPECT_EQ(tree.nodes().size(), 1u);
    EXPECT_EQ(s.claims + s.transactionSets + s.remittances + s.serviceLines, 0u);
    EXPECT_EQ(s.claimsTotal, 0);
}

TEST(FileInformation, NodesWithoutTheirParentAreLeftOutButCounted) {
    zrtest::TempDir dir;
    zr::TextToolTree tree;
    // No SBR before the CLM and no claim parent for the SVC.
    const std::string file = dir.write("bare.x12", kInfoIsa + "ST*837*1~CLM*A*10~SVC*X*5~SE*3*1~");
    const zr::FileSummary s = infoExamine(file, tree);
    const zr::ToolNode st = tree.find(tree.find(tree.find(zr::kNoToolNode, file), "ISA"), "ST_         1");
    ASSERT_NE(st, zr::kNoToolNode);
    EXPECT_TRUE(tree.childTexts(st).empty());
    EXPECT_EQ(tree.nodes().size(), 6u);
    EXPECT_EQ(s.claims, 1u);
    EXPECT_EQ(s.transactionSets, 1u);
    EXPECT_EQ(s.serviceLines, 1u);
}

TEST(FileInformation, ReportLinesAndElementAccess) {
    EXPECT_EQ(zr::CTLD47300D("", 13, 5), "Character(13):Position(5)\r\n");
    EXPECT_EQ(zr::CTLD47300D("x", 'A', 5), "x");
    EXPECT_EQ(zr::CTLD47300D("", 0, 0), "Character(0):Position(0)\r\n");
    EXPECT_EQ(zr::CTLD47300B("CLM*A*100~", '*', 3), "100");
    EXPECT_EQ(zr::CTLD47300C("CLM*A*100~", '*'), 3u);
}

TEST(FileInformation, SharedSamplesCountTheClaimsTheSegmentTableHolds) {
    ZR_REQUIRE_SAMPLES();
    for (const char* name : {"/stupidedi/X223A2-ppo-repriced-claim.edi", "/LinuxForHealth-x12/two-claims-single-provider.837i",
                             "/pyx12/835_simple.txt"}) {
        const std::string file = std::string(ZR_SAMPLES) + name;
        zr::TextToolTree tree;
        const zr::FileSummary s = infoExamine(file, tree);
        const zr::SegmentTable table = zr::loadSegmentTable(file, zr::readDelimiters(file, 0));
        std::size_t clm = 0, clp = 0, st = 0;
        for (std::size_t r = 1; r <= table.size(); ++r) {
            const std::string id(table.id(r));
            clm += id == "CLM";
            clp += id == "CLP";
            st += id == "ST";
        }
        EXPECT_EQ(s.claims, clm) << name;
        EXPECT_EQ(s.remittances, clp) << name;
        EXPECT_EQ(s.transactionSets, st) << name;
        EXPECT_GT(s.claims + s.remittances, 0u) << name;
    }
}
