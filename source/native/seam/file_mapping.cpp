// The Windows half of whole-file reading: a copy-on-write view of the file.
#include <windows.h>

#include "file_bytes.hpp"

namespace wl {

void* mapFilePrivately(const std::string& path, std::size_t size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_WRITECOPY, 0, 0, nullptr);
    CloseHandle(file);
    if (!mapping) return nullptr;
    // The view keeps the mapping alive once both handles are closed.
    void* view = MapViewOfFile(mapping, FILE_MAP_COPY, 0, 0, size);
    CloseHandle(mapping);
    return view;
}

void unmapFile(void* view, std::size_t) { UnmapViewOfFile(view); }

}  // namespace wl
