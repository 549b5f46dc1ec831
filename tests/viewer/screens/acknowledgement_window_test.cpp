// The acknowledgement screen under Wine: opened by the viewer on shared
// 997, 999 and TA1 samples, its labels and error list, "View Data", and
// the report modes that show nothing.
#include "acknowledgement_window.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "acknowledgement_screen.hpp"
#include "user_script.hpp"
#include "viewer_windows.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

const char kAckCaption[] = "997/999 Acknowledgement";

auto ackPress(const std::string& caption) {
    return [caption](HWND w) { EXPECT_TRUE(pressButton(w, caption)) << caption; };
}

struct AckRecorder {
    std::vector<ShownDialog> shown;
    ViewerUi ui() {
        return ViewerUi{[this](const ShownDialog& d) { shown.push_back(d); }};
    }
};

TEST(AcknowledgementWindow, ShowsTheHeaderAndErrorsOfA997) {
    ZR_REQUIRE_SAMPLES();
    zrtest::PromptRecorder prompts;
    AckRecorder rec;
    UserScript script({{kAckCaption, ackPress("View Data")}, {"View X12 ", ackPress("Exit")}, {kAckCaption, ackPress("Exit")}});
    viewX12File("ZRK7W315", std::string(ZR_SAMPLES) + "/staedi/invalid997.edi", "", rec.ui());
    EXPECT_TRUE(UserScript::done());
    ASSERT_EQ(rec.shown.size(), 2u);
    EXPECT_EQ(rec.shown[0].caption, kAckCaption);
    EXPECT_EQ(rec.shown[1].caption, "View X12 ");
    const std::vector<std::string> expected = {
        "Acknowledgement Error Count :  1",
        "Interchange Acknowledgment Control Number :  ",
        "Interchange Acknowledgement Date-Time :   ",
        "Interchange Acknowledgement Code : ",
        "Interchange Acknowledgement Note :  ",
        "Group Control Number :  000001",
        "Transaction Set Control Number :  0021",
        "Transaction Set Acknowledgement Code :  Rejected Advised (Functional Group Response)",
        "Transaction Set Error Code :  ",
        "Rejected Advised (Transaction Set Response)",
        "",
        "Rejected Advised (Functional Group Response)",
        "",
        "1) In Segment 8, Loop , the NM1",
        "   Segment has data element errors.",
        "   - Within this segment, element 8",
        "     which is element 66 NON NUMERIC of the transaction,",
        "     has Invalid code value.",
        "",
    };
    EXPECT_EQ(rec.shown[0].lines, expected);
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST(AcknowledgementWindow, ReportModesAndAMissingFileShowNothing) {
    const std::string file = zrtest::x12Fixture("997_for_837p.x12");
    const SegmentTable t = zrtest::loadX12(file);
    ScreenCall call;
    call.fileName = file;
    call.table = &t;
    AckRecorder rec;
    call.mode = 100;
    EXPECT_EQ(openTransactionScreen(ScreenKind::Acknowledgement, call, rec.ui()), *acknowledgementOutput(file, t, 100));
    call.mode = 109;
    EXPECT_EQ(CTLD39408(call, rec.ui()), "");
    call.mode = 1;
    call.fileName = file + ".gone";
    EXPECT_EQ(CTLD39408(call, rec.ui()), "");
    EXPECT_TRUE(rec.shown.empty());
}

// Each shared sample that holds a 997, 999 or 864/275 set, or a TA1, opens
// its screen (pickers choose the first entry, screens are left by Exit)
// without a crash and with something on it.
TEST(AcknowledgementWindow, EverySharedAcknowledgementSampleOpens) {
    ZR_REQUIRE_SAMPLES();
    std::ifstream in(std::string(ZR_SAMPLES) + "/README.md", std::ios::binary);
    std::vector<std::string> files;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("| `", 0) != 0) continue;
        const std::string file = line.substr(3, line.find('`', 3) - 3);
        for (const char* kind : {"| 997 |", "| 999 |", "| 864 |", "| 275 |", "TA1"})
            if (line.find(kind) != std::string::npos) {
                files.push_back(file);
                break;
            }
    }
    ASSERT_GE(files.size(), 9u);
    for (const std::string& file : files) {
        zrtest::PromptRecorder prompts;  // "see the individual batchs?": No, the merged sets
        std::vector<ShownDialog> shown;
        ViewerUi ui{[&shown](const ShownDialog& d) {
            shown.push_back(d);
            const bool picker = d.caption.rfind("Select ", 0) == 0;
            const bool interchanges = d.caption == "Select Interchange Control Batch (ISA)";
            pressButton(d.hWnd, picker ? (interchanges ? "Select Batch" : "Select Set") : "Exit");
        }};
        viewX12File("ZRK7W315", std::string(ZR_SAMPLES) + "/" + file, "", ui);
        bool screen = false;
        for (const ShownDialog& d : shown) {
            if (d.caption.rfind("Select ", 0) == 0) continue;
            screen = true;
            EXPECT_FALSE(d.lines.empty()) << file << ": " << d.caption;
            if (d.caption == kAckCaption) {
                EXPECT_EQ(d.lines.at(0).rfind("Acknowledgement Error Count :  ", 0), 0u) << file;
                EXPECT_GE(d.lines.size(), 10u) << file;
            }
        }
        EXPECT_TRUE(screen) << file;
        for (const wl::Prompt& p : prompts.prompts()) EXPECT_TRUE(p.isQuestion()) << file << ": " << p.text;
    }
}

}  // namespace
