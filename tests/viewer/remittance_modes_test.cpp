// The two 835 screens' output modes, without windows.
#include "remittance_modes.hpp"

#include <gtest/gtest.h>

#include "remittance_getters.hpp"
#include "set_pickers.hpp"
#include "table_rewriters.hpp"
#include "text.hpp"
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

// Every shared 835 through the viewer's entry: the remittance screen, with
// one listing line per CLP of the set it is given.
struct RemittanceSampleScreens : ViewerScreens {
    std::vector<std::size_t> claims;
    std::optional<SegmentTable> pickInterchange(const ScreenCall& whole) override { return CTL39405A(1, *whole.table); }
    std::optional<SegmentTable> pickSet(const ScreenCall& call) override { return CTL39424A(1, *call.table); }
    std::string openScreen(ScreenKind kind, const ScreenCall& call) override {
        if (kind != ScreenKind::Remittance835) return "";
        ScreenCall listing = call;
        listing.mode = 200;
        const std::string text = remittanceListingOutput(listing).value_or("");
        claims.push_back(CTL39407AA(1, "CLP", *call.table));
        EXPECT_FALSE(wl::alltrim(text).empty() && claims.back() > 0);
        listing.mode = 100;
        EXPECT_EQ(remittanceListingOutput(listing).value_or("").empty(), claims.back() == 0);
        return "";
    }
    bool startNotepad(const std::string&) override { return false; }
    void debugDialog() override {}
};

// (Two more shared 835s never reach a set's screen: the entry refuses one
// whose terminator is a carriage return, and reads the delimiters of one
// whose ISA is padded past 106 bytes at the standard offsets.)
TEST(RemittanceModes, EverySharedRemittanceOpensOnItsScreen) {
    ZR_REQUIRE_SAMPLES();
    const std::vector<std::pair<std::string, std::size_t>> samples{
        {"tastypackets-x12-parser/profee-multiple.edi", 3},
        {"tastypackets-x12-parser/multi-line-not-delimited.edi", 3},
        {"edi-835-parser/united_healthcare_legacy_sample.txt", 2},
        {"pyx12/bad_header_looping.txt", 2},
        {"pyx12/835_simple.txt", 3},
        {"badX12/error_validation.edi", 2},
        {"stupidedi/X221A1-multiple-claims-single-check.edi", 9},
    };
    for (const auto& [name, firstClaims] : samples) {
        zrtest::PromptRecorder prompts;  // questions take No
        RemittanceSampleScreens screens;
        ViewerRequest r;
        r.fileName = std::string(ZR_SAMPLES) + "/" + name;
        const std::string said = CTLD39400(r, screens);
        ASSERT_FALSE(screens.claims.empty()) << name << ": " << said;
        EXPECT_EQ(screens.claims[0], firstClaims) << name;
    }
}

}  // namespace
