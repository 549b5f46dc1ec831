#include "export_dialog_model.hpp"

#include <gtest/gtest.h>

#include "text.hpp"
#include "x12_fixtures.hpp"

namespace {

const zr::ExportDictionary& dialogModelDictionary() {
    static const zr::ExportDictionary d{{"CLAIMPATCTL", "Claim Patient Control Number", 20, 'H', 'C'},
                                        {"CLAIMTOTALPAID", "Claim Total Paid", 15, 'H', '$'},
                                        {"PATRESPONSIBLE", "Patient Responsibility", 15, 'H', '$'}};
    return d;
}

TEST(ExportDialogModel, ListFunctionsKeepOneEmptyEntryAndStopOnTheLastRow) {
    EXPECT_EQ(zr::CTL39404D({""}, "SUBFNAME"), std::vector<std::string>{"SUBFNAME"});
    EXPECT_EQ(zr::CTL39404D({"A"}, "B"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(zr::CTL39404E({"A", "B", "C"}, 2), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(zr::CTL39404E({"A"}, 1), std::vector<std::string>{""});
    EXPECT_EQ(zr::CTL39404E({""}, 1), std::vector<std::string>{""});
    EXPECT_EQ(zr::CTL39404F(1, 3), 2u);
    EXPECT_EQ(zr::CTL39404F(3, 3), 3u);
    EXPECT_EQ(zr::CTL39404M(""), "HO");
    EXPECT_EQ(zr::CTL39404M("HO"), "");
    EXPECT_EQ(zr::CTL39404N("HO"), "Header in file is ON");
    EXPECT_EQ(zr::CTL39404N(""), "Header in file is OFF");
    // A name without a dictionary row shows as itself.
    EXPECT_EQ(zr::CTL39404I({"CLAIMPATCTL", "NOSUCH"}, dialogModelDictionary()),
              "Claim Patient Control Number  NOSUCH");
    // Exact names: a prefix is not a row.
    EXPECT_EQ(zr::CTL39404B("CLAIMPAT", dialogModelDictionary()), "CLAIMPAT");
}

TEST(ExportDialogModel, AddAndRemoveMoveTheCurrentRows) {
    zr::ExportDialogModel m;
    m.dictionary = dialogModelDictionary();
    m.add();
    m.add();
    m.add();
    m.add();  // the last row stays current and is added again
    EXPECT_EQ(m.fields, (std::vector<std::string>{"CLAIMPATCTL", "CLAIMTOTALPAID", "PATRESPONSIBLE", "PATRESPONSIBLE"}));
    EXPECT_EQ(m.dictionaryRow, 3u);
    m.fieldRow = 4;
    m.remove();
    EXPECT_EQ(m.fieldRow, 3u);
    EXPECT_EQ(m.fieldLines(),
              (std::vector<std::string>{"Claim Patient Control Number", "Claim Total Paid", "Patient Responsibility"}));
    for (int i = 0; i < 5; ++i) m.remove();
    EXPECT_EQ(m.fields, std::vector<std::string>{""});
    EXPECT_EQ(m.fieldRow, 1u);
    EXPECT_EQ(m.headerFlag, "");
    m.switchHeader();
    EXPECT_EQ(m.headerFlag, "HO");
}

TEST(ExportDialogModel, TitlesOfTheKindsAndLetters) {
    EXPECT_EQ(zr::exportDialogTitle(1, zr::ExportLetter::Csv), "Export Data to CSV");
    EXPECT_EQ(zr::exportDialogTitle(1, zr::ExportLetter::Xml), "Export Data to XML");
    EXPECT_EQ(zr::exportDialogTitle(2, zr::ExportLetter::Csv), "Print Field Select");
}

struct DialogModelRemittance {
    zr::SegmentTable table = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    zr::ClaimIndex index = zr::CTL39400C(table, 3);
};

TEST(ExportDialogModel, ClaimCountsOfEachSetAndNoneWithoutClaims) {
    struct Case {
        const char* file;
        std::size_t claims;
    };
    for (const Case& c : {Case{"835_remittance.x12", 3}, Case{"277_stc.x12", 2}, Case{"claims_837p.x12", 3},
                          Case{"271_three_subscribers.x12", 3}, Case{"997_for_837p.x12", 0}}) {
        const zr::SegmentTable t = zrtest::loadX12(zrtest::x12Fixture(c.file));
        EXPECT_EQ(zr::exportClaimCount(t), c.claims) << c.file;
    }
}

// The totals used to print 0 for every field: the money fields are summed
// over every claim (a reversal's negative amount included).
TEST(ExportDialogModel, TotalsListingSumsTheMoneyFields) {
    DialogModelRemittance r;
    const zr::ListingSource source = zr::remittanceListingSource(r.table, r.index, 3);
    const zr::FieldListing totals = zr::CTL39404H(2, "835", dialogModelDictionary(),
                                                  {"CLAIMPATCTL", "CLAIMTOTALPAID", "PATRESPONSIBLE"}, source);
    EXPECT_EQ(totals.title, "Totals");
    EXPECT_EQ(totals.text, wl::padRight("Claim Patient Control Number", 60) + "       \r\n" +
                               wl::padRight("Claim Total Paid", 60) + " 180.00\r\n" +
                               wl::padRight("Patient Responsibility", 60) + "  40.00\r\n");
}

TEST(ExportDialogModel, FieldsAndClaimListings) {
    DialogModelRemittance r;
    const zr::ListingSource source = zr::remittanceListingSource(r.table, r.index, 3);
    const std::vector<std::string> fields{"CLAIMPATCTL", "CLAIMTOTALPAID"};
    const zr::FieldListing layout = zr::CTL39404H(1, "835", dialogModelDictionary(), fields, source);
    EXPECT_EQ(layout.title, "Fields");
    const std::string rule(80, '-');
    EXPECT_EQ(layout.text, "Basic Field Location:\r\n" + rule + "\r\n\r\n" + wl::padRight("Field_1", 20) + " Field_2\r\n" +
                               "Field Descriptions\r\n" + rule + "\r\n\r\n" + wl::padRight("Field_1", 14) +
                               wl::padRight("CLAIMPATCTL", 32) + "Claim Patient Control Number\r\n" +
                               wl::padRight("Field_2", 14) + wl::padRight("CLAIMTOTALPAID", 32) + "Claim Total Paid\r\n");
    const zr::FieldListing claims = zr::CTL39404H(3, "835", dialogModelDictionary(), fields, source);
    EXPECT_EQ(claims.title, "Listing");
    EXPECT_EQ(claims.text, wl::padRight("PAT001", 21) + "200.00\r\n" + wl::padRight("PAT002", 21) + "-100.00\r\n" +
                               wl::padRight("", 21) + "80.00\r\n");
    // Other sets list nothing.
    EXPECT_EQ(zr::CTL39404H(3, "837", dialogModelDictionary(), fields, source).text, "");
}

TEST(ExportDialogModel, BatchModeExportsTheMapFieldsByTheTypeItem) {
    DialogModelRemittance r;
    zrtest::TempDir dir;
    dir.write("zr835.xml", "<CONFIGURATION><FIELD>CLAIMPATCTL</FIELD><field>CLAIMTOTALPAID</field></CONFIGURATION>");
    zr::ExportDialogCall call;
    call.table = &r.table;
    call.index = &r.index;
    call.st01 = "835";
    call.workFolder = dir.path();
    call.spec.destinationFolder = dir.path();
    call.spec.destinationFile = "batch";
    call.spec.parseType = "NONE";
    EXPECT_FALSE(zr::exportBatch(call));
    call.spec.parseType = "csv";
    ASSERT_TRUE(zr::exportBatch(call));
    EXPECT_EQ(zrtest::readBytes(dir.file("batch.csv")), "PAT001,200\r\nPAT002,-100\r\n,80\r\n");
}

TEST(ExportDialogModel, BeginWritesTheExportLogAroundTheRun) {
    DialogModelRemittance r;
    zrtest::TempDir dir;
    zr::ExportDialogCall call;
    call.modelCode = "K7";
    call.table = &r.table;
    call.index = &r.index;
    call.st01 = "835";
    call.workFolder = dir.path();
    call.fileName = "remit.x12";
    zr::ExportPrompts prompts;
    prompts.saveName = [&](const std::string& title, const std::string& offered, const std::string&) {
        EXPECT_EQ(title, "Export to File");
        EXPECT_EQ(offered, "export.csv");
        return dir.file("picked.csv");
    };
    const zr::ExportClock clock{[] { return std::string("2026/12/11"); }, [] { return std::string("10:00:00"); }};
    zr::exportBegin(call, zr::ExportLetter::Csv, {"CLAIMPATCTL"}, "HO", prompts, clock);
    EXPECT_EQ(zrtest::readBytes(dir.file("picked.csv")), "CLAIMPATCTL\r\nPAT001\r\nPAT002\r\n\r\n");
    const std::string log = zrtest::readBytes(dir.file("export.log"));
    EXPECT_NE(log.find("Zarn Software Model K7 X12 Export Log"), std::string::npos);
    EXPECT_NE(log.find(" File Created " + dir.file("picked.csv")), std::string::npos);
    EXPECT_NE(log.find("Ended   2026/12/11  10:00:00"), std::string::npos);
}

}  // namespace

namespace {

// "Available Fields" used to offer a single name: it offers the set's
// whole dictionary.
TEST(ExportDialogModel, AvailableFieldsAreTheWholeDictionary) {
    DialogModelRemittance r;
    zrtest::TempDir dir;
    zr::ExportDialogCall call;
    call.table = &r.table;
    call.index = &r.index;
    call.st01 = "835";
    call.workFolder = dir.path();
    const zr::ExportDictionary d = zr::exportDialogDictionary(call);
    EXPECT_EQ(d, zr::exportDictionary("835", 0));
    EXPECT_GT(d.size(), 100u);
    EXPECT_EQ(d.front().name, "CLAIMPATCTL");
}

}  // namespace
