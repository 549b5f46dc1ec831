// File attributes on Windows.
#include <windows.h>

#include "file_io.hpp"

namespace wl {

bool setFileAttribute(const std::string& path, FileAttribute attribute) {
    DWORD current = GetFileAttributesA(path.c_str());
    if (current == INVALID_FILE_ATTRIBUTES) return false;
    DWORD flag = attribute == FileAttribute::ReadOnly ? FILE_ATTRIBUTE_READONLY
                 : attribute == FileAttribute::Hidden ? FILE_ATTRIBUTE_HIDDEN
                                                      : FILE_ATTRIBUTE_SYSTEM;
    current &= ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL);
    return SetFileAttributesA(path.c_str(), current | flag) != 0;
}

}  // namespace wl
