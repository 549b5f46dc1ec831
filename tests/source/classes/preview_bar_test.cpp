// The preview's classic bar: its style, the pictures and faces of its
// buttons (drawn through the button's own painting into a memory page),
// the hand cursor, the tooltips and the labels of the office looks.
#include "preview.hpp"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include <gtest/gtest.h>

#include "bitmaps.hpp"
#include "builtin_images.hpp"
#include "message_loop.hpp"
#include "png_decoder.hpp"
#include "preview_bar.hpp"

namespace {

// The bar's settings for one test, put back afterwards.
struct BarStyleScope {
    explicit BarStyleScope(std::optional<int> style, std::optional<std::pair<int, int>> size = {}) {
        saved = wl::previewBarSettings();
        wl::RPREVUSERBTNS(nullptr, style, size);
    }
    ~BarStyleScope() { wl::previewBarSettings() = saved; }
    wl::PreviewBarSettings saved;
};

// What a bar button paints, through its own WM_PRINTCLIENT.
wl::PixelImage barButtonPixels(HWND button) {
    RECT r{};
    GetClientRect(button, &r);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    SelectObject(mem, old);
    DeleteDC(mem);
    auto pixels = wl::bitmapPixels(bmp);
    DeleteObject(bmp);
    return pixels.value_or(wl::PixelImage());
}

// How many pixels of the picture are the colour of the named picture's
// own most frequent non-background colour.
int pictureInk(const wl::PixelImage& shown, const std::string& picture) {
    const wl::PixelImage p = *wl::builtinBitmap(picture);
    const std::uint32_t back = wl::makePixel(255, 0, 255);
    std::map<std::uint32_t, int> counts;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.at(x, y) != back) ++counts[p.at(x, y)];
    std::uint32_t ink = 0;
    int most = 0;
    for (const auto& [colour, n] : counts)
        if (n > most) most = n, ink = colour;
    int found = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x)
            if ((shown.at(x, y) & 0xFFFFFFu) == (ink & 0xFFFFFFu)) ++found;
    return found;
}

bool samePicture(const wl::PixelImage& a, const wl::PixelImage& b) {
    if (a.width != b.width || a.height != b.height) return false;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if ((a.at(x, y) & 0xFFFFFFu) != (b.at(x, y) & 0xFFFFFFu)) return false;
    return true;
}

// With ZR_PRINT_PICTURES naming a folder, the window's bar and its message
// bar are kept there as "preview-bar-<style>.png", for the eye.
void keepBarPicture(wl::TPreview& preview, int style) {
    const char* out = std::getenv("ZR_PRINT_PICTURES");
    if (!out) return;
    preview.Activate();
    wl::SYSREFRESH();
    RECT r{};
    GetClientRect(preview.hWnd, &r);
    const int width = std::min<int>(r.right, 760), height = 64;
    HDC dc = GetDC(preview.hWnd);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width, 40, dc, 0, 0, SRCCOPY);
    BitBlt(mem, 0, 40, width, 24, dc, 0, r.bottom - 24, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(preview.hWnd, dc);
    if (auto pixels = wl::bitmapPixels(bmp))
        wl::writePngFile(*pixels, std::string(out) + "\\preview-bar-" + std::to_string(style) + ".png");
    DeleteObject(bmp);
}

TEST(PreviewBar, AStyleSetByTheUserButtonsWinsAndIsKept) {
    for (int style : {97, 2007, 2010}) {
        BarStyleScope scope(style);
        EXPECT_EQ(wl::CheckStyle(), style);
        EXPECT_EQ(wl::CheckStyle(), style);
    }
    // A cleared style is worked out (no main window here: 0) and kept.
    BarStyleScope scope(std::nullopt);
    EXPECT_EQ(wl::CheckStyle(), 0);
    EXPECT_EQ(wl::previewBarSettings().nStyle, 0);
    EXPECT_EQ(wl::previewBarPictures().size(), 15u);
    for (const std::string& name : wl::previewBarPictures()) EXPECT_TRUE(wl::builtinBitmap(name)) << name;
}

TEST(PreviewBar, ButtonsShowTheirPicturesOnTheStylesFace) {
    struct Case {
        int style;
        bool blueFace;  // the 2007 face is blue, the others grey or white
    };
    for (const Case& c : {Case{97, false}, Case{2007, true}, Case{2010, false}}) {
        BarStyleScope scope(c.style);
        wl::TPreview preview(nullptr);
        EXPECT_EQ(preview.nStyle, c.style);
        EXPECT_FALSE(preview.lThemed);
        HWND first = GetDlgItem(preview.hWnd, wl::kFirst);
        ASSERT_NE(first, nullptr);
        EXPECT_TRUE((GetWindowLongA(first, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW);
        RECT r{};
        GetClientRect(first, &r);
        EXPECT_EQ(r.right, 26);  // the classic size
        EXPECT_EQ(r.bottom, 26);
        const wl::PixelImage shown = barButtonPixels(first);
        ASSERT_EQ(shown.width, 26);
        EXPECT_GT(pictureInk(shown, "top2"), 20) << c.style;
        EXPECT_GT(pictureInk(barButtonPixels(GetDlgItem(preview.hWnd, wl::kExit)), "exit2"), 20) << c.style;
        // A face pixel away from the picture and the edges.
        const std::uint32_t face = shown.at(3, 13);
        const bool blue = wl::pixelBlue(face) > wl::pixelRed(face) + 15;
        EXPECT_EQ(blue, c.blueFace) << c.style;
        keepBarPicture(preview, c.style);
        preview.Close();
    }
}

TEST(PreviewBar, ZoomSwapsItsPictureAndTooltip) {
    BarStyleScope scope(97);
    wl::TPreview preview(nullptr);
    HWND zoom = GetDlgItem(preview.hWnd, wl::kZoom);
    ASSERT_NE(zoom, nullptr);
    auto tooltip = [&](HWND button) {
        NMTTDISPINFOA info{};
        info.hdr.hwndFrom = preview.oToolTip;
        info.hdr.idFrom = reinterpret_cast<UINT_PTR>(button);
        info.hdr.code = TTN_GETDISPINFOA;
        SendMessageA(preview.hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return std::string(info.lpszText ? info.lpszText : "");
    };
    EXPECT_EQ(tooltip(zoom), "Zoom");
    const wl::PixelImage unzoomed = barButtonPixels(zoom);
    EXPECT_GT(pictureInk(unzoomed, "zoom2"), 5);
    preview.Zoom();
    EXPECT_EQ(tooltip(zoom), "Normal");
    EXPECT_FALSE(samePicture(barButtonPixels(zoom), unzoomed));
    preview.Zoom();
    EXPECT_EQ(tooltip(zoom), "Zoom");
    EXPECT_TRUE(samePicture(barButtonPixels(zoom), unzoomed));
    EXPECT_EQ(tooltip(GetDlgItem(preview.hWnd, wl::kExit)), "Exit");
    preview.Close();
}

TEST(PreviewBar, BarButtonsShowTheHand) {
    BarStyleScope scope(2010);
    wl::TPreview preview(nullptr);
    HWND next = GetDlgItem(preview.hWnd, wl::kNext);
    const LRESULT r = SendMessageA(preview.hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(next), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(r, TRUE);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
    preview.Close();
}

TEST(PreviewBar, OfficeLooksPaintTheLabelsClassicOnesUseLabelWindows) {
    {
        BarStyleScope scope(2010);
        wl::TPreview preview(nullptr);
        EXPECT_EQ(preview.oPage, nullptr);
        EXPECT_EQ(preview.cPageText, preview.model.cPageLabel);
        EXPECT_FALSE(preview.cPageText.empty());
        preview.Close();
    }
    BarStyleScope scope(97);
    wl::TPreview preview(nullptr);
    ASSERT_NE(preview.oPage, nullptr);
    char label[64]{};
    GetWindowTextA(preview.oPage, label, sizeof label);
    EXPECT_EQ(std::string(label), preview.model.cPageLabel);
    preview.Close();
}

TEST(PreviewBar, ALargeButtonShowsItsCaptionBelowThePicture) {
    BarStyleScope scope(97, std::make_pair(80, 40));
    wl::TPreview preview(nullptr);
    HWND exit = GetDlgItem(preview.hWnd, wl::kExit);
    ASSERT_NE(exit, nullptr);
    const wl::PixelImage shown = barButtonPixels(exit);
    // Dark caption pixels below the picture's rows.
    int dark = 0;
    for (int y = 22; y < shown.height - 2; ++y)
        for (int x = 2; x < shown.width - 2; ++x)
            if (wl::pixelRed(shown.at(x, y)) + wl::pixelGreen(shown.at(x, y)) + wl::pixelBlue(shown.at(x, y)) < 200) ++dark;
    EXPECT_GT(dark, 5);
    preview.Close();
}

}  // namespace
