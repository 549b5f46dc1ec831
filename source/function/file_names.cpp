#include "file_names.hpp"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "file_io.hpp"
#include "message_windows.hpp"
#include "paths.hpp"
#include "system_info.hpp"
#include "text.hpp"
#include "process_state.hpp"

namespace fs = std::filesystem;

namespace wl {

namespace {

std::string folderCase(std::string_view folder) {
#ifdef _WIN32
    return upper(folder);
#else
    return std::string(folder);
#endif
}

std::string nameWithoutExt(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::time_t fileTime(const std::string& file, bool& found) {
    std::error_code ec;
    auto t = fs::last_write_time(fs::path(file), ec);
    found = !ec && fs::is_regular_file(fs::path(file), ec);
    if (!found) return 0;
    auto sys = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
        t - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
    return std::chrono::system_clock::to_time_t(sys);
}

}  // namespace

bool LISDIR(std::string_view path) {
    if (!path.empty() && isPathSeparator(path.back())) path.remove_suffix(1);
    if (path.empty() || path.find_first_of("*?") != std::string_view::npos) return false;
    return folderExists(std::string(path));
}

std::string CFILEDISC(std::string_view file) {
    return file.size() >= 2 && file[1] == ':' ? upper(file.substr(0, 2)) : std::string();
}

std::string CFILEPATH(std::string_view file) {
    const std::size_t sep = lastSeparator(file);
    if (sep == std::string_view::npos) {
        const std::string drive = CFILEDISC(file);
        return drive.empty() ? std::string() : drive + "\\";
    }
    return folderCase(file.substr(0, sep + 1));
}

std::string CFILENOPATH(std::string_view file) {
    const std::size_t sep = lastSeparator(file);
    if (sep != std::string_view::npos && sep + 1 < file.size()) return fileNamePart(file);
    const std::size_t colon = file.rfind(':');
    if (colon != std::string_view::npos) return std::string(file.substr(colon + 1));
    return std::string(file);
}

std::string CFILEMASK(std::string_view file) {
    std::string name = CFILENOPATH(file);
    return name.find_first_of("*?") != std::string::npos ? name : std::string();
}

std::string CFILENOEXT(std::string_view file) { return nameWithoutExt(alltrim(CFILENOPATH(file))); }

std::string CFILEEXT(std::string_view file) {
    const std::string name = CFILENOPATH(file);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : alltrim(name.substr(dot + 1));
}

std::string CFILESETEXT(std::string_view file, std::string_view ext) {
    const std::size_t sep = lastSeparator(file);
    const std::size_t nameStart = sep == std::string_view::npos ? 0 : sep + 1;
    const std::size_t dot = file.rfind('.');
    const std::string_view stem = dot != std::string_view::npos && dot >= nameStart ? file.substr(0, dot) : file;
    return std::string(stem) + "." + std::string(ext);
}

std::string CFILESUBDIR(std::string_view path) {
    while (!path.empty() && isPathSeparator(path.back())) path.remove_suffix(1);
    const std::size_t sep = lastSeparator(path);
    return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep));
}

std::string CNEWFILENAME(std::string_view root, std::string_view ext) {
    for (unsigned long n = 1;; ++n) {
        std::string name = std::string(root) + std::to_string(n) + "." + std::string(ext);
        if (!fileExists(name)) return name;
    }
}

std::string CTEMPFILE(std::string_view path, std::string_view ext) {
    struct LastName {
        std::string name;  // never the same name twice in a row
    };
    std::string& lastName = processState().tempNames.get<LastName>().name;
    std::string dotExt(ext);
    if (dotExt.empty() || dotExt.front() != '.') dotExt.insert(dotExt.begin(), '.');
    for (;;) {
        const auto ticks = std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now().time_since_epoch())
                               .count();
        std::string name = std::string(path) + std::to_string(ticks & 0xFFFFFFFF) + dotExt;
        std::error_code ec;
        if (name != lastName && !fs::exists(fs::path(name), ec)) return lastName = name;
    }
}

std::int64_t FSIZE(const std::string& file) {
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(file), ec)) return 0;
    const auto size = fs::file_size(fs::path(file), ec);
    return ec ? 0 : static_cast<std::int64_t>(size);
}

Date FDATE(const std::string& file) {
    bool found = false;
    const std::time_t t = fileTime(file, found);
    if (!found) return Date{};
    const std::tm parts = localParts(t);
    return Date{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

std::string FTIME(const std::string& file) {
    bool found = false;
    const std::time_t t = fileTime(file, found);
    if (!found) return "";
    const std::tm parts = localParts(t);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", parts.tm_hour, parts.tm_min, parts.tm_sec);
    return buf;
}

std::vector<std::string> AFINDFILE(std::string_view name, const std::string& folder) {
    std::vector<std::string> found;
    const std::string wanted = upper(name);
    std::error_code ec;
    for (fs::recursive_directory_iterator it(fs::path(folder), fs::directory_options::skip_permission_denied, ec),
         end;
         !ec && it != end; it.increment(ec)) {
        platformDrainMessages();  // a long search keeps the windows alive
        if (!it->is_directory(ec) && upper(it->path().filename().string()) == wanted)
            found.push_back(it->path().string());
    }
    return found;
}

bool fitsFileMask(std::string_view name, std::string_view mask) {
    // Greedy matching with one step back to the last "*".
    std::size_t n = 0, m = 0, starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || upperChar(mask[m]) == upperChar(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starAt = m++;
            resumeAt = n;
        } else if (starAt != std::string_view::npos) {
            m = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

std::vector<std::string> filesFittingMask(std::string_view mask) {
    std::vector<std::string> found;
    const std::string pattern = CFILENOPATH(mask);
    std::string folder(mask.substr(0, mask.size() - pattern.size()));
    if (folder.empty()) folder = ".";
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(folder), ec), end; !ec && it != end; it.increment(ec))
        if (!it->is_directory(ec) && fitsFileMask(it->path().filename().string(), pattern))
            found.push_back(it->path().filename().string());
    return found;
}

bool MOVEFILE(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (fs::exists(fs::path(to), ec) || !fs::exists(fs::path(from), ec)) return false;
    fs::rename(fs::path(from), fs::path(to), ec);
    return !ec;
}

bool REMOVEDIR(const std::string& folder) {
    std::error_code ec;
    if (!fs::is_directory(fs::path(folder), ec) || !fs::is_empty(fs::path(folder), ec)) return false;
    return fs::remove(fs::path(folder), ec) && !ec;
}

void LOGFILE(const std::string& file, const ValueList& values) {
    std::string line = currentDateText() + " " + localTimeText("%H:%M:%S") + ": ";
    for (const Value& v : values) line += CVALTOCHAR(v) + "\t";
    line += "\r\n";
    appendToFile(file, line);  // a log that cannot be written is passed over
}

void LOGSTACK(SourcePlace from) {
    appendToFile("stack.txt", std::string("\r\nLogStack() called\r\n=================\r\n") + from.function +
                                  " (" + std::to_string(from.line) + ") " + from.file + "\r\n");
}

std::string CONVERTTOOOURL(std::string_view file) {
    std::string url = "file:///";
    for (char c : file) {
        if (c == '\\') url += '/';
        else if (c == ' ') url += "%20";
        else url += c;
    }
    return url;
}

bool FREOPEN_STDERR(const std::string& file, const std::string& mode) {
    return std::freopen(file.c_str(), mode.c_str(), stderr) != nullptr;
}

}  // namespace wl
