// TCursor: one mouse cursor, a predefined one (system or library, never
// destroyed) or one loaded from the resources or made from a bitmap.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "cursors.hpp"

namespace wl {

class TBitmap;

class TCursor {
public:
    // A predefined name ("ARROW", "SIZENS", "HAND", ...) selects a system or
    // library cursor; otherwise the cursor is loaded from the resources.
    static std::shared_ptr<TCursor> New(const std::string& resName, const std::string& predef = {});
    // A cursor made from a bitmap by the colour rules.
    static std::shared_ptr<TCursor> NewBmp(HBITMAP bitmap, HPALETTE palette, int hotRow, int hotCol, bool ranges,
                                           const BmpCursorColors& colors);
    // The same from a bitmap object's picture and palette.
    static std::shared_ptr<TCursor> NewBmp(const TBitmap& bitmap, int hotRow, int hotCol, bool ranges,
                                           const BmpCursorColors& colors);
    ~TCursor() { End(); }

    HCURSOR hCursor = nullptr;
    bool lPredef = false;

    void End();
};

}  // namespace wl
