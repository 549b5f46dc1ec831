// The 270/271 screens under Wine: shared samples' listings and details, the
// reject listing, the modes that say no 837 or 276 can be made, the report
// modes, and every shared 270/271 sample opening on a listing.
#include "eligibility_window.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "text.hpp"
#include "user_script.hpp"
#include "viewer_windows.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

auto eligibilityPress(const std::string& caption) {
    return [caption](HWND w) { EXPECT_TRUE(pressButton(w, caption)) << caption; };
}

struct EligibilityRecorder {
    std::vector<ShownDialog> shown;
    ViewerUi ui() {
        return ViewerUi{[this](const ShownDialog& d) { shown.push_back(d); }};
    }
};

std::string eligibilitySample(const std::string& name) { return std::string(ZR_SAMPLES) + "/" + name; }

TEST(EligibilityWindow, SharedResponseListsItsSubscriberAndShowsTheBenefits) {
    ZR_REQUIRE_SAMPLES();
    zrtest::PromptRecorder prompts;
    EligibilityRecorder rec;
    UserScript script({{"View X12 271", eligibilityPress("Select")},
                       {" Eligibility Data ", eligibilityPress("Exit")},
                       {"View X12 271", eligibilityPress("Exit")}});
    viewX12File("ZRK7W315", eligibilitySample("node-x12/271.edi"), "", rec.ui());
    EXPECT_TRUE(UserScript::done());
    ASSERT_EQ(rec.shown.size(), 2u);
    EXPECT_EQ(rec.shown[0].caption, "View X12 271");
    EXPECT_EQ(rec.shown[0].lines,
              std::vector<std::string>{"1 BELMAR R. ALBERT                                    "});
    const std::vector<std::string>& detail = rec.shown[1].lines;
    ASSERT_GE(detail.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(detail.begin(), detail.begin() + 6),
              (std::vector<std::string>{"Response", "Subscriber:", "     BELMAR R. ALBERT", "     1029 SALEM AVE",
                                        "     WOODBURY, NJ 080966062", "          Member Number : 9UY4R33KV83"}));
    EXPECT_NE(std::find(detail.begin(), detail.end(), "Plan Description : Medicare Part B"), detail.end());
    // A 1P receiver's name is NM103, NM104 and NM105, a blank apart.
    EXPECT_NE(std::find(detail.begin(), detail.end(), "Information Receiver  : SINAI HADASSAH MEDICAL ASSOCIATES  "),
              detail.end());
}

TEST(EligibilityWindow, RequestAndRejectedResponseListings) {
    ZR_REQUIRE_SAMPLES();
    const std::tuple<const char*, const char*, std::vector<std::string>> cases[] = {
        {"LinuxForHealth-x12/demo-single-line.270", "View X12 270", {"1 SMITH ROBERT"}},
        {"LinuxForHealth-x12/subscriber-health-benefit-check-error.271", "View X12 271",
         {"  Reject Reason Code Blank ", "  "}},
    };
    for (const auto& [file, caption, lines] : cases) {
        zrtest::PromptRecorder prompts;
        EligibilityRecorder rec;
        UserScript script({{caption, eligibilityPress("Exit")}});
        viewX12File("ZRK7W315", eligibilitySample(file), "", rec.ui());
        EXPECT_TRUE(UserScript::done()) << file;
        ASSERT_EQ(rec.shown.size(), 1u) << file;
        EXPECT_EQ(rec.shown[0].lines, lines) << file;
    }
}

TEST(EligibilityWindow, ModesWithoutAWindow) {
    const SegmentTable t = zrtest::loadX12(zrtest::x12Fixture("271_three_subscribers.x12"));
    ScreenCall call;
    call.table = &t;
    call.setId = "271";
    EligibilityRecorder rec;
    zrtest::PromptRecorder prompts;
    for (int mode : {110, 111}) {
        call.mode = mode;
        EXPECT_EQ(CTLD39412(call, rec.ui()), "");
    }
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>(2, "837 or 276 files cannot be created from a 270 or 271.")));
    for (int mode : {100, 101, 102, 103}) {
        call.mode = mode;
        EXPECT_NE(openTransactionScreen(ScreenKind::Eligibility, call, rec.ui()).find("BROWN ANN"), std::string::npos)
            << mode;
    }
    call.mode = 109;
    EXPECT_EQ(CTLD39412(call, rec.ui()), "");
    call.mode = 104;
    EXPECT_EQ(CTLD39423(EligibilityReader(t), 3, call, rec.ui()).substr(0, 23), "Response\r\nSubscriber:\r\n");
    EXPECT_TRUE(rec.shown.empty());
}

TEST(EligibilityWindow, EverySharedRequestAndResponseOpens) {
    ZR_REQUIRE_SAMPLES();
    const std::pair<const char*, const char*> files[] = {
        {"pyx12/repeat_init_seg.txt", "View X12 270"},
        {"LinuxForHealth-x12/demo-single-line.270", "View X12 270"},
        {"badX12/unknown_segment_error.edi", "View X12 270"},
        {"node-x12/271.edi", "View X12 271"},
        {"LinuxForHealth-x12/subscriber-health-benefit-check-error.271", "View X12 271"},
    };
    for (const auto& [file, caption] : files) {
        zrtest::PromptRecorder prompts;
        EligibilityRecorder rec;
        {
            UserScript script({{caption, eligibilityPress("Exit")}});
            viewX12File("ZRK7W315", eligibilitySample(file), "", rec.ui());
            EXPECT_TRUE(UserScript::done()) << file;
        }
        ASSERT_EQ(rec.shown.size(), 1u) << file;
        ASSERT_FALSE(rec.shown[0].lines.empty()) << file;
        EXPECT_GT(wl::alltrim(rec.shown[0].lines[0]).size(), 2u) << file;

        const SegmentTable t = zrtest::loadX12(eligibilitySample(file));
        const EligibilityReader reader(t);
        ScreenCall call;
        call.table = &t;
        call.setId = std::string(caption).substr(9);
        for (std::size_t k = 1; k <= reader.itemCount(); ++k) {
            UserScript script({{" Eligibility Data ", eligibilityPress("Exit")}});
            CTLD39423(reader, k, call, rec.ui());
            EXPECT_TRUE(UserScript::done()) << file << " " << k;
            EXPECT_GT(rec.shown.back().lines.size(), 3u) << file << " " << k;
        }
    }
}

}  // namespace
