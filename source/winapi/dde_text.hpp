// Command texts of dynamic data exchange in shared global memory.
#pragma once

#include <windows.h>

#include <string>

namespace wl {

// A shared movable block holding the text and its terminating zero; the
// receiver of the DDE message frees it. 0 when it cannot be allocated.
HGLOBAL DDECOMMAND(const std::string& cCommand);
// The zero-terminated text held in the block.
std::string DDEGETCOMMAND(HGLOBAL hMem);

}  // namespace wl
