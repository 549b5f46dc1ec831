#include "global_memory.hpp"

#include <algorithm>
#include <cstring>
#include <cstdint>

#include "library_registry.hpp"

namespace wl {

bool isTrackedGlobal(HGLOBAL hMem) {
    return hMem && trackedGlobalHandles().find(reinterpret_cast<std::uintptr_t>(hMem)) != 0;
}

HGLOBAL GLOBALALLOC(UINT nFlags, SIZE_T nBytes) {
    HGLOBAL h = GlobalAlloc(nFlags & 0xFFFF, nBytes);
    if (h) TrackGlobalHandle(h);
    return h;
}

bool GLOBALFREE(HGLOBAL hMem) {
    if (!hMem) return false;
    bool freed = GlobalFree(hMem) == nullptr;
    if (freed) UntrackGlobalHandle(hMem);
    return freed;
}

void* GLOBALLOCK(HGLOBAL hMem) { return GlobalLock(hMem); }
BOOL GLOBALUNLOCK(HGLOBAL hMem) { return GlobalUnlock(hMem); }
SIZE_T GLOBALSIZE(HGLOBAL hMem) { return hMem ? GlobalSize(hMem) : 0; }

HGLOBAL GLOBALREALLOC(HGLOBAL hMem, SIZE_T nBytes, UINT nFlags) {
    HGLOBAL h = GlobalReAlloc(hMem, nBytes, nFlags);
    // A moved block keeps its place in the tracked set under its new handle.
    if (h && h != hMem && isTrackedGlobal(hMem)) {
        UntrackGlobalHandle(hMem);
        TrackGlobalHandle(h);
    }
    return h;
}

SIZE_T GLOBALCOMPACT(DWORD nMinFree) { return GlobalCompact(nMinFree); }

void GLOBALSTRCOPY(HGLOBAL hMem, const std::string& text) {
    SIZE_T room = GLOBALSIZE(hMem);
    auto* p = static_cast<char*>(GlobalLock(hMem));
    if (!p) return;
    if (room > 0) {
        SIZE_T n = std::min<SIZE_T>(text.size(), room - 1);
        std::memcpy(p, text.data(), n);
        p[n] = '\0';
    }
    GlobalUnlock(hMem);
}

std::uint64_t NEXTMEM() {
    MEMORYSTATUSEX m{};
    m.dwLength = sizeof m;
    return GlobalMemoryStatusEx(&m) ? m.ullAvailPhys : 0;
}

ATOM GLOBALADDATOM(const std::string& text) { return GlobalAddAtomA(text.c_str()); }

std::string GLOBALGETATOMNAME(ATOM atom) {
    char buffer[254] = {};
    UINT n = GlobalGetAtomNameA(atom, buffer, sizeof buffer);
    return std::string(buffer, n);
}

ATOM GLOBALDELATOM(ATOM atom) { return GlobalDeleteAtom(atom); }

}  // namespace wl
