// The full 837 viewer under Wine: its claim list, Select Claim opening the
// claim's Claim Data, Select Segment the interchange picker, Properties the
// export dialog, every other button closing it, and nothing shown without a
// file.
#include "full_claims_viewer_window.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "user_script.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

const char* const kFullViewerTitle = "View X12 837";

struct FullViewerShown {
    std::vector<ShownDialog> shown;
    ViewerUi ui() {
        return ViewerUi{[this](const ShownDialog& d) { shown.push_back(d); }};
    }
};

auto fullViewerPress(const std::string& caption) {
    return [caption](HWND w) { EXPECT_TRUE(pressButton(w, caption)) << caption; };
}

// The child window with that caption: absent (null), greyed or working.
HWND fullViewerChild(HWND dialog, const std::string& caption) {
    return zrtest::childWithText(dialog, caption);
}

TEST(FullClaimsViewerWindow, ClaimsSelectClaimAndSelectSegment) {
    FullViewerShown rec;
    bool testShown = false;
    UserScript script({{kFullViewerTitle, [&](HWND w) {
                            testShown = fullViewerChild(w, "test") != nullptr;
                            pressButton(w, "Select Claim");
                        }},
                       {" Claim Data ", fullViewerPress("Exit")},
                       {kFullViewerTitle, fullViewerPress("Select Segment")},
                       {"Select Interchange Control Batch (ISA)", fullViewerPress("Exit")},
                       {kFullViewerTitle, fullViewerPress("Properties")},
                       {"Select Format", fullViewerPress("Cancel")},
                       {kFullViewerTitle, fullViewerPress("Exit")}});
    CTLD39411(wl::Value(), 2, zrtest::x12Fixture("claims_837p.x12"), "", rec.ui());
    EXPECT_TRUE(UserScript::done());
    ASSERT_EQ(rec.shown.size(), 4u);
    EXPECT_EQ(rec.shown[0].caption, kFullViewerTitle);
    EXPECT_EQ(rec.shown[0].lines,
              (std::vector<std::string>{"1 CLAIM001 SMITH 100", "2 KID-B BROWN 0.20", "3 MULTI-3 JONES 30"}));
    // The first row's claim, in the detail view.
    EXPECT_EQ(rec.shown[1].caption, " Claim Data ");
    const auto& detail = rec.shown[1].lines;
    EXPECT_NE(std::find(detail.begin(), detail.end(), "Claim ID : CLAIM001   Claim Amount : 100.00"), detail.end());
    EXPECT_EQ(rec.shown[2].caption, "Select Interchange Control Batch (ISA)");
    EXPECT_EQ(rec.shown[3].caption, "Select Format");
    EXPECT_TRUE(testShown);
}

TEST(FullClaimsViewerWindow, EveryOtherButtonClosesIt) {
    for (const char* caption : {"Exit", "Save File", "Print", "Load 997", "Analyze", "Locate", "Change View"}) {
        FullViewerShown rec;
        UserScript script({{kFullViewerTitle, fullViewerPress(caption)}});
        CTLD39411(wl::Value(), 1, zrtest::x12Fixture("claims_837d.x12"), "", rec.ui());
        EXPECT_TRUE(UserScript::done()) << caption;
        ASSERT_EQ(rec.shown.size(), 1u) << caption;
        EXPECT_EQ(rec.shown[0].lines, std::vector<std::string>{"1 DENT-1 WHITE 150"});
    }
}

TEST(FullClaimsViewerWindow, NoFileShowsNothing) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder prompts;  // the file dialog is cancelled
    FullViewerShown rec;
    CTLD39411(wl::Value(), 1, dir.file("missing.x12"), dir.path(), rec.ui());
    EXPECT_TRUE(rec.shown.empty());
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::File);
    // A file without a segment is not shown either.
    CTLD39411(wl::Value(), 1, dir.write("empty.x12", ""), dir.path(), rec.ui());
    EXPECT_TRUE(rec.shown.empty());
}

}  // namespace
