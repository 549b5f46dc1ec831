// The progress meter window under Wine: opened, filled and closed through
// the seam, read back from its controls and pixels.
#include "progress_meter_window.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "message_loop.hpp"
#include "module_state.hpp"
#include "progress_meter.hpp"

namespace {

using namespace zr;

std::vector<std::string> childTexts(HWND h) {
    std::vector<std::string> out;
    for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char buf[256] = {};
        GetWindowTextA(c, buf, sizeof buf);
        out.push_back(buf);
    }
    return out;
}

HWND meterControl(HWND dialog) {
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(c, cls, sizeof cls);
        if (std::string(cls) == "TMETER") return c;
    }
    return nullptr;
}

// Keeps a picture of the window as it shows mid-run (in the test's folder).
void saveScreenshot(HWND h, const char* file) {
    RECT r{};
    GetWindowRect(h, &r);
    const int w = r.right - r.left, ht = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, ht);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, ht, screen, r.left, r.top, SRCCOPY);
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof bi;
    bi.biWidth = w;
    bi.biHeight = ht;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    const DWORD stride = ((w * 3 + 3) / 4) * 4;
    std::vector<char> bits(static_cast<std::size_t>(stride) * ht);
    SelectObject(mem, old);
    GetDIBits(mem, bmp, 0, ht, bits.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(bits.size());
    if (FILE* f = std::fopen(file, "wb")) {
        std::fwrite(&fh, sizeof fh, 1, f);
        std::fwrite(&bi, sizeof bi, 1, f);
        std::fwrite(bits.data(), 1, bits.size(), f);
        std::fclose(f);
    }
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

class MeterWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = setMeterObserver(nullptr);
        installMeterWindow();
    }
    void TearDown() override { setMeterObserver(previous_); }
    MeterObserver previous_;
};

TEST_F(MeterWindowTest, OpensFillsAndCloses) {
    HWND owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                               nullptr, nullptr);
    SetActiveWindow(owner);
    SetForegroundWindow(owner);
    const bool ownerActive = GetActiveWindow() == owner;
    MeterWindow w = CTL394MTRA({}, "Loading File big.837", "Please Wait..");
    HWND h = meterWindowHandle();
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(IsWindowVisible(h));
    if (ownerActive) {
        EXPECT_FALSE(IsWindowEnabled(owner));  // no second run can start meanwhile
    }
    char caption[64] = {};
    GetWindowTextA(h, caption, sizeof caption);
    EXPECT_STREQ(caption, "Please Wait..");
    const auto texts = childTexts(h);
    for (const char* wanted : {"Percent", "Complete", "Loading File big.837"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), wanted), texts.end()) << wanted;

    CTL394MTRC(50);
    CTL394MTRD("Second line");
    wl::SYSREFRESH();
    HWND meter = meterControl(h);
    ASSERT_NE(meter, nullptr);
    RECT r{};
    GetClientRect(meter, &r);
    UpdateWindow(meter);
    HDC dc = GetDC(meter);
    const int fill = (r.right - 1) * 50 / 100;
    EXPECT_EQ(GetPixel(dc, 3, r.bottom / 2 + r.bottom / 3), RGB(0, 0, 255));
    EXPECT_NE(GetPixel(dc, fill + 4, r.bottom / 2 + r.bottom / 3), RGB(0, 0, 255));
    ReleaseDC(meter, dc);
    Sleep(300);
    wl::SYSREFRESH();
    saveScreenshot(h, "progress_meter_midrun.bmp");
    const auto after = childTexts(h);
    EXPECT_NE(std::find(after.begin(), after.end(), "Second line"), after.end());

    CTL394MTRB(w);
    EXPECT_EQ(meterWindowHandle(), nullptr);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_TRUE(IsWindowEnabled(owner));
    // The unconditional setter does nothing once the window is closed.
    CTL394MTRE(70);
    EXPECT_EQ(meterWindowHandle(), nullptr);
    DestroyWindow(owner);
}

// Mid-run, neither Escape nor Alt+F4 (nor the close box) loses the meter:
// the run goes on with its meter shown, and its own close ends it.
TEST_F(MeterWindowTest, EscapeAndAltF4CannotCloseItMidRun) {
    MeterWindow w = CTL394MTRA({}, "Loading File big.837", "Please Wait..");
    HWND h = meterWindowHandle();
    ASSERT_NE(h, nullptr);
    CTL394MTRC(10);
    struct Press {
        const char* what;
        UINT message;
        WPARAM w;
        LPARAM l;
    };
    const Press presses[] = {
        {"Escape", WM_KEYDOWN, VK_ESCAPE, 0},
        {"Escape as the dialog's Cancel", WM_COMMAND, IDCANCEL, 0},
        {"Alt+F4", WM_SYSKEYDOWN, VK_F4, 1 << 29},
        {"the close command", WM_SYSCOMMAND, SC_CLOSE, 0},
        {"WM_CLOSE", WM_CLOSE, 0, 0},
    };
    for (const Press& p : presses) {
        SetFocus(h);
        if (p.message == WM_KEYDOWN || p.message == WM_SYSKEYDOWN) {
            // Through the message loop, as a key press arrives.
            PostMessageA(GetFocus() ? GetFocus() : h, p.message, p.w, p.l);
        } else {
            SendMessageA(h, p.message, p.w, p.l);
        }
        CTL394MTRC(20);
        wl::SYSREFRESH();
        EXPECT_TRUE(IsWindow(h)) << p.what;
        EXPECT_EQ(meterWindowHandle(), h) << p.what;
        EXPECT_TRUE(IsWindowVisible(h)) << p.what;
    }
    CTL394MTRB(w);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(meterWindowHandle(), nullptr);
}

// The text lines are one line tall and inside the window, the labels whole,
// and a long path shows its file name.
TEST_F(MeterWindowTest, LaidOutByDesignPixelsWithLongPathsShortenedInTheMiddle) {
    const std::string path = "Loading File C:\\Billing\\Incoming\\2026\\December\\Week 2\\Clearing House A\\"
                             "really_long_batch_name_837p.x12";
    MeterWindow w = CTL394MTRA({}, path, "Please Wait..");
    HWND h = meterWindowHandle();
    ASSERT_NE(h, nullptr);
    RECT window{};
    GetWindowRect(h, &window);
    // Design pixels and the frame, not scaled to the screen.
    EXPECT_LE(window.right - window.left, 440);
    EXPECT_LE(window.bottom - window.top, 160);
    RECT client{};
    GetClientRect(h, &client);
    bool sawPath = false;
    for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char text[512] = {};
        GetWindowTextA(c, text, sizeof text);
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_LE(r.right, client.right) << text;
        EXPECT_LE(r.bottom, client.bottom) << text;
        const std::string t = text;
        if (t.empty()) continue;
        // Whole text: the fixed-pitch font needs 9 pixels a character.
        HDC dc = GetDC(c);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(c, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32A(dc, text, static_cast<int>(t.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(c, dc);
        EXPECT_LE(size.cx, r.right - r.left) << text;
        EXPECT_LE(r.bottom - r.top, 2 * size.cy - 1) << text << ": taller than one line";
        if (t.find("really_long_batch_name_837p.x12") != std::string::npos) {
            sawPath = true;
            EXPECT_EQ(t.rfind("Loading", 0), 0u) << t;
            EXPECT_NE(t.find("..."), std::string::npos) << t;
        }
    }
    EXPECT_TRUE(sawPath);
    CTL394MTRB(w);
}

}  // namespace
