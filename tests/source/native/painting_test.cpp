// Design-mode marks on real windows: where the resize handles land, and the
// XOR frames that a second drawing removes.
#include "painting.hpp"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

namespace {

// A visible parent with one child "control" at (left 40, top 30), 80 x 24.
struct Scene {
    HWND parent = nullptr, control = nullptr;
    Scene() {
        parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 240, 160, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        control = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 40, 30, 80, 24, parent, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        UpdateWindow(parent);
    }
    ~Scene() { DestroyWindow(parent); }

    // The parent's pixels of a band around the control.
    std::vector<COLORREF> pixels() const {
        std::vector<COLORREF> v;
        HDC dc = GetDC(parent);
        for (int y = 20; y < 70; y += 1)
            for (int x = 30; x < 135; x += 1) v.push_back(GetPixel(dc, x, y));
        ReleaseDC(parent, dc);
        return v;
    }
};

POINT placeOnParent(HWND dot, HWND parent) {
    RECT r{};
    GetWindowRect(dot, &r);
    POINT p{r.left, r.top};
    ScreenToClient(parent, &p);
    return p;
}

TEST(DotsAdjust, PutsTheEightHandlesAroundTheControl) {
    Scene s;
    std::array<HWND, 8> dots{};
    for (auto& d : dots)
        d = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 2, 2, s.parent, nullptr, GetModuleHandleA(nullptr),
                            nullptr);
    wl::DOTSADJUST(s.control, dots);
    // Client coordinates of the control plus its place (40, 30).
    const POINT expected[8] = {{37, 28}, {78, 28}, {117, 28}, {117, 40}, {117, 51}, {78, 51}, {37, 51}, {37, 40}};
    for (int i = 0; i < 8; ++i) {
        const POINT p = placeOnParent(dots[i], s.parent);
        EXPECT_EQ(p.x, expected[i].x) << "dot " << i + 1;
        EXPECT_EQ(p.y, expected[i].y) << "dot " << i + 1;
        RECT r{};
        GetWindowRect(dots[i], &r);
        EXPECT_EQ(r.right - r.left, 5);
        EXPECT_EQ(r.bottom - r.top, 5);
    }
}

TEST(DesignFrames, DrawnTwiceLeaveTheScreenAsItWas) {
    Scene s;
    const auto before = s.pixels();
    struct Draw {
        const char* name;
        void (*fn)(HWND, HWND);
    } draws[] = {
        {"move frame", [](HWND c, HWND) { wl::CTRLDRAWFOCUS(c, 4, 6, 0, 0, 0); }},
        {"resize frame", [](HWND c, HWND) { wl::CTRLDRAWFOCUS(c, 3, 3, 30, 90, 5); }},
        {"control frame", [](HWND c, HWND) { wl::XORCTRLFRAME(c); }},
        {"dotted rectangle", [](HWND, HWND p) { wl::XORDOTRECT(p, 25, 35, 60, 125); }},
    };
    for (const auto& d : draws) {
        d.fn(s.control, s.parent);
        EXPECT_NE(s.pixels(), before) << d.name << " drew nothing";
        d.fn(s.control, s.parent);
        EXPECT_EQ(s.pixels(), before) << d.name << " left marks";
    }
}

}  // namespace

#include "library_messages.hpp"
#include "memory_canvas.hpp"

namespace {

TEST(PlainFrames, FourSidesInThePenAndNothingInsideOrOutside) {
    HPEN blue = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    struct Case {
        const char* name;
        std::function<void(HDC)> draw;
        COLORREF colour;
    } const cases[] = {
        {"WNDBOX", [](HDC dc) { wl::WNDBOX(dc, 2, 3, 10, 12); }, RGB(0, 0, 0)},
        {"WNDBOX2007", [](HDC dc) { wl::WNDBOX2007(dc, 2, 3, 10, 12, RGB(200, 0, 0)); }, RGB(200, 0, 0)},
        {"WNDBOXPEN", [blue](HDC dc) { wl::WNDBOXPEN(dc, 2, 3, 10, 12, blue); }, RGB(0, 0, 255)},
    };
    for (const Case& c : cases) {
        wltest::MemoryCanvas canvas(20, 16);
        c.draw(canvas.dc());
        const COLORREF white = RGB(255, 255, 255);
        for (POINT p : {POINT{3, 2}, POINT{12, 2}, POINT{12, 10}, POINT{3, 10}, POINT{7, 2}, POINT{12, 6}, POINT{7, 10},
                        POINT{3, 6}})
            EXPECT_EQ(canvas.at(p.x, p.y), c.colour) << c.name << " at " << p.x << "," << p.y;
        for (POINT p : {POINT{7, 6}, POINT{13, 6}, POINT{7, 11}, POINT{2, 6}, POINT{7, 1}})
            EXPECT_EQ(canvas.at(p.x, p.y), white) << c.name << " at " << p.x << "," << p.y;
    }
    DeleteObject(blue);
}

TEST(PlainFrames, RaisedAndInsetFrameTheWholeClientArea) {
    struct Case {
        const char* name;
        void (*draw)(HWND, HDC);
        int topLeft, bottomRight;
    } const cases[] = {{"WNDRAISED", &wl::WNDRAISED, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
                       {"WNDINSET", &wl::WNDINSET, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT}};
    for (const Case& c : cases) {
        HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        UpdateWindow(w);
        c.draw(w, nullptr);  // on the window's own context
        HDC dc = GetDC(w);
        EXPECT_EQ(GetPixel(dc, 0, 10), GetSysColor(c.topLeft)) << c.name;
        EXPECT_EQ(GetPixel(dc, 30, 0), GetSysColor(c.topLeft)) << c.name;
        EXPECT_EQ(GetPixel(dc, 59, 20), GetSysColor(c.bottomRight)) << c.name;
        EXPECT_EQ(GetPixel(dc, 30, 39), GetSysColor(c.bottomRight)) << c.name;
        ReleaseDC(w, dc);
        DestroyWindow(w);
    }
}

LPARAM paintingReflected = 0;
LRESULT CALLBACK paintingOwnerDrawn(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == wl::LM_DRAWITEM) {
        paintingReflected = l;
        return 77;
    }
    return DefWindowProcA(h, m, w, l);
}

TEST(OwnerDrawn, ReflectionHandsTheRecordToTheItemsControlAndMeasureSetsTheHeight) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &paintingOwnerDrawn;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "WLPAINTINGOWNERDRAWN";
    RegisterClassA(&wc);
    HWND control = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   wc.hInstance, nullptr);
    DRAWITEMSTRUCT item{};
    item.hwndItem = control;
    EXPECT_EQ(wl::REFLECTDRAWITEM(&item), 77);
    EXPECT_EQ(paintingReflected, reinterpret_cast<LPARAM>(&item));
    item.hwndItem = nullptr;
    EXPECT_EQ(wl::REFLECTDRAWITEM(&item), 0);
    DestroyWindow(control);

    MEASUREITEMSTRUCT mi{};
    EXPECT_TRUE(wl::LBXMEASURE2(&mi, 19));
    EXPECT_EQ(mi.itemHeight, 19u);
}

}  // namespace
