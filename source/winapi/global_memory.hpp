// Global memory blocks and global atoms. Blocks made by GLOBALALLOC are kept
// in the tracked set until GLOBALFREE releases them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace wl {

HGLOBAL GLOBALALLOC(UINT nFlags, SIZE_T nBytes);  // flags taken as 16-bit
bool GLOBALFREE(HGLOBAL hMem);                    // false for 0
void* GLOBALLOCK(HGLOBAL hMem);
BOOL GLOBALUNLOCK(HGLOBAL hMem);
SIZE_T GLOBALSIZE(HGLOBAL hMem);  // 0 for 0
HGLOBAL GLOBALREALLOC(HGLOBAL hMem, SIZE_T nBytes, UINT nFlags);
SIZE_T GLOBALCOMPACT(DWORD nMinFree);
// Copies the text with its terminating zero into the block (never more than
// the block holds), then unlocks it.
void GLOBALSTRCOPY(HGLOBAL hMem, const std::string& text);
// The available physical memory in bytes.
std::uint64_t NEXTMEM();
inline std::uint32_t FREEMEMCONST() { return 1048576; }

// Whether the block is in the tracked set.
bool isTrackedGlobal(HGLOBAL hMem);

ATOM GLOBALADDATOM(const std::string& text);
std::string GLOBALGETATOMNAME(ATOM atom);  // 254-byte buffer
ATOM GLOBALDELATOM(ATOM atom);

}  // namespace wl
