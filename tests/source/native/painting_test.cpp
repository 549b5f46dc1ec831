// Design-mode marks on real windows: where the resize handles land, and the
// XOR frames that a second drawing removes.
#include "painting.hpp"

#include <gtest/gtest.h>

#include <array>
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
