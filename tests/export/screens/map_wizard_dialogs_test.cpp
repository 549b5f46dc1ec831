// The map-file wizard's windows under Wine: the type picker's buttons and
// closing, the number question as typed, and the file-type question.
#include "map_wizard_dialogs.hpp"

#include <gtest/gtest.h>

#include "text.hpp"
#include "user_script.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

auto wizardPress(const std::string& caption) {
    return [caption](HWND w) { EXPECT_TRUE(pressButton(w, caption)) << caption; };
}

TEST(MapWizardDialogs, TypePickerAnswersTheButtonsNumber) {
    const std::vector<std::pair<std::string, int>> cases{{"837I", 1}, {"835", 4}, {"277", 8}};
    for (const auto& [button, number] : cases) {
        UserScript script({{"Select Transaction Type", wizardPress(button)}});
        EXPECT_EQ(CTL394MAPE(), number) << button;
    }
    UserScript closed({{"Select Transaction Type", [](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); }}});
    EXPECT_EQ(CTL394MAPE(), 1);
}

TEST(MapWizardDialogs, NumberQuestionAnswersTheTypedText) {
    UserScript script({{"Number of service lines to include?", [](HWND w) {
                            zrtest::retypeInto(FindWindowExA(w, nullptr, "Edit", nullptr), "12");
                            wizardPress("Continue")(w);
                        }}});
    EXPECT_EQ(wl::alltrim(CTL394MAPB(" 10", "Number of service lines to include?")), "12");
}

TEST(MapWizardDialogs, FileTypeQuestion) {
    UserScript xml({{"Select File Type", wizardPress("XML (Preferred)")}});
    EXPECT_EQ(CTL394MAPC(), 2);
    UserScript csv({{"Select File Type", wizardPress("CSV")}});
    EXPECT_EQ(CTL394MAPC(), 1);
}

}  // namespace
