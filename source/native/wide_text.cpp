#include "wide_text.hpp"

#include "dialog_template.hpp"

namespace wl {

std::wstring AnsiToWideAlloc(std::string_view text) {
    std::u16string wide = ansiToUtf16(text);
    return std::wstring(wide.begin(), wide.end());
}

}  // namespace wl
