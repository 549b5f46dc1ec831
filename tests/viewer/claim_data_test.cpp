// The Claim Data dialog without its window: the views it cycles through,
// its buttons by mode and viewer state, the outputs of the window-free
// modes and the screen layout of the [X12837SCREEN] fields.
#include "claim_data.hpp"

#include <gtest/gtest.h>

#include "x12_fixtures.hpp"

namespace {

using namespace zr;

struct ClaimDataFile {
    zr::SegmentTable table;
    ClaimIndex index;
    explicit ClaimDataFile(const std::string& fixture)
        : table(zrtest::loadX12(zrtest::x12Fixture(fixture))), index(CTL39400C(table, 2)) {}
};

bool claimDataHas(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ClaimData, ViewsCycleAndLinesAreReadByNumber) {
    EXPECT_EQ(CTL39403E(ClaimView::Detail), ClaimView::ByLoop);
    EXPECT_EQ(CTL39403E(ClaimView::ByLoop), ClaimView::ByFormBox);
    EXPECT_EQ(CTL39403E(ClaimView::ByFormBox), ClaimView::Detail);
    const std::vector<std::string> lines = {"a", "", "c", ""};
    EXPECT_EQ(CTL39403A(lines, 1), "a");
    EXPECT_EQ(CTL39403A(lines, 3), "c");
    EXPECT_EQ(CTL39403A(lines, 0), "");
    EXPECT_EQ(CTL39403A(lines, 5), "");
    // Joined with CR LF, the final element left out.
    EXPECT_EQ(CTL39403B(lines), "a\r\n\r\nc\r\n");
    EXPECT_EQ(CTL39403B({}), "");
}

TEST(ClaimData, TwoClmsOpenOnTheSecondAndCycleBackToTheFirst) {
    const ClaimDataFile f("claims_837p.x12");
    const ClaimFields fields(f.table, f.index);
    ClaimDataLines lines(fields, 2);
    EXPECT_EQ(lines.view(), ClaimView::Detail);
    EXPECT_TRUE(claimDataHas(lines.lines(), "   Claim : 2"));
    EXPECT_TRUE(claimDataHas(lines.lines(), "Claim ID : KID-B   Claim Amount : 0.20"));
    EXPECT_EQ(lines.lines().back(), "");
    lines.changeView();
    EXPECT_EQ(lines.view(), ClaimView::ByLoop);
    EXPECT_EQ(lines.lines().front(), "Loop 2000A : - Billing Pay-Provider Name");
    lines.changeView();
    EXPECT_EQ(lines.lines().front(), "Box 1 : Type of Coverage ");
    lines.changeView();
    EXPECT_EQ(lines.view(), ClaimView::Detail);
    // Back in the detail, read with sub-claim 1: the first CLM alone.
    EXPECT_FALSE(claimDataHas(lines.lines(), "   Claim : 2"));
    EXPECT_TRUE(claimDataHas(lines.lines(), "Claim ID : KID-A   Claim Amount : 0.10"));
    EXPECT_FALSE(claimDataHas(lines.lines(), "Claim ID : KID-B   Claim Amount : 0.20"));
}

TEST(ClaimData, ButtonsByModeClaimTypeAndViewerState) {
    struct ButtonsCase {
        double mode;
        std::string type;
        ViewerState state;
        bool cms1500, files;
    };
    const std::vector<ButtonsCase> cases = {
        {1, "PROFESSIONAL", ViewerState::Interactive, false, false},
        {2, "PROFESSIONAL", ViewerState::Interactive, true, true},
        {150, "DENTAL", ViewerState::Interactive, false, true},
        {2, "INSTITUTIONAL", ViewerState::Unattended, false, false},
        {2, "PROFESSIONAL", ViewerState::Request, true, false},
        {0, "PROFESSIONAL", ViewerState::Interactive, false, false},
    };
    for (const ButtonsCase& c : cases) {
        const ClaimDataButtons b = claimDataButtons(c.mode, c.type, c.state);
        EXPECT_EQ(b.cms1500, c.cms1500) << c.mode << c.type;
        EXPECT_EQ(b.create837, c.files) << c.mode << c.type;
        EXPECT_EQ(b.create276, c.files) << c.mode << c.type;
        EXPECT_EQ(b.viewData, c.files) << c.mode << c.type;
    }
}

TEST(ClaimData, ClaimTypeIsTheLastClaimsUpperCased) {
    const ClaimDataFile f("claims_837i.x12");
    EXPECT_EQ(claimDataClaimType(ClaimFields(f.table, f.index), 1), "INSTITUTIONAL");
}

TEST(ClaimData, WindowFreeModes) {
    const ClaimDataFile f("claims_837d.x12");
    const ClaimFields fields(f.table, f.index);
    ClaimDataCall call;
    call.table = &f.table;
    call.claims = f.index;
    call.claim = 1;
    call.claimCount = 1;
    const std::vector<std::string> lines = claimDetailLines(fields, 1);
    ASSERT_EQ(lines.back(), "");
    std::string text, html, rtf;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        text += lines[i] + "\r\n";
        html += lines[i] + "<BR>";
        rtf += lines[i] + "\\par\r\n";
    }
    struct ModeCase {
        double mode;
        std::optional<std::string> out;
    };
    const std::vector<ModeCase> cases = {
        {100, text}, {101, html},  {102, rtf}, {103, "Claim # :1"}, {112, ""},        {112.1, ""},
        {113, ""},   {113.1, ""},  {1, std::nullopt}, {2, std::nullopt}, {104, std::nullopt}, {150, std::nullopt},
    };
    for (const ModeCase& c : cases) {
        call.mode = c.mode;
        EXPECT_EQ(claimDataOutput(call, fields), c.out) << c.mode;
    }
    // The writers' pieces: the claim as an 837, a 276 request, HL7 text.
    zrtest::TempDir noIni;
    call.currentFolder = noIni.path();
    const std::vector<std::pair<double, std::string>> pieces = {
        {110, "CLM*DENT-1*150"}, {111, "ST*276*"}, {111.1, "TRN*1*DENT-1"}, {114, "MSH"}, {114.1, "PID"}};
    for (const auto& [mode, holds] : pieces) {
        call.mode = mode;
        const std::optional<std::string> out = claimDataOutput(call, fields);
        ASSERT_TRUE(out) << mode;
        EXPECT_NE(out->find(holds), std::string::npos) << mode << *out;
    }
}

TEST(ClaimData, ScreenLayoutOfTheConfiguredFields) {
    const ClaimDataFile f("claims_837p.x12");
    const ClaimFields fields(f.table, f.index);
    ViewerFieldLists lists;
    lists.screen[0] = {"SUBLNAME", "CLAIMID", "SUBFNAME", "CLAIMAMT", "PATLNAME"};
    lists.screen[1] = {"3", "20", "10", "0", "5"};   // widths
    lists.screen[2] = {"1", "1", "64", "2", "61"};   // lines
    lists.screen[3] = {"5", "12", "1", "1", "1"};    // columns
    const std::vector<std::string> page = CTL39403D(fields, 1, lists);
    ASSERT_EQ(page.size(), 64u);
    // Cut to the width, blanked out to the column; a width of 0 or a line
    // of 61 and more places nothing.
    EXPECT_EQ(page[0], "     SMI    CLAIM001");
    EXPECT_EQ(page[1], "");
    EXPECT_EQ(page[63], "");
}

TEST(ClaimData, ErrorNotesWhenNoFieldIsConfigured) {
    ClaimDataFile f("claims_837p.x12");
    const std::size_t first = f.index[0];
    // A note on the claim's first row is not listed.
    f.table.setSegmentNote(first, "On The First Row");
    EXPECT_EQ(CTL39403D(ClaimFields(f.table, f.index), 1, ViewerFieldLists{}), std::vector<std::string>{});
    f.table.setSegmentNote(first + 2, "Segment Has Data Element Errors");
    f.table.setElementNote(first + 2, "Invalid Code Value");
    f.table.setElementNote(first + 3, "Missing Element");
    const std::vector<std::string> notes = CTL39403D(ClaimFields(f.table, f.index), 1, ViewerFieldLists{});
    const std::vector<std::string> expected = {
        "ERRORS NOTED: ",
        "  Segment Error Note: Segment Has Data Element Errors",
        "  Element Error Note: Invalid Code Value",
        "      Segment Number: " + std::to_string(first + 2),
        "                Data: " + std::string(f.table.text(first + 2)),
        "",
        "  Element Error Note: Missing Element",
        "      Segment Number: " + std::to_string(first + 3),
        "                Data: " + std::string(f.table.text(first + 3)),
        "",
    };
    EXPECT_EQ(notes, expected);
}

}  // namespace
