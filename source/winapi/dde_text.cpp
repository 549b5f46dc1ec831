#include "dde_text.hpp"

#include <cstring>

namespace wl {

HGLOBAL DDECOMMAND(const std::string& cCommand) {
    // The whole length: a block sized from 16 bits of it would be overrun
    // by the copy of a long command.
    HGLOBAL mem = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, cCommand.size() + 1);
    if (!mem) return nullptr;
    void* data = GlobalLock(mem);
    if (!data) {
        GlobalFree(mem);
        return nullptr;
    }
    std::memcpy(data, cCommand.c_str(), cCommand.size() + 1);
    GlobalUnlock(mem);
    return mem;
}

std::string DDEGETCOMMAND(HGLOBAL hMem) {
    const char* data = hMem ? static_cast<const char*>(GlobalLock(hMem)) : nullptr;
    if (!data) return "";
    std::string text(data, strnlen(data, GlobalSize(hMem)));
    GlobalUnlock(hMem);
    return text;
}

}  // namespace wl
