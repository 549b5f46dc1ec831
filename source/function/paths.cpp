#include "paths.hpp"

#include <filesystem>
#include <system_error>

#include "text.hpp"

namespace fs = std::filesystem;

namespace wl {

char pathSeparator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

bool isPathSeparator(char c) { return c == '/' || c == '\\'; }

std::string joinPath(std::string_view folder, std::string_view name) {
    if (folder.empty()) return std::string(name);
    std::string out(folder);
    // The separator the folder already uses, so that "Z:/out" gives
    // "Z:/out/a.csv" and never a path that mixes both.
    const std::size_t last = lastSeparator(folder);
    if (!isPathSeparator(out.back())) out += last == std::string_view::npos ? pathSeparator() : folder[last];
    std::size_t skip = 0;
    while (skip < name.size() && isPathSeparator(name[skip])) ++skip;
    out += name.substr(skip);
    return out;
}

std::size_t lastSeparator(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (isPathSeparator(path[i - 1])) return i - 1;
    return std::string_view::npos;
}

std::string fileNamePart(std::string_view path) {
    std::size_t p = lastSeparator(path);
    return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

std::string folderPart(std::string_view path) {
    std::size_t p = lastSeparator(path);
    return p == std::string_view::npos ? std::string() : std::string(path.substr(0, p));
}

bool isPlainFileName(std::string_view name) {
    if (name.empty() || name.find("..") != std::string_view::npos) return false;
    for (char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '/' || c == '\\' || c == ':') return false;
    }
    return true;
}

std::string pathKey(const std::string& path) {
    std::error_code ec;
    const fs::path full = fs::weakly_canonical(fs::absolute(fs::path(path), ec), ec);
    std::string text = full.lexically_normal().string();
#ifdef _WIN32
    text = upper(text);
#endif
    return text;
}

namespace {

// A name whose key is its folder's key and the name itself: no link, no
// "." or "..", nothing Windows would trim from its end.
bool joinsItsFolderKey(const std::string& path, std::string_view name) {
    if (!isPlainFileName(name) || name.back() == '.' || name.back() == ' ') return false;
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(fs::path(path), ec);
    return status.type() != fs::file_type::symlink;
}

}  // namespace

std::string PathKeys::key(const std::string& path) {
    const std::size_t sep = lastSeparator(path);
    const std::string_view name = sep == std::string::npos ? std::string_view(path) : std::string_view(path).substr(sep + 1);
    if (!joinsItsFolderKey(path, name)) return pathKey(path);
    const std::string folder = sep == std::string::npos ? std::string(".") : path.substr(0, sep + 1);
    auto at = folders_.find(folder);
    if (at == folders_.end()) at = folders_.emplace(folder, pathKey(folder)).first;
#ifdef _WIN32
    return joinPath(at->second, upper(std::string(name)));
#else
    return joinPath(at->second, name);
#endif
}

bool sameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code ec;
    if (fs::equivalent(fs::path(a), fs::path(b), ec) && !ec) return true;
    return pathKey(a) == pathKey(b);
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(fs::path(path), ec);
}

bool folderExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(fs::path(path), ec);
}

std::string findFileNoCase(const std::string& path) {
#ifdef _WIN32
    return path;
#else
    std::error_code ec;
    if (path.empty() || fs::exists(fs::path(path), ec)) return path;
    std::string folder = folderPart(path);
    const std::string wanted = upper(fileNamePart(path));
    fs::path dir = folder.empty() ? fs::path(".") : fs::path(folder);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (upper(name) == wanted) return folder.empty() ? name : joinPath(folder, name);
    }
    return path;
#endif
}

}  // namespace wl
