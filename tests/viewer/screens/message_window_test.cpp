// The message screen under Wine: an 864's title, "View Data", a 275
// dispatched to it, and the report modes that show nothing.
#include "message_window.hpp"

#include <gtest/gtest.h>

#include "user_script.hpp"
#include "viewer_windows.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

struct MessageRecorder {
    std::vector<ShownDialog> shown;
    ViewerUi ui() {
        return ViewerUi{[this](const ShownDialog& d) { shown.push_back(d); }};
    }
};

auto messagePress(const std::string& caption) {
    return [caption](HWND w) { EXPECT_TRUE(pressButton(w, caption)) << caption; };
}

TEST(MessageWindow, ShowsTheTitleOfAn864AndItsSegments) {
    zrtest::PromptRecorder prompts;
    MessageRecorder rec;
    UserScript script({{"View X12 ", messagePress("View Data")},
                       {"View X12 ", messagePress("Exit")},
                       {"View X12 ", messagePress("Exit")}});
    viewX12File("ZRK7W315", zrtest::x12Fixture("864_message.x12"), "", rec.ui());
    EXPECT_TRUE(UserScript::done());
    ASSERT_EQ(rec.shown.size(), 2u);
    EXPECT_EQ(rec.shown[0].lines, (std::vector<std::string>{"Message Title :  ", "      Quarterly notice"}));
    // "View Data": the segment list, its ISA first.
    EXPECT_EQ(rec.shown[1].lines.at(0).substr(0, 12), "        - IS");
}

TEST(MessageWindow, A275OpensHereAndReportModesShowNothing) {
    zrtest::TempDir dir;
    const std::string file = dir.write(
        "a.x12", zrtest::x12Text({"GS*PI*A*B*20261210*1253*1*X*005010X210", "ST*275*1", "BGN*11*1*20261210",
                                  "SE*3*1", "GE*1*1", "IEA*1*000000001"}));
    MessageRecorder rec;
    UserScript script({{"View X12 ", messagePress("Exit")}});
    viewX12File("ZRK7W315", file, "", rec.ui());
    ASSERT_EQ(rec.shown.size(), 1u);
    EXPECT_EQ(rec.shown[0].lines, (std::vector<std::string>{"Message Title :  ", "      "}));
    const SegmentTable t = zrtest::loadX12(file);
    ScreenCall call;
    call.fileName = file;
    call.table = &t;
    for (int mode : {100, 101, 102, 103, 109}) {
        call.mode = mode;
        EXPECT_EQ(CTLD39409(call, rec.ui()), "") << mode;
    }
    EXPECT_EQ(rec.shown.size(), 1u);
}

}  // namespace
