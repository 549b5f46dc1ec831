// The "X12 File Compare" window under Wine: two files chosen, both trees
// filled and the report shown.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "file_compare_window.hpp"
#include "test_support.hpp"
#include "user_script.hpp"
#include "viewer_dialog.hpp"

namespace {

const std::string kCompareSample = std::string(ZR_SAMPLES) + "/LinuxForHealth-x12/two-claims-single-provider.837i";

std::string compareEditText(HWND window) {
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(c, cls, sizeof cls);
        if (std::string(cls) == "Edit") {
            char text[4096] = {};
            GetWindowTextA(c, text, sizeof text);
            return text;
        }
    }
    return "<no edit>";
}

}  // namespace

TEST(FileCompareWindow, AsksForBothFilesAndShowsTheReport) {
    zrtest::TempDir dir;
    const std::string cut = dir.write("cut.x12",
        "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000101*0*P*:~ST*837~");
    const std::string whole = dir.write("whole.x12",
        "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000101*0*P*:~ST*835~SE~");
    zr::FileCompareWindow compare;
    zrtest::PromptRecorder prompts;
    prompts.answerFile(whole);
    prompts.answerFile(cut);
    compare.selectFiles();
    ASSERT_EQ(prompts.prompts().size(), 2u);
    EXPECT_EQ(prompts.prompts()[0].caption, "Select the Base X12 File");
    EXPECT_EQ(prompts.prompts()[1].caption, "Select the X12 File to Compare to the Base File");
    EXPECT_EQ(compareEditText(compare.window().hWnd), "ST2 Source 835 Comparison 837\r\nMissing Segment SE - \r\n");
    // Two roots on the left, one on the right.
    HWND left = compare.leftTree().hWnd, right = compare.rightTree().hWnd;
    HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageA(left, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    EXPECT_TRUE(SendMessageA(left, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(root)));
    EXPECT_GT(SendMessageA(right, TVM_GETCOUNT, 0, 0), 4);
    // Each root holds a stand-in until it is opened; then its segments.
    EXPECT_EQ(SendMessageA(left, TVM_GETCOUNT, 0, 0), 4);
    SendMessageA(left, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    EXPECT_EQ(SendMessageA(left, TVM_GETCOUNT, 0, 0), 2 + 3 + 3 + 1);  // 3 segments, each with its stand-in
    HTREEITEM first = reinterpret_cast<HTREEITEM>(SendMessageA(left, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
    char text[64] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = first;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(left, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, "Segment ISA");
}

TEST(FileCompareWindow, ASampleComparedWithItselfFromItsOwnLoop) {
    zrtest::PromptRecorder prompts;
    prompts.answerFile(kCompareSample);
    prompts.answerFile(kCompareSample);
    std::string report = "<not shown>";
    zrtest::UserScript script({
        {"X12 File Compare", [](HWND w) { EXPECT_TRUE(zr::pressButton(w, "Select a File")); }},
        {"X12 File Compare", [&report](HWND w) {
             report = compareEditText(w);
             EXPECT_TRUE(zr::pressButton(w, "Exit"));
         }},
    });
    std::unique_ptr<zr::FileCompareWindow> compare = zr::CTLD51200();
    EXPECT_TRUE(zrtest::UserScript::done());
    EXPECT_EQ(report, "");
    EXPECT_FALSE(compare->isOpen());
}
