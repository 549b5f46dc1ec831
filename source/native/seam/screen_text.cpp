// Text widths in the screen font: the system font on a screen device
// context, as the padding functions measure them.
#include <windows.h>

#include <string>

#include "value_conversion.hpp"

namespace wl {

int screenTextWidth(std::string_view text) {
    HDC dc = GetDC(nullptr);
    if (!dc) return static_cast<int>(text.size()) * 8;
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

}  // namespace wl
