#include "export_dictionaries.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"
#include "x12_fixtures.hpp"

namespace {

TEST(ExportDictionaries, RowCountsPerSetAndMode) {
    struct Case {
        std::string st01;
        int mode;
        std::size_t rows;
    };
    // 835: 72 single rows, 56 families, 4 after them.
    const Case cases[] = {{"837", 0, 148}, {"277", 0, 33}, {"271", 1, 3}, {"835", 1, 72 + 56 * 9 + 4},
                          {"835", 0, 72 + 56 * 99 + 4}, {"999", 0, 0}};
    for (const Case& c : cases) EXPECT_EQ(zr::exportDictionary(c.st01, c.mode).size(), c.rows) << c.st01;
}

TEST(ExportDictionaries, NamesTheGettersAnswer) {
    const auto d277 = zr::CTL39404X(zr::exportDictionary("277", 0));
    EXPECT_NE(std::find(d277.begin(), d277.end(), "DATERECEIVED"), d277.end());
    EXPECT_NE(std::find(d277.begin(), d277.end(), "PATNAMESUFIX"), d277.end());
    const auto d835 = zr::exportDictionary("835", 1);
    EXPECT_EQ(zr::CTL39404AB("SERVICECODE09", d835).width, 10);
    EXPECT_EQ(zr::CTL39404AB("SERVICECODE09", d835).description, "SERVICECODE 09");
    EXPECT_EQ(zr::CTL39404AB("CLAIMTOTALPAID", d835).type, '$');
    EXPECT_EQ(zr::CTL39404AB("SERVICECODE10", d835), (zr::DictionaryRow{"SERVICECODE10", "SERVICECODE10", 12, 'H', 'C'}));
}

TEST(ExportDictionaries, OdbcColumnsKnowEveryAdjustmentAndNameErrors) {
    const zr::ExportDictionary w =
        zr::CTL39404W({"CLMADJCODE4", "CLMADJAMT6", "TOOTHSURFACE03", "PROC12", "NOPE", "ALSONOT"});
    ASSERT_EQ(w.size(), 6u);
    EXPECT_EQ(w[0].width, 5);
    EXPECT_EQ(w[1].width, 15);
    EXPECT_NE(w[2].description.rfind("Field Error", 0), 0u);
    EXPECT_NE(w[3].description.rfind("Field Error", 0), 0u);
    EXPECT_EQ(w[4].description, "Field Error          1");
    EXPECT_EQ(w[4].width, 14);
    EXPECT_EQ(w[5].description, "Field Error          2");
}

TEST(ExportDictionaries, PrefixPickAndEmptyElements) {
    const zr::ExportDictionary d = {{"SUBFNAME", "a", 1}, {"SUBLNAME", "b", 1}, {"CLAIMID", "c", 1}};
    const zr::ExportDictionary u = zr::CTL39404U({"CLAIM", "NONE", "SUBL", "LAST"}, d);
    ASSERT_EQ(u.size(), 3u);
    EXPECT_EQ(u[0].name, "CLAIMID");
    EXPECT_EQ(u[1].name, "SUBLNAME");
    EXPECT_EQ(u[2].name, "");
    EXPECT_EQ(zr::CTL39404S("X", d, {"SUB"}), "X<SUBFNAME></SUBFNAME>\r\n<SUBLNAME></SUBLNAME>\r\n");
}

TEST(ExportDictionaries, FullDictionaryAppendsToTheMapLog) {
    zrtest::TempDir dir;
    dir.write("zrmap.log", "CONVERSION\r\n");
    const auto t = zrtest::loadX12(zrtest::x12Fixture("claims_837p.x12"));
    const auto index = zr::CTL39400C(t, 3);
    const auto d = zr::CTL39404C(t, index, "837", 0, {}, dir.path());
    EXPECT_EQ(d.size(), 148u);
    EXPECT_EQ(zrtest::readBytes(dir.file("zrmap.log")), "CONVERSION\r\nMaptype = Professional\r\nXOA = 148\r\nTXOA = 148\r\n");
}

TEST(ExportDictionaries, UnknownClaimTypeGivesTheErrorRow) {
    zrtest::TempDir dir;
    const auto t = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    const auto index = zr::CTL39400C(t, 3);
    std::vector<std::string> said;
    zr::ExportPrompts p;
    p.show = [&](const std::string& s) { said.push_back(s); };
    p.askYes = [&](const std::string& s, const std::string& title) {
        said.push_back(s + "|" + title);
        return false;
    };
    const auto d = zr::CTL39404C(t, index, "837", 0, p, dir.path());
    EXPECT_EQ(d, (zr::ExportDictionary{{"ERROR", "Error", 35, 'H', 'C'}}));
    EXPECT_EQ(said, (std::vector<std::string>{"Claim Type Error ", "Suppress this warning?\r\n\r\n|Claim Type Error."}));
    EXPECT_EQ(zr::CTL39404AC("835", dir.path()).front().name, "CLAIMPATCTL");
}

TEST(ExportDictionaries, DescriptionsFromTheName) {
    EXPECT_EQ(zr::fieldDescription("SUBFNAME"), "Subscriber First Name");
    EXPECT_EQ(zr::fieldDescription("PATLNAME"), "Patient Last Name");
    EXPECT_EQ(zr::fieldDescription("BILLINGPROVIDERZIP"), "Billing Provider Zip");
    EXPECT_EQ(zr::fieldDescription("PAYERADDR2"), "Payer Address 2");
}

}  // namespace
