// The CSV viewer under Wine on a CSV the converter wrote: records, columns,
// the header and position labels; the file question when none is given.
#include "csv_viewer_window.hpp"

#include <gtest/gtest.h>

#include "user_script.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

// The texts of the dialog's labels, top to bottom as created.
std::vector<std::string> csvLabels(HWND dialog) {
    std::vector<std::string> texts;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = {}, text[256] = {};
        GetClassNameA(c, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") != 0) continue;
        GetWindowTextA(c, text, sizeof text);
        texts.emplace_back(text);
    }
    return texts;
}

bool csvHasLabel(HWND dialog, const std::string& text) {
    for (const std::string& t : csvLabels(dialog))
        if (t == text) return true;
    return false;
}

// The converter's 837P output (a title line and two claims).
const std::string kConverted = std::string(ZR_FIXTURES) + "/engine/default_837p/expected.csv";

TEST(CsvViewerWindow, WalksTheRecordsAndColumnsOfAConvertedFile) {
    std::vector<ShownDialog> shown;
    ViewerUi ui{[&shown](const ShownDialog& d) { shown.push_back(d); }};
    std::vector<std::string> seen;  // the labels checked, in order
    auto expectLabel = [&seen](HWND w, const std::string& text) {
        EXPECT_TRUE(csvHasLabel(w, text)) << text;
        seen.push_back(text);
    };
    UserScript script({
        {"View CSV File",
         [&](HWND w) {
             expectLabel(w, "Column/Row");
             expectLabel(w, "SUBID");
             zrtest::typeInto(FindWindowExA(w, nullptr, "Edit", nullptr), "3");
             pressButton(w, "Go To Record");
         }},
        {"View CSV File",
         [&](HWND w) {
             expectLabel(w, "Current Record = 3");
             HWND list = FindWindowExA(w, nullptr, "TWBROWSE", nullptr);
             ASSERT_TRUE(list);
             for (int i = 0; i < 28; ++i) SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
             expectLabel(w, "Current Column = 29");
             expectLabel(w, "SUBLNAME");
             expectLabel(w, "Column=AC Row=3");
             pressButton(w, ">");
         }},
        {"View CSV File",
         [&](HWND w) {
             expectLabel(w, "Current Record = 4");
             pressButton(w, ">");  // the last record: it stays
         }},
        {"View CSV File",
         [&](HWND w) {
             expectLabel(w, "Current Record = 4");
             expectLabel(w, "Total Records = 4");
             expectLabel(w, "Total Columns = 597");
             pressButton(w, "Header");
         }},
        {"View CSV File",
         [&](HWND w) {
             expectLabel(w, "Header Display Off");
             pressButton(w, "<");
         }},
        {"View CSV File", [&](HWND w) {
             expectLabel(w, "Column=AC Row=3");
             pressButton(w, "Exit");
         }},
    });
    CTLD48200(1, "", "", kConverted, ui);
    EXPECT_TRUE(UserScript::done());
    EXPECT_EQ(seen.size(), 12u);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].lines.at(0), "SUBID");
    EXPECT_EQ(shown[0].lines.size(), 597u);
}

TEST(CsvViewerWindow, AsksForAFileAndEndsWithoutOne) {
    zrtest::PromptRecorder prompts;
    prompts.answerFile("");
    std::vector<ShownDialog> shown;
    CTLD48200(1, "", "C:\\start", "", ViewerUi{[&shown](const ShownDialog& d) { shown.push_back(d); }});
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::File);
    EXPECT_TRUE(shown.empty());
    // A chosen file that is not there: no dialog either.
    prompts.answerFile("C:\\no such folder\\x.csv");
    CTLD48200(1, "", "", "C:\\no such folder\\y.csv", ViewerUi{[&shown](const ShownDialog& d) { shown.push_back(d); }});
    EXPECT_TRUE(shown.empty());
}

}  // namespace
