// ANSI text as UTF-16 for the Windows calls and messages that only take
// wide strings (list-view groups, some control messages).
#pragma once

#include <string>
#include <string_view>

namespace wl {

// The text in UTF-16 with its terminating zero; the copy frees itself.
std::wstring AnsiToWideAlloc(std::string_view text);

}  // namespace wl
