// A plain window, placed in pixels, that control tests put their controls on.
#pragma once

#include "window.hpp"

namespace wltest {

struct Parent {
    wl::TWindow w;
    explicit Parent(int bottom = 200, int right = 300) {
        wl::WindowNew n;
        n.lPixel = true;
        n.nTop = 0;
        n.nLeft = 0;
        n.nBottom = bottom;
        n.nRight = right;
        w.New(n);
    }
};

}  // namespace wltest
