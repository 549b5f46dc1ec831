#include "file_io.hpp"

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace wl {

int lastOsError() {
    switch (errno) {
        case 0: return 0;
        case ENOENT: return 2;
        case ENOTDIR: return 3;
        case EMFILE: return 4;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR: return 5;
        case EBADF: return 6;
        case ENOMEM: return 8;
        case EEXIST: return 80;
        case EINVAL: return 87;
        case ENOSPC: return 112;
        default: return errno;
    }
}

bool InputFile::open(const std::string& path) {
    close();
    errno = 0;
    f_ = std::fopen(path.c_str(), "rb");
    error_ = f_ ? 0 : lastOsError();
    if (!f_ && error_ == 0) error_ = 2;
    return f_ != nullptr;
}

void InputFile::close() {
    if (f_) std::fclose(f_);
    f_ = nullptr;
}

namespace {
int seek64(std::FILE* f, std::int64_t offset, int whence) {
#ifdef _WIN32
    return _fseeki64(f, offset, whence);
#else
    return fseeko(f, static_cast<off_t>(offset), whence);
#endif
}
std::int64_t tell64(std::FILE* f) {
#ifdef _WIN32
    return _ftelli64(f);
#else
    return ftello(f);
#endif
}
}  // namespace

std::int64_t InputFile::size() {
    if (!f_) return -1;
    errno = 0;
    if (seek64(f_, 0, SEEK_END) != 0) {
        error_ = lastOsError();
        return -1;
    }
    return tell64(f_);
}

bool InputFile::seek(std::int64_t position) {
    if (!f_) return false;
    errno = 0;
    if (seek64(f_, position, SEEK_SET) != 0) {
        error_ = lastOsError();
        return false;
    }
    return true;
}

std::int64_t InputFile::position() {
    if (!f_) return -1;
    return tell64(f_);
}

std::size_t InputFile::read(void* buffer, std::size_t n) {
    if (!f_) return 0;
    errno = 0;
    std::size_t got = std::fread(buffer, 1, n, f_);
    if (got < n && std::ferror(f_)) {
        error_ = lastOsError();
        std::clearerr(f_);
    }
    return got;
}

}  // namespace wl

namespace wl {

namespace {
int writeAll(std::FILE* f, std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) return lastOsError() ? lastOsError() : 29;
    if (std::fflush(f) != 0) return lastOsError() ? lastOsError() : 29;
    return 0;
}
}  // namespace

TargetKind targetKind(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || status.type() == fs::file_type::not_found) return TargetKind::Missing;
    if (status.type() == fs::file_type::regular) return TargetKind::Regular;
    if (status.type() == fs::file_type::directory) return TargetKind::Folder;
    return TargetKind::Device;
}

int writeFileAtomically(const std::string& path, std::string_view bytes) {
    switch (targetKind(path)) {
        case TargetKind::Folder: return 5;
        case TargetKind::Device: {
            // A device or pipe is written in place: a rename would put a
            // plain file where the device node was.
            errno = 0;
            std::FILE* f = std::fopen(path.c_str(), "wb");
            if (!f) return lastOsError() ? lastOsError() : 2;
            int error = writeAll(f, bytes);
            if (std::fclose(f) != 0 && error == 0) error = lastOsError() ? lastOsError() : 29;
            return error;
        }
        default: break;
    }
    const std::string temp = path + ".zrtmp";
    errno = 0;
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return lastOsError() ? lastOsError() : 2;
    int error = writeAll(f, bytes);
    if (std::fclose(f) != 0 && error == 0) error = lastOsError() ? lastOsError() : 29;
    if (error == 0) error = replaceFile(temp, path);
    std::error_code ec;
    if (error != 0) std::filesystem::remove(temp, ec);
    return error;
}

int replaceFile(const std::string& temp, const std::string& target) {
    // Only a plain file (or nothing) is ever replaced: never a folder, a
    // device or a pipe.
    const TargetKind kind = targetKind(target);
    if (kind == TargetKind::Folder || kind == TargetKind::Device) return 5;
    // The system's own replace, in one step: the target is the old file or
    // the new one, never missing, whatever happens in between.
#ifdef _WIN32
    if (MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    const int error = static_cast<int>(GetLastError());
#else
    errno = 0;
    if (std::rename(temp.c_str(), target.c_str()) == 0) return 0;
    const int error = lastOsError();
#endif
    return error != 0 ? error : 5;
}

int appendToFile(const std::string& path, std::string_view bytes) {
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "ab");
    if (!f) return lastOsError() ? lastOsError() : 2;
    int error = writeAll(f, bytes);
    if (std::fclose(f) != 0 && error == 0) error = lastOsError() ? lastOsError() : 29;
    return error;
}

}  // namespace wl
