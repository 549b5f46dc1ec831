// TControl under Wine: help requests of controls.
#include "control.hpp"

#include <gtest/gtest.h>

#include "help_keys.hpp"
#include "meter.hpp"
#include "parent_window.hpp"
#include "test_support.hpp"

namespace {

class HelpParent : public wl::TWindow {
public:
    int asked = 0;
    wl::Answer HelpTopic() override {
        ++asked;
        return 1;
    }
};

TEST(ControlHelp, TopicOfTheControlOrTheParentsHelp) {
    zrtest::PromptRecorder prompts;
    wl::SETHELPFILE("");
    HelpParent parent;
    wl::WindowNew n;
    n.lPixel = true;
    n.nBottom = 99;
    n.nRight = 99;
    parent.New(n);
    wl::TScrollBar bar;
    bar.New(0, 0, 0, 10, 1, true, &parent, 16, 40, true);
    HELPINFO hi{};
    hi.cbSize = sizeof hi;
    hi.iContextType = HELPINFO_WINDOW;
    hi.hItemHandle = bar.hWnd;

    // Without a topic the request goes on to the parent window.
    SendMessageA(bar.hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(parent.asked, 1);
    EXPECT_TRUE(prompts.prompts().empty());

    // A text topic is the control's own: the parent is not asked.
    bar.nHelpId = wl::Value("Scrolling");
    EXPECT_EQ(SendMessageA(bar.hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&hi)), 0);
    EXPECT_EQ(parent.asked, 1);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, "No Help file defined with SetHelpFile()");
    wl::removeHelpKeyHook();
    DestroyWindow(parent.hWnd);
}

}  // namespace
