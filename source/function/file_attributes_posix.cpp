// File attributes outside Windows: only "read-only" has a counterpart.
#include <filesystem>
#include <system_error>

#include "file_io.hpp"

namespace wl {

bool setFileAttribute(const std::string& path, FileAttribute attribute) {
    if (attribute != FileAttribute::ReadOnly) return false;
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove, ec);
    return !ec;
}

}  // namespace wl
