#include "browse_window.hpp"

#include <algorithm>
#include <string>

namespace wl {

int browseLettersWidth(HWND hWnd, HFONT font, int letters) {
    HDC dc = GetDC(hWnd);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    const std::string text(static_cast<std::size_t>(std::max(1, letters)), 'B');
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    if (old) SelectObject(dc, old);
    ReleaseDC(hWnd, dc);
    return static_cast<int>(size.cx);
}

void browseFillSolid(HDC dc, const RECT& r, Color colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

std::function<bool(int ms)> browseFlingWait(std::shared_ptr<bool> alive, HWND self, UINT stopFirst, UINT stopLast,
                                            UINT stopPeek) {
    return [alive = std::move(alive), self, stopFirst, stopLast, stopPeek](int ms) {
        Sleep(static_cast<DWORD>(ms));
        MSG msg{};
        // Other messages run, and may close the browse.
        if (PeekMessageA(&msg, self, stopFirst, stopLast, stopPeek)) return false;
        while (*alive && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return *alive && IsWindow(self) != FALSE;
    };
}

}  // namespace wl
