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

// Types as a keyboard does: each key goes to the window that has the focus
// then, so a key after the field is full (and the focus has moved on) does
// not reach the field.
static void wizardRetypeAtFocus(HWND edit, const std::string& text) {
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 1);
    for (unsigned char c : text)
        if (HWND focus = GetFocus()) SendMessageA(focus, WM_CHAR, c, 1);
}

// The number field's "999" picture: digits only, three at most.
TEST(MapWizardDialogs, NumberQuestionAnswersTheTypedDigits) {
    const std::vector<std::pair<std::string, std::string>> cases{{"12", "12"}, {"4x7", "47"}, {"1234", "123"}};
    for (const auto& [typed, answer] : cases) {
        UserScript script({{"Number of service lines to include?", [typed](HWND w) {
                                wizardRetypeAtFocus(FindWindowExA(w, nullptr, "Edit", nullptr), typed);
                                wizardPress("Continue")(w);
                            }}});
        EXPECT_EQ(wl::alltrim(CTL394MAPB(" 10", "Number of service lines to include?")), answer) << typed;
    }
    // The offered count stands in the field untouched.
    UserScript kept({{"Number of service lines to include?", wizardPress("Continue")}});
    EXPECT_EQ(CTL394MAPB(" 10", "Number of service lines to include?"), " 10");
}

TEST(MapWizardDialogs, FileTypeQuestion) {
    UserScript xml({{"Select File Type", wizardPress("XML (Preferred)")}});
    EXPECT_EQ(CTL394MAPC(), 2);
    UserScript csv({{"Select File Type", wizardPress("CSV")}});
    EXPECT_EQ(CTL394MAPC(), 1);
}

}  // namespace
