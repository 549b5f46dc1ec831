// The two 835 screens' output modes, without windows.
#include "remittance_modes.hpp"

#include <gtest/gtest.h>

#include "x12_fixtures.hpp"

namespace {

using namespace zr;

struct RemittanceModesCall {
    SegmentTable table = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    ScreenCall call;
    RemittanceModesCall() {
        call.table = &table;
        call.claims = CTL39400C(table, 1);
        call.fileName = "remit.835";
    }
};

TEST(RemittanceModes, ListingScreenModes) {
    RemittanceModesCall c;
    zrtest::PromptRecorder prompts;
    c.call.mode = 200;
    EXPECT_EQ(remittanceListingOutput(c.call)->substr(0, 16), "JOHN  Q. SMITHJA");
    for (int mode : {110, 111}) {
        c.call.mode = mode;
        EXPECT_EQ(remittanceListingOutput(c.call), "");
    }
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{kNo276From835, kNo276From835}));
    c.call.mode = 109;
    EXPECT_EQ(remittanceListingOutput(c.call), "");
    for (int mode : {1, 2, 104, 150, 114}) {
        c.call.mode = mode;
        EXPECT_FALSE(remittanceListingOutput(c.call).has_value()) << mode;
    }
}

TEST(RemittanceModes, FileErrorsReachTheUser) {
    RemittanceModesCall c;
    zrtest::TempDir dir;
    const std::string existing = dir.write("taken.835", "old");
    zrtest::PromptRecorder prompts;
    c.call.mode = 112;
    c.call.currentFolder = dir.path();
    c.call.request.destinationFolder = dir.path();
    c.call.request.destinationFile = "taken";
    EXPECT_EQ(remittanceListingOutput(c.call), "");
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Error: " + existing + " File Exists"});
}

TEST(RemittanceModes, DetailScreenModes) {
    RemittanceModesCall c;
    const ParseSpec request;
    const auto lines = remittanceDetailOutput(c.call.claims, c.table, 2, 104, request);
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->lines.at(1), "Patient:");
    EXPECT_EQ(remittanceDetailOutput(c.call.claims, c.table, 3, 103, request)->text, "Claim # :3");
    const std::string one = remittanceDetailOutput(c.call.claims, c.table, 1, 113, request)->text;
    EXPECT_NE(one.find("CLP*PAT001"), std::string::npos);
    EXPECT_EQ(one.find("CLP*PAT002"), std::string::npos);
    const std::string all = remittanceDetailOutput(c.call.claims, c.table, 1, 113.1, request)->text;
    EXPECT_NE(all.find("CLP*PAT002"), std::string::npos);
    EXPECT_FALSE(remittanceDetailOutput(c.call.claims, c.table, 1, 1, request));
    EXPECT_FALSE(remittanceDetailOutput(c.call.claims, c.table, 1, 112, request));
}

}  // namespace
