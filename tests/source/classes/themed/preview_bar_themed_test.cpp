// The preview's bar in a themed program (this test program holds the
// program's manifest): the system toolbar in a rebar, its pictures and
// tooltips, the drop-down of Print and the status bar.
#include "preview.hpp"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "preview_bar.hpp"
#include "visual_styles.hpp"

namespace {

std::string buttonText(HWND toolbar, int id) {
    char text[64]{};
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_IMAGE;
    info.pszText = text;
    info.cchText = sizeof text;
    SendMessageA(toolbar, TB_GETBUTTONINFOA, id, reinterpret_cast<LPARAM>(&info));
    return text;
}

int buttonPicture(HWND toolbar, int id) {
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_IMAGE;
    SendMessageA(toolbar, TB_GETBUTTONINFOA, id, reinterpret_cast<LPARAM>(&info));
    return info.iImage;
}

TEST(PreviewBarThemed, AThemedProgramWithoutAStyleGetsTheSystemToolbar) {
    ASSERT_TRUE(wl::ISAPPTHEMED());
    const wl::PreviewBarSettings saved = wl::previewBarSettings();
    wl::RPREVUSERBTNS(nullptr, 0);
    {
        wl::TPreview preview(nullptr);
        EXPECT_TRUE(preview.lThemed);
        ASSERT_NE(preview.oBar, nullptr);
        ASSERT_NE(preview.oToolBar, nullptr);
        EXPECT_EQ(GetParent(preview.oToolBar), preview.oBar);
        // 13 buttons and the three group separators.
        EXPECT_EQ(SendMessageA(preview.oToolBar, TB_BUTTONCOUNT, 0, 0), 16);
        EXPECT_EQ(ImageList_GetImageCount(preview.oImageList->hImageList), 15);
        EXPECT_EQ(buttonText(preview.oToolBar, wl::kFirst), "First");
        EXPECT_EQ(buttonText(preview.oToolBar, wl::kSaveAs), "Save as");
        EXPECT_EQ(buttonPicture(preview.oToolBar, wl::kExit), 12);
        TBBUTTONINFOA print{};
        print.cbSize = sizeof print;
        print.dwMask = TBIF_STYLE;
        SendMessageA(preview.oToolBar, TB_GETBUTTONINFOA, wl::kPrint, reinterpret_cast<LPARAM>(&print));
        EXPECT_TRUE(print.fsStyle & BTNS_DROPDOWN);
        // No classic buttons, and the message bar is the status bar.
        EXPECT_EQ(GetDlgItem(preview.hWnd, wl::kFirst), nullptr);
        ASSERT_NE(preview.oMsgBar, nullptr);
        char status[32]{};
        GetWindowTextA(preview.oMsgBar, status, sizeof status);
        EXPECT_STREQ(status, "  Preview");
        // The zoom swaps the picture and the tooltip.
        preview.Zoom();
        EXPECT_EQ(buttonText(preview.oToolBar, wl::kZoom), "Normal");
        EXPECT_EQ(buttonPicture(preview.oToolBar, wl::kZoom), wl::kPictureZoomed);
        preview.Zoom();
        EXPECT_EQ(buttonText(preview.oToolBar, wl::kZoom), "Zoom");
        EXPECT_EQ(buttonPicture(preview.oToolBar, wl::kZoom), 4);
        preview.Close();
    }
    // A style or a button size keeps the classic bar.
    wl::RPREVUSERBTNS(nullptr, 2007);
    {
        wl::TPreview preview(nullptr);
        EXPECT_FALSE(preview.lThemed);
        EXPECT_EQ(preview.oToolBar, nullptr);
        EXPECT_NE(GetDlgItem(preview.hWnd, wl::kFirst), nullptr);
        preview.Close();
    }
    wl::previewBarSettings() = saved;
}

}  // namespace
