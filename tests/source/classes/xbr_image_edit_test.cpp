// The image editor driven as a user would: a file opened or the clipboard's
// bitmap pasted, saved and closed comes back as image bytes; Undo returns
// to the first picture and Cancel keeps nothing.
#include "xbr_image_edit.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "bitmap.hpp"
#include "dib_format.hpp"
#include "messages.hpp"
#include "test_support.hpp"
#include "timer_steps.hpp"

namespace {

using namespace wl;

std::string imageBytes(int size, std::uint32_t colour) {
    return bmpImageFromDib(dibFromPixels(PixelImage(size, size, colour)));
}

HWND imageDialog() { return FindWindowA(nullptr, "Image test"); }

void imagePress(const char* caption) {
    SendMessageA(FindWindowExA(imageDialog(), nullptr, "Button", caption), BM_CLICK, 0, 0);
}

// The width of the picture the dialog shows, 0 for none.
int shownWidth() {
    for (HWND c = FindWindowExA(imageDialog(), nullptr, nullptr, nullptr); c; c = FindWindowExA(imageDialog(), c, nullptr, nullptr))
        if (auto* b = dynamic_cast<TBitmap*>(OWNDFROMHWND(c))) {
            BITMAP info{};
            return b->hBitmap && GetObjectA(b->hBitmap, sizeof info, &info) ? int(info.bmWidth) : 0;
        }
    return 0;
}

int widthOf(const std::string& bytes) {
    const auto dib = dibFromBmpImageAtOffset(bytes);
    const auto px = dib ? pixelsFromDib(*dib) : std::nullopt;
    return px ? px->width : 0;
}

TEST(XbrImageEdit, AnOpenedFileSavedAndClosedComesBack) {
    zrtest::TempDir dir;
    const std::string file = dir.file("scan.bmp");
    std::ofstream(file, std::ios::binary) << imageBytes(12, 0xFF0000FF);
    ScopedPromptHook hook([&](const Prompt& p) {
        PromptAnswer a;
        if (p.kind == PromptKind::File) a.file = file;
        return a;
    });
    std::string bytes = imageBytes(8, 0xFFFF0000);
    std::vector<int> widths;
    zrtest::TimerSteps s({
        [&] {
            widths.push_back(shownWidth());
            imagePress("Open");
            widths.push_back(shownWidth());
            imagePress("Undo");
            widths.push_back(shownWidth());
            imagePress("Open");
            imagePress("Save");
            imagePress("Close");
        },
    });
    EXPECT_TRUE(XBRIMAGEEDIT(bytes, false, "Image test"));
    EXPECT_EQ(widths, (std::vector<int>{8, 12, 8}));
    EXPECT_EQ(widthOf(bytes), 12);
}

TEST(XbrImageEdit, APastedBitmapIsKeptAsABmpAndCancelKeepsNothing) {
    HDC screen = GetDC(nullptr);
    HBITMAP pasted = CreateCompatibleBitmap(screen, 5, 5);
    ReleaseDC(nullptr, screen);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, pasted);
    CloseClipboard();
    std::string bytes = imageBytes(8, 0xFFFF0000);
    zrtest::TimerSteps s({
        [&] {
            imagePress("Paste");
            imagePress("Save");
            imagePress("Close");
        },
    });
    EXPECT_TRUE(XBRIMAGEEDIT(bytes, false, "Image test"));
    EXPECT_EQ(widthOf(bytes), 5);

    const std::string before = bytes;
    zrtest::TimerSteps cancel({
        [&] {
            imagePress("Paste");
            imagePress("Save");
            imagePress("Cancel");
        },
    });
    EXPECT_FALSE(XBRIMAGEEDIT(bytes, false, "Image test"));
    EXPECT_EQ(bytes, before);

    bool onlyClose = false;
    zrtest::TimerSteps view({
        [&] {
            onlyClose = !FindWindowExA(imageDialog(), nullptr, "Button", "Open") &&
                        FindWindowExA(imageDialog(), nullptr, "Button", "Close");
            imagePress("Close");
        },
    });
    EXPECT_FALSE(XBRIMAGEEDIT(bytes, true, "Image test"));
    EXPECT_TRUE(onlyClose);
}

}  // namespace
