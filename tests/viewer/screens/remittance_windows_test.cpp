// The 835 screens under Wine on a shared remittance: the listing with its
// rows, totals and title, the detail with Change View, and Create 835
// through the hooked save dialog.
#include "remittance_windows.hpp"

#include <gtest/gtest.h>

#include "clip_board.hpp"
#include "hang_guard.hpp"
#include "paged_print.hpp"
#include "remittance_detail.hpp"
#include "remittance_getters.hpp"
#include "test_support.hpp"
#include "user_script.hpp"
#include "viewer_windows.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

auto remittancePress(const std::string& caption) {
    return [caption](HWND w) { EXPECT_TRUE(pressButton(w, caption)) << caption; };
}

struct RemittanceShown {
    std::vector<ShownDialog> shown;
    ViewerUi ui() {
        return ViewerUi{[this](const ShownDialog& d) { shown.push_back(d); }};
    }
};

std::string remittanceSample() {
    return std::string(ZR_SAMPLES) + "/stupidedi/X221A1-multiple-claims-single-check.edi";
}

const std::string kRemittanceTitle = "View X12 835 Version 5010";

TEST(RemittanceWindows, ListingShowsEachClaimAndTheTotals) {
    ZR_REQUIRE_SAMPLES();
    zrtest::PromptRecorder prompts;
    RemittanceShown rec;
    UserScript script({{kRemittanceTitle, remittancePress("Exit")}});
    viewX12File("ZRK7W315", remittanceSample(), "", rec.ui());
    EXPECT_TRUE(UserScript::done());
    ASSERT_EQ(rec.shown.size(), 1u);
    const std::vector<std::string>& lines = rec.shown[0].lines;
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "1 SANDY DOE                       226.00     132.00     .00");
    EXPECT_EQ(lines[1], "2 SALLY DOEJOHN DOE               119.00     74.00      .00");
    EXPECT_EQ(lines[8], "9 DONNA DOE                       221.00     144.00     .00");
    EXPECT_EQ(lines[9], "9 claims  Billed = $2819.00   Paid = $810.80");
    EXPECT_EQ(lines[10], "Patient Responsibility = $970.20");
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST(RemittanceWindows, SearchSelectAndChangeView) {
    ZR_REQUIRE_SAMPLES();
    zrtest::PromptRecorder prompts;
    RemittanceShown rec;
    UserScript script({
        {kRemittanceTitle, remittancePress("Search")},
        {"Search",
         [](HWND w) {
             zrtest::retypeInto(FindWindowExA(w, nullptr, "Edit", nullptr), "sally smith");
             pressButton(w, "Find");
         }},
        {kRemittanceTitle, remittancePress("Select")},
        {" Remittance Data ", remittancePress("Change View")},
        {" Remittance Data ", remittancePress("Change View")},
        {" Remittance Data ", remittancePress("Exit")},
        {kRemittanceTitle, remittancePress("Exit")},
    });
    viewX12File("ZRK7W315", remittanceSample(), "", rec.ui());
    EXPECT_TRUE(UserScript::done());
    ASSERT_EQ(rec.shown.size(), 5u);
    EXPECT_EQ(rec.shown[1].caption, "Search");
    // The third claim's detail in view 1, then view 2, then view 1 again.
    const ShownDialog& detail = rec.shown[2];
    EXPECT_EQ(detail.caption, " Remittance Data ");
    ASSERT_GE(detail.lines.size(), 4u);
    EXPECT_EQ(detail.lines[2], "     SALLY SMITH");
    EXPECT_EQ(rec.shown[3].lines.at(2), "Transaction Total Payment Amount : 810.8");
    EXPECT_EQ(rec.shown[4].lines, detail.lines);
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST(RemittanceWindows, CreateRemittanceThroughTheSaveDialog) {
    ZR_REQUIRE_SAMPLES();
    zrtest::TempDir dir;
    zrtest::PromptRecorder prompts;
    const std::string file = dir.file("claim2.835");
    prompts.answerFile(file);
    UserScript script({
        {kRemittanceTitle,
         [](HWND w) {
             HWND list = FindWindowExA(w, nullptr, "TWBROWSE", nullptr);
             if (list) SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
             pressButton(w, "Select");
         }},
        {" Remittance Data ", remittancePress("Create 835")},
        {" Remittance Data ", remittancePress("Exit")},
        {kRemittanceTitle, remittancePress("Exit")},
    });
    viewX12File("ZRK7W315", remittanceSample(), "", {});
    EXPECT_TRUE(UserScript::done());
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].caption, "Create a 835 Remittance File");
    const std::string written = zrtest::readBytes(file);
    EXPECT_NE(written.find("CLP*7722337*1*119*74"), std::string::npos);
    EXPECT_EQ(written.find("CLP*7722337*1*226"), std::string::npos);
    EXPECT_NE(written.find("IEA*1*000000195"), std::string::npos);
}

TEST(RemittanceWindows, OutputModesShowNothing) {
    ZR_REQUIRE_SAMPLES();
    const SegmentTable t = loadSegmentTable(remittanceSample(), readDelimiters(remittanceSample(), 0));
    ScreenCall call;
    call.table = &t;
    call.claims = CTL39400C(t, 1);
    RemittanceShown rec;
    call.mode = 200;
    EXPECT_EQ(CTLD39407(call, rec.ui()).substr(0, 9), "SANDY DOE");
    call.mode = 100;
    EXPECT_NE(openTransactionScreen(ScreenKind::Remittance835, call, rec.ui()).find("SALLY SMITH"), std::string::npos);
    EXPECT_EQ(CTLD39413(call, 3, 104, rec.ui()).lines.at(2), "     SALLY SMITH");
    EXPECT_TRUE(rec.shown.empty());
}

// The detail's "EOB" and "Print" through "Send to:" to the clipboard: the
// clipboard holds the lines the paged printer was given, the detail closes
// itself after printing, and the listing is left with "Exit".
TEST(RemittanceWindows, DetailEobAndPrintGoToTheClipboard) {
    ZR_REQUIRE_SAMPLES();
    const SegmentTable t = loadSegmentTable(remittanceSample(), readDelimiters(remittanceSample(), 0));
    const ClaimIndex claims = CTL39400C(t, 1);
    struct Case {
        std::string button;
        std::vector<std::string> lines;
    } cases[] = {{"EOB", CTL39407Y(claims, t, 1, 2)}, {"Print", RemittanceDetailModel(claims, t, 1).lines()}};
    for (const Case& c : cases) {
        zrtest::HangGuard guard("the detail's " + c.button + " to the clipboard", std::chrono::seconds(60));
        zrtest::PromptRecorder prompts;
        wl::TClipBoard(CF_TEXT).Clear();
        UserScript script({
            {kRemittanceTitle, remittancePress("Select")},
            {" Remittance Data ", remittancePress(c.button)},
            {"Send to:", remittancePress("Clipboard")},
            {kRemittanceTitle, remittancePress("Exit")},
        });
        viewX12File("ZRK7W315", remittanceSample(), "", {});
        EXPECT_TRUE(UserScript::done()) << c.button;
        ASSERT_FALSE(c.lines.empty());
        EXPECT_EQ(wl::TClipBoard(CF_TEXT).GetText(), listingText(c.lines)) << c.button;
        ASSERT_FALSE(prompts.texts().empty()) << c.button;
        EXPECT_EQ(prompts.texts().back().substr(0, 9), "Printing ") << c.button;
    }
}

}  // namespace
