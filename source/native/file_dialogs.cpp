// The system's file open and save dialog.
#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "messages.hpp"

namespace wl {

namespace {
constexpr unsigned kDefaultFlags = 0x80C;  // hide read-only, no folder change, path must exist

// "Text|*.txt|All|*.*" becomes the zero-separated list the dialog wants.
std::vector<char> filterList(const std::string& filter) {
    std::string f = filter.substr(0, 398);
    std::vector<char> out(f.begin(), f.end());
    for (char& c : out)
        if (c == '|') c = '\0';
    out.push_back('\0');
    out.push_back('\0');
    return out;
}
}  // namespace

std::string platformFileDialog(const FileDialogRequest& r) {
    const std::string filter = r.filter.value_or("");
    const bool save = r.save.value_or(r.initialFile.has_value());
    unsigned flags = r.flags.value_or(kDefaultFlags);
    if (flags == 0) flags = (save ? 0x80Cu : 0x808u) | (r.longNames ? OFN_LONGNAMES : 0u);

    std::vector<char> name((flags & OFN_ALLOWMULTISELECT) ? 15384 : 256, '\0');
    std::string start = r.initialFile ? r.initialFile->substr(0, 255) : filter.substr(0, 255);
    // A real filter list is no file name; a plain mask doubles as one.
    if (!r.initialFile && filter.find('|') != std::string::npos) start.clear();
    start.copy(name.data(), start.size());

    std::vector<char> filters = filterList(filter);
    std::string title = r.title.value_or("Select the file").substr(0, 255);
    std::string dir = r.initialDir.value_or("").substr(0, 255);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = filters.data();
    ofn.nFilterIndex = (r.filterIndex & 0xFF) ? (r.filterIndex & 0xFF) : 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrInitialDir = r.initialDir ? dir.c_str() : nullptr;
    ofn.Flags = flags;
    BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!ok) return "";
    if (!save && (flags & OFN_ALLOWMULTISELECT)) return std::string(name.data(), name.size());
    return std::string(name.data());
}

}  // namespace wl
