// The five empty Claim Data dialogs under Wine: " Claim Data " with one
// "Exit" that closes it, and the second value handed back.
#include "empty_claim_data_dialogs.hpp"

#include <gtest/gtest.h>

#include "user_script.hpp"

namespace {

using namespace zr;
using zrtest::UserScript;

TEST(EmptyClaimDataDialogs, ExitClosesAndTheSecondValueComesBack) {
    using Dialog = wl::Value (*)(const EmptyClaimDataArguments&, const ViewerUi&);
    const std::vector<std::pair<const char*, Dialog>> dialogs = {
        {"CTLD39414", CTLD39414}, {"CTLD39415", CTLD39415}, {"CTLD39416", CTLD39416},
        {"CTLD39418", CTLD39418}, {"CTLD39419", CTLD39419}};
    for (const auto& [name, dialog] : dialogs) {
        std::vector<std::string> captions;
        int buttons = 0;
        const ViewerUi ui{[&](const ShownDialog& d) {
            captions.push_back(d.caption);
            for (HWND c = GetWindow(d.hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++buttons;
        }};
        UserScript script({{" Claim Data ", [](HWND w) { EXPECT_TRUE(pressButton(w, "Exit")); }}});
        EmptyClaimDataArguments args;
        args[0] = wl::Value("first");
        args[1] = wl::Value(std::string("second of ") + name);
        const wl::Value back = dialog(args, ui);
        EXPECT_TRUE(UserScript::done()) << name;
        EXPECT_EQ(captions, std::vector<std::string>{" Claim Data "}) << name;
        EXPECT_EQ(buttons, 1) << name;
        ASSERT_TRUE(back.isText()) << name;
        EXPECT_EQ(back.text(), std::string("second of ") + name);
    }
}

}  // namespace
