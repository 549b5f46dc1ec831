// The 277 screens under Wine: a shared sample's listing and detail, a set
// picked out of a two-set response, the report modes, and every shared
// 277 sample opening on a listing that is not empty.
#include "claim_status_window.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "user_script.hpp"
#include "viewer_windows.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

auto statusPress(const std::string& caption) {
    return [caption](HWND w) { EXPECT_TRUE(pressButton(w, caption)) << caption; };
}

struct StatusRecorder {
    std::vector<ShownDialog> shown;
    ViewerUi ui() {
        return ViewerUi{[this](const ShownDialog& d) { shown.push_back(d); }};
    }
};

std::string statusSample(const std::string& name) { return std::string(ZR_SAMPLES) + "/" + name; }

TEST(ClaimStatusWindow, SharedSampleListsEachClaimAndShowsItsStatus) {
    ZR_REQUIRE_SAMPLES();
    zrtest::PromptRecorder prompts;
    StatusRecorder rec;
    UserScript script({{"View X12 277", statusPress("Select")},
                       {" Response Data ", statusPress("Exit")},
                       {"View X12 277", statusPress("Exit")}});
    viewX12File("ZRK7W315", statusSample("LinuxForHealth-x12/claim-level-status.277"), "", rec.ui());
    EXPECT_TRUE(UserScript::done());
    ASSERT_EQ(rec.shown.size(), 2u);
    EXPECT_EQ(rec.shown[0].caption, "View X12 277");
    EXPECT_EQ(rec.shown[0].lines, (std::vector<std::string>{
                                      "1     SMITH FRED                      8513.88   ",
                                      "2     JONES MARY                      7599.00   ",
                                      "3     MANN JOHN                       150.00    ",
                                  }));
    const std::vector<std::string>& detail = rec.shown[1].lines;
    ASSERT_GE(detail.size(), 12u);
    EXPECT_EQ(detail[0], "Subscriber:");
    EXPECT_EQ(detail[1], "      Subscriber ID Code : 123456789A");
    EXPECT_EQ(detail[2], "      FRED SMITH");
    EXPECT_NE(std::find(detail.begin(), detail.end(), "      Pending Requested Information"), detail.end());
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST(ClaimStatusWindow, APickedSetShowsItsOwnClaimsValues) {
    zrtest::PromptRecorder prompts;
    prompts.answerNext(true);  // the sets one by one
    StatusRecorder rec;
    const std::string pick = "Select Transaction Set (ST)";
    UserScript script({{pick, [](HWND w) {
                            HWND list = FindWindowExA(w, nullptr, "TWBROWSE", nullptr);
                            if (list) SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
                            pressButton(w, "Select Set");
                        }},
                       {"View X12 277", statusPress("Select")},
                       {" Response Data ", statusPress("Exit")},
                       {"View X12 277", statusPress("Exit")},
                       {pick, statusPress("Exit")}});
    viewX12File("ZRK7W315", zrtest::x12Fixture("277_two_sets.x12"), "", rec.ui());
    EXPECT_TRUE(UserScript::done());
    ASSERT_EQ(rec.shown.size(), 4u);
    EXPECT_EQ(rec.shown[1].lines, std::vector<std::string>{"1     BROWN ANN                       200.00    "});
    const std::vector<std::string>& detail = rec.shown[2].lines;
    EXPECT_NE(std::find(detail.begin(), detail.end(), "      BOB T. BROWN"), detail.end());
    EXPECT_NE(std::find(detail.begin(), detail.end(), "      Claim Trace Reference ID : TRACE3"), detail.end());
}

TEST(ClaimStatusWindow, ReportModesReturnTextAndShowNothing) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("277_two_sets.x12"));
    ScreenCall call;
    call.table = &t;
    call.setId = "277";
    StatusRecorder rec;
    for (int mode : {100, 101, 102, 103}) {
        call.mode = mode;
        EXPECT_NE(CTLD39410(call, rec.ui()).find("BROWN ANN"), std::string::npos) << mode;
    }
    call.mode = 109;
    EXPECT_EQ(openTransactionScreen(ScreenKind::ClaimStatus, call, rec.ui()), "");
    call.mode = 102;
    EXPECT_EQ(CTLD39425(ClaimStatusReader(t), 2, call, rec.ui()).substr(0, 17), "Subscriber:\\par\r\n");
    EXPECT_TRUE(rec.shown.empty());
}

TEST(ClaimStatusWindow, EverySharedResponseOpensOnAListingAndEachClaimOnItsDetail) {
    ZR_REQUIRE_SAMPLES();
    for (const char* file : {"LinuxForHealth-x12/claim-level-status.277", "stupidedi/X212-HR277-1.era",
                             "imsweb-x12-parser/x12_277CA_rejected.txt"}) {
        zrtest::PromptRecorder prompts;
        StatusRecorder rec;
        {
            UserScript script({{"View X12 277", statusPress("Exit")}});
            viewX12File("ZRK7W315", statusSample(file), "", rec.ui());
            EXPECT_TRUE(UserScript::done()) << file;
        }
        ASSERT_EQ(rec.shown.size(), 1u) << file;
        EXPECT_EQ(rec.shown[0].caption, "View X12 277") << file;
        ASSERT_FALSE(rec.shown[0].lines.empty()) << file;
        EXPECT_GT(rec.shown[0].lines[0].size(), 6u) << file;

        const SegmentTable t = zrtest::loadX12(statusSample(file));
        const ClaimStatusReader reader(t);
        ScreenCall call;
        call.table = &t;
        call.setId = "277";
        for (std::size_t k = 1; k <= reader.claimCount(); ++k) {
            UserScript script({{" Response Data ", statusPress("Exit")}});
            CTLD39425(reader, k, call, rec.ui());
            EXPECT_TRUE(UserScript::done()) << file << " " << k;
            EXPECT_GT(rec.shown.back().lines.size(), 8u) << file << " " << k;
        }
    }
}

}  // namespace
