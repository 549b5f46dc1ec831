// The Claim Data dialog under Wine: opened from the claims screen's Select,
// Change View cycling through the three views, the buttons of a mode above
// 1 and of the viewer state, View Data, and the modes that open nothing.
#include "claim_data_window.hpp"

#include <gtest/gtest.h>

#include "claims_screen_window.hpp"
#include "module_state.hpp"
#include "user_script.hpp"
#include "viewer_windows.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

const char* const kClaimDataTitle = " Claim Data ";

struct ClaimDataShown {
    std::vector<ShownDialog> shown;
    ViewerUi ui() {
        return ViewerUi{[this](const ShownDialog& d) { shown.push_back(d); }};
    }
    // The line lists the Claim Data dialog showed, in order.
    std::vector<std::vector<std::string>> claimData() const {
        std::vector<std::vector<std::string>> out;
        for (const ShownDialog& d : shown)
            if (d.caption == kClaimDataTitle) out.push_back(d.lines);
        return out;
    }
};

auto claimDataPress(const std::string& caption) {
    return [caption](HWND w) { EXPECT_TRUE(pressButton(w, caption)) << caption; };
}

// The dialog's buttons by caption: absent, greyed or working.
enum class ClaimDataButton { Absent, Greyed, Working };
ClaimDataButton claimDataButtonState(HWND dialog, const std::string& caption) {
    HWND button = zrtest::childWithText(dialog, caption);
    if (!button) return ClaimDataButton::Absent;
    return IsWindowEnabled(button) ? ClaimDataButton::Working : ClaimDataButton::Greyed;
}

TEST(ClaimDataWindow, SelectOpensItAndChangeViewCycles) {
    moduleState().viewerState = ViewerState::Interactive;
    const std::string claims = "View X12 837 Version 5010 PROFESSIONAL";
    ClaimDataShown rec;
    std::vector<std::pair<std::string, ClaimDataButton>> buttons;
    UserScript script({{claims, claimDataPress("Select")},
                       {kClaimDataTitle, [&](HWND w) {
                            for (const char* b : {"Exit", "Print", "Change View", "CMS-1500", "Create 837",
                                                  "Create 276", "View Data"})
                                buttons.emplace_back(b, claimDataButtonState(w, b));
                            pressButton(w, "Change View");
                        }},
                       {kClaimDataTitle, claimDataPress("Change View")},
                       {kClaimDataTitle, claimDataPress("Change View")},
                       {kClaimDataTitle, claimDataPress("Exit")},
                       {claims, claimDataPress("Exit")}});
    viewX12File("ZRK7W315", zrtest::x12Fixture("claims_837p.x12"), "", rec.ui());
    EXPECT_TRUE(UserScript::done());
    // The viewer's own mode 1: Exit, Print and Change View only.
    const std::vector<std::pair<std::string, ClaimDataButton>> expected = {
        {"Exit", ClaimDataButton::Working},       {"Print", ClaimDataButton::Working},
        {"Change View", ClaimDataButton::Working}, {"CMS-1500", ClaimDataButton::Absent},
        {"Create 837", ClaimDataButton::Absent},   {"Create 276", ClaimDataButton::Absent},
        {"View Data", ClaimDataButton::Absent}};
    EXPECT_EQ(buttons, expected);
    const auto views = rec.claimData();
    ASSERT_EQ(views.size(), 4u);  // opened, then three changes
    EXPECT_EQ(views[0].front(), "Subscriber:");
    EXPECT_EQ(views[1].front(), "Loop 2000A : - Billing Pay-Provider Name");
    EXPECT_EQ(views[2].front(), "Box 1 : Type of Coverage ");
    EXPECT_EQ(views[3], views[0]);  // one CLM: the detail again, whole
}

TEST(ClaimDataWindow, ModeAboveOneShowsTheFileButtonsAndViewData) {
    moduleState().viewerState = ViewerState::Interactive;
    const zr::SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("claims_837p.x12"));
    ClaimDataCall call;
    call.table = &t;
    call.claims = CTL39400C(t, 2);
    call.claim = 2;
    call.claimCount = 3;
    call.mode = 2;
    ClaimDataShown rec;
    std::vector<std::pair<std::string, ClaimDataButton>> buttons;
    UserScript script({{kClaimDataTitle, [&](HWND w) {
                            for (const char* b : {"CMS-1500", "Create 837", "Create 276", "View Data"})
                                buttons.emplace_back(b, claimDataButtonState(w, b));
                            pressButton(w, "View Data");
                        }},
                       {"View X12 ", claimDataPress("Exit")},
                       {kClaimDataTitle, claimDataPress("Exit")}});
    EXPECT_EQ(CTLD39403(call, rec.ui()), "");
    EXPECT_TRUE(UserScript::done());
    const std::vector<std::pair<std::string, ClaimDataButton>> expected = {
        {"CMS-1500", ClaimDataButton::Working},
        {"Create 837", ClaimDataButton::Working},
        {"Create 276", ClaimDataButton::Working},
        {"View Data", ClaimDataButton::Working}};
    EXPECT_EQ(buttons, expected);
    ASSERT_EQ(rec.shown.size(), 2u);
    EXPECT_EQ(rec.shown[1].caption, "View X12 ");
    // Two CLMs: the detail opens on the second.
    const auto views = rec.claimData();
    ASSERT_EQ(views.size(), 1u);
    EXPECT_NE(std::find(views[0].begin(), views[0].end(), "   Claim : 2"), views[0].end());

    // Unattended, the buttons that ask for files or open screens are absent.
    moduleState().viewerState = ViewerState::Unattended;
    buttons.clear();
    UserScript unattended({{kClaimDataTitle, [&](HWND w) {
                                for (const char* b : {"CMS-1500", "Create 837", "View Data"})
                                    buttons.emplace_back(b, claimDataButtonState(w, b));
                                pressButton(w, "Exit");
                            }}});
    CTLD39403(call, rec.ui());
    moduleState().viewerState = ViewerState::Interactive;
    EXPECT_TRUE(UserScript::done());
    const std::vector<std::pair<std::string, ClaimDataButton>> unattendedButtons = {
        {"CMS-1500", ClaimDataButton::Working},
        {"Create 837", ClaimDataButton::Absent},
        {"View Data", ClaimDataButton::Absent}};
    EXPECT_EQ(buttons, unattendedButtons);
}

// Create 276 and Create 837 write claim k's files through the save dialog;
// an existing file is replaced only when the question is answered Yes.
TEST(ClaimDataWindow, CreateFilesThroughTheSaveDialog) {
    moduleState().viewerState = ViewerState::Interactive;
    zrtest::TempDir dir;
    const zr::SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("claims_837p.x12"));
    ClaimDataCall call;
    call.table = &t;
    call.claims = CTL39400C(t, 2);
    call.claim = 1;
    call.claimCount = 3;
    call.mode = 2;
    call.currentFolder = dir.path();
    call.fileName = zrtest::x12Fixture("claims_837p.x12");
    const std::string request = dir.file("claim1.276"), claim = dir.file("claim1.837");
    zrtest::PromptRecorder prompts;
    prompts.answerFile(request);
    prompts.answerFile(claim);
    prompts.answerFile(request);  // again: it exists now, and the answer is No
    prompts.answerNext(false);
    std::string firstRequest;
    UserScript script({{kClaimDataTitle, claimDataPress("Create 276")},
                       {kClaimDataTitle, claimDataPress("Create 837")},
                       {kClaimDataTitle, [&](HWND w) {
                            firstRequest = zrtest::readBytes(request);
                            dir.write("claim1.276", "kept");
                            pressButton(w, "Create 276");
                        }},
                       {kClaimDataTitle, claimDataPress("Exit")}});
    CTLD39403(call, {});
    EXPECT_TRUE(UserScript::done());
    std::vector<std::string> captions;
    for (const wl::Prompt& p : prompts.prompts()) captions.push_back(p.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Create a 276 Claims File", "Create a 837 Claims File",
                                                  "Create a 276 Claims File", "Overwite File?"}));
    // The request asks about claim 1.
    EXPECT_EQ(firstRequest.rfind("ISA*", 0), 0u);
    EXPECT_NE(firstRequest.find("ST*276*"), std::string::npos);
    EXPECT_NE(firstRequest.find("TRN*1*CLAIM001"), std::string::npos);
    // The 837 holds claim 1's own rows and none of the other claims'.
    const std::string rebuilt = zrtest::readBytes(claim);
    EXPECT_EQ(rebuilt.rfind("ISA*", 0), 0u);
    EXPECT_NE(rebuilt.find("CLM*CLAIM001*100"), std::string::npos);
    EXPECT_EQ(rebuilt.find("CLM*KID-A"), std::string::npos);
    // No: the existing file stays as it was.
    EXPECT_EQ(zrtest::readBytes(request), "kept");
}

TEST(ClaimDataWindow, SelectWithoutClaimsOpensNothing) {
    zrtest::TempDir dir;
    const std::string file = dir.write(
        "none.x12", zrtest::x12Text({"GS*HC*A*B*20261210*1253*1*X*005010X222A1", "ST*837*0001", "BHT*0019*00*X",
                                     "SE*3*0001", "GE*1*1", "IEA*1*000000001"}));
    const zr::SegmentTable t = zrtest::loadX12(file);
    TransactionScreenCall call;
    call.table = &t;
    call.claims = CTL39400C(t, 2);
    call.setId = "837";
    call.version = "5010";
    std::vector<std::string> captions;
    // A Claim Data dialog, were one to open, is closed at once and counted.
    const ViewerUi ui{[&](const ShownDialog& d) {
        captions.push_back(d.caption);
        if (d.caption == kClaimDataTitle) pressButton(d.hWnd, "Exit");
    }};
    const std::string title = "View X12 837 Version 5010 ";
    // Select on the single row "No Claims Detected", then Exit.
    UserScript script({{title, claimDataPress("Select")}, {title, claimDataPress("Exit")}});
    CTLD39406(call, ui);
    EXPECT_TRUE(UserScript::done());
    EXPECT_EQ(captions, std::vector<std::string>{title});
}

TEST(ClaimDataWindow, WindowFreeModesShowNothing) {
    const zr::SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("claims_837d.x12"));
    ClaimDataCall call;
    call.table = &t;
    call.claims = CTL39400C(t, 2);
    call.claimCount = 1;
    ClaimDataShown rec;
    for (double mode : {100.0, 101.0, 102.0, 103.0, 110.0, 111.0, 111.1, 112.0, 113.1, 114.0}) {
        call.mode = mode;
        const std::string out = CTLD39403(call, rec.ui());
        if (mode == 100) {
            EXPECT_EQ(out.substr(0, 13), "Subscriber:\r\n");
        } else if (mode == 103) {
            EXPECT_EQ(out, "Claim # :1");
        } else if (mode == 111) {
            EXPECT_NE(out.find("ST*276*"), std::string::npos);
        }
    }
    EXPECT_TRUE(rec.shown.empty());
}

}  // namespace
