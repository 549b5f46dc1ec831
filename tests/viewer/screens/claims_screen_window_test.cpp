// The 837 claims screen under Wine, on shared 837 samples: its title, rows
// and footer, Search finding the first row, an acknowledgement's rows, the
// buttons of the modes above 1, and the modes that show nothing.
#include "claims_screen_window.hpp"

#include <gtest/gtest.h>

#include "acknowledgement.hpp"
#include "user_script.hpp"
#include "viewer_windows.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

std::string claimsSample(const std::string& path) { return std::string(ZR_SAMPLES) + "/" + path; }

auto claimsPress(const std::string& caption) {
    return [caption](HWND w) { EXPECT_TRUE(pressButton(w, caption)) << caption; };
}

auto claimsAnswer(const std::string& text) {
    return [text](HWND w) {
        HWND edit = FindWindowExA(w, nullptr, "Edit", nullptr);
        ASSERT_TRUE(edit);
        zrtest::retypeInto(edit, text);
        pressButton(w, "Find");
    };
}

struct ClaimsShown {
    std::vector<ShownDialog> shown;
    ViewerUi ui() {
        return ViewerUi{[this](const ShownDialog& d) { shown.push_back(d); }};
    }
};

// A child window (button or text) of the dialog with this text.
bool claimsButtonShown(HWND dialog, const std::string& caption) {
    return zrtest::childWithText(dialog, caption) != nullptr;
}

TEST(ClaimsScreenWindow, DentalSampleShowsItsClaimAndTotal) {
    ZR_REQUIRE_SAMPLES();
    const std::string title = "View X12 837 Version 5010 DENTAL";
    zrtest::PromptRecorder prompts;
    ClaimsShown rec;
    bool modeButtons = true;
    UserScript script({{title, [&](HWND w) {
                            modeButtons = claimsButtonShown(w, "Export");
                            // The only row is found: the search starts before it.
                            pressButton(w, "Search");
                        }},
                       {"Search", claimsAnswer("sublast")},
                       {title, claimsPress("Exit")}});
    viewX12File("ZRK7W315", claimsSample("stupidedi/X224A2-multiple-tooth-numbers.edi"), "", rec.ui());
    EXPECT_TRUE(UserScript::done());
    ASSERT_GE(rec.shown.size(), 1u);
    EXPECT_EQ(rec.shown[0].caption, title);
    EXPECT_EQ(rec.shown[0].lines,
              (std::vector<std::string>{"1     P SUBLAST SUBFIRST M.           900.00    1191",
                                        "1 claim with a total of $900.00"}));
    EXPECT_FALSE(modeButtons);  // mode 1: the viewer's own screen
    EXPECT_TRUE(prompts.texts().empty());
}

TEST(ClaimsScreenWindow, ManyClaimsSearchFromTheTopAndNotFound) {
    ZR_REQUIRE_SAMPLES();
    const std::string title = "View X12 837 Version 5010 CLAIM TYPE ERROR";
    zrtest::PromptRecorder prompts;
    ClaimsShown rec;
    UserScript script({{title, claimsPress("Search")},
                       {"Search", claimsAnswer("A37YH556")},
                       {title, claimsPress("Search")},
                       {"Search", claimsAnswer("NOWHERE")},
                       {title, claimsPress("Exit")}});
    viewX12File("ZRK7W315", claimsSample("imsweb-x12-parser/x12_many_claims.txt"), "", rec.ui());
    EXPECT_TRUE(UserScript::done());
    ASSERT_GE(rec.shown.size(), 1u);
    const ShownDialog& screen = rec.shown[0];
    EXPECT_EQ(screen.caption, title);
    ASSERT_EQ(screen.lines.size(), 13u);  // the first twelve rows and the footer
    EXPECT_EQ(screen.lines[0], "1     P DOE JOHN T.                   500.00    A37YH556");
    EXPECT_EQ(screen.lines[1], "2     P DOE DAVID J.                  500.00    A37YH667");
    EXPECT_EQ(screen.lines.back(), "820 claims with a total of $410000.00");
    // The first search finds the first row: no message; the second says so.
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"NOWHERE Not Found"});
}

TEST(ClaimsScreenWindow, ModesAboveOneShowTheirButtonsAndOutputsShowNothing) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("837p_two_claims.x12"));
    TransactionScreenCall call;
    call.table = &t;
    call.claims = CTL39400C(t, 1);
    call.setId = "837";
    call.version = "5010";
    call.mode = 2;
    ClaimsShown rec;
    std::vector<std::string> present;
    const std::string title = "View X12 837 Version 5010 PROFESSIONAL";
    UserScript script({{title, [&](HWND w) {
                            for (const char* b : {"Export", "CMS-1500", "Format", "Create 276", "Load 997/999"})
                                if (claimsButtonShown(w, b)) present.push_back(b);
                            pressButton(w, "Exit");
                        }}});
    EXPECT_EQ(CTLD39406(call, rec.ui()), "");
    EXPECT_EQ(present, (std::vector<std::string>{"Export", "CMS-1500", "Format", "Create 276", "Load 997/999"}));
    // The listing mode returns the rows, the report modes the claims part
    // of the report; none of them opens a window.
    const std::pair<int, std::string> claimsModes[] = {{100, "X12 837 Claims Report.\r\n\r\nClaim # :1\r\n"},
                                                       {101, "<A name=0000><H2>837 PROFESSIONAL Claims Data."},
                                                       {102, "Claim # :1\\par\r\n"},
                                                       {103, ""},
                                                       {109, ""},
                                                       {200, "P SMITH JOHN "}};
    for (const auto& [mode, start] : claimsModes) {
        call.mode = mode;
        const std::string out = CTLD39406(call, rec.ui());
        EXPECT_EQ(out.substr(0, start.size()), start) << mode;
        if (start.empty()) EXPECT_EQ(out, "") << mode;
    }
    EXPECT_EQ(rec.shown.size(), 1u);
    // Mode 106: the claims' CMS-1500 forms as text, 72 lines a form, the
    // claim ids in box 26.
    call.mode = 106;
    const std::string forms = CTLD39406(call, rec.ui());
    ASSERT_FALSE(forms.empty());
    EXPECT_EQ(std::count(forms.begin(), forms.end(), '\n') % 72, 0);
    EXPECT_EQ(std::count(forms.begin(), forms.end(), '\n') / 72, 2);
    EXPECT_EQ(rec.shown.size(), 1u);
}

TEST(ClaimsScreenWindow, CmsButtonAsksThePrintQuestionAndCancelPrintsNothing) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("837p_two_claims.x12"));
    TransactionScreenCall call;
    call.table = &t;
    call.claims = CTL39400C(t, 1);
    call.setId = "837";
    call.version = "5010";
    call.mode = 2;
    ClaimsShown rec;
    const std::string title = "View X12 837 Version 5010 PROFESSIONAL";
    zrtest::PromptRecorder prompts;
    UserScript script({{title, [&](HWND w) { pressButton(w, "CMS-1500"); }},
                       {"Select Format", [&](HWND w) { pressButton(w, "Cancel"); }},
                       {title, [&](HWND w) { pressButton(w, "Exit"); }}});
    EXPECT_EQ(CTLD39406(call, rec.ui()), "");
    EXPECT_TRUE(UserScript::done());
    ASSERT_EQ(rec.shown.size(), 2u);
    EXPECT_EQ(rec.shown[1].lines, (std::vector<std::string>{"Print", "Form Control", "Cancel"}));
    EXPECT_TRUE(prompts.texts().empty());  // no "CMS-1500 Printing/Preview"
}

TEST(ClaimsScreenWindow, AcknowledgementReplacesTheFooter) {
    const std::string title = "View X12 837 Version 5010 PROFESSIONAL";
    const std::string file = zrtest::x12Fixture("837p_two_claims.x12");
    const std::string ack = zrtest::x12Fixture("997_for_837p.x12");
    const std::string summary = CTL39400P(ack, CTL39400O(ack, zrtest::loadX12(file)), 1);
    ASSERT_FALSE(summary.empty());
    zrtest::PromptRecorder prompts;
    prompts.answerFile(ack);
    ClaimsShown rec;
    bool before = false, after = false;
    UserScript script({{title, [&](HWND w) {
                            before = claimsButtonShown(w, "2 claims with a total of $225.50");
                            pressButton(w, "Load 997/999");
                        }},
                       {title, [&](HWND w) {
                            after = claimsButtonShown(w, summary);
                            pressButton(w, "Exit");
                        }}});
    viewX12File("ZRK7W315", file, "", rec.ui());
    EXPECT_TRUE(UserScript::done());
    EXPECT_TRUE(before);
    EXPECT_TRUE(after);
}

TEST(ClaimsScreenWindow, CreateTwoSeventySixAndTheFileModesWriteEveryClaim) {
    zrtest::TempDir dir;
    const std::string file = zrtest::x12Fixture("837p_two_claims.x12");
    const SegmentTable t = zrtest::loadX12(file);
    TransactionScreenCall call;
    call.fileName = file;
    call.currentFolder = dir.path();
    call.table = &t;
    call.claims = CTL39400C(t, 1);
    call.setId = "837";
    call.version = "5010";
    call.mode = 2;
    const std::string kept = dir.write("PAT001.276", "kept");
    zrtest::PromptRecorder prompts;  // No to "Overwrite any existing files?"
    ClaimsShown rec;
    const std::string title = "View X12 837 Version 5010 PROFESSIONAL";
    UserScript script({{title, [&](HWND w) {
                            pressButton(w, "Create 276");
                            pressButton(w, "Exit");
                        }}});
    EXPECT_EQ(CTLD39406(call, rec.ui()), "");
    EXPECT_TRUE(UserScript::done());
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Overwrite any existing files?"});
    EXPECT_EQ(zrtest::readBytes(kept), "kept");
    const std::string second = zrtest::readBytes(dir.file("PAT002.276"));
    EXPECT_EQ(second.substr(0, 4), "ISA*");
    EXPECT_NE(second.find("TRN*1*PAT002~"), std::string::npos);

    // The file modes write without a window and answer the last file's text.
    call.mode = 110;
    const std::string text = CTLD39406(call, rec.ui());
    EXPECT_EQ(zrtest::readBytes(dir.file("PAT002.837")), text);
    EXPECT_NE(text.find("CLM*PAT002*75.5"), std::string::npos);
    EXPECT_EQ(text.find("CLM*PAT001"), std::string::npos);
    call.mode = 112;
    EXPECT_NE(CTLD39406(call, rec.ui()), "");  // says why nothing was written
    EXPECT_EQ(rec.shown.size(), 1u);
}

}  // namespace
