// File names and paths. The program joins folder and name with the
// platform's separator and accepts both separators when splitting. On Linux
// a file is also found when its name differs only in case, as on Windows.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace wl {

char pathSeparator();
bool isPathSeparator(char c);
// The position of the last "\\" or "/", npos when there is none.
std::size_t lastSeparator(std::string_view path);

// folder + separator + name; no separator is doubled, an empty folder
// gives the name alone.
std::string joinPath(std::string_view folder, std::string_view name);

// The text after the last separator (the whole text without one).
std::string fileNamePart(std::string_view path);
// The text before the last separator ("" without one).
std::string folderPart(std::string_view path);

// True when the text is a plain file name: not empty, no separator, no
// ".." and no drive, no control character; such a name stays in the
// folder it is joined to.
bool isPlainFileName(std::string_view name);

// A path's key for telling files apart in bulk: its absolute form with
// links resolved (upper-cased on Windows). Equal keys name one file.
std::string pathKey(const std::string& path);

// pathKey for many paths of a few folders (a folder run's sources and
// outputs): each folder is resolved once, and a name in it costs one look
// at whether it is a link. Keys equal pathKey's. Folders are taken as they
// were when first asked: one run's worth of paths, not a long-lived cache.
class PathKeys {
public:
    std::string key(const std::string& path);

private:
    std::map<std::string, std::string, std::less<>> folders_;
};

// True when both paths name one file: the same existing file (links and
// relative forms included), or, when one is missing, the same absolute
// path (without regard to case on Windows).
bool sameFile(const std::string& a, const std::string& b);
bool fileExists(const std::string& path);    // an existing regular file
bool folderExists(const std::string& path);  // an existing folder

// The existing path that names the same file regardless of the case of its
// last component (Linux); the path unchanged when there is none or on
// Windows, where names are case-insensitive anyway.
std::string findFileNoCase(const std::string& path);

}  // namespace wl
