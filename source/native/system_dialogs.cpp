#include "system_dialogs.hpp"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <vector>
#include "process_state.hpp"

#include "messages.hpp"

namespace wl {

// ------------------------------------------------------------ message boxes

int SYSMSGBOX(const std::string& text, const std::string& caption, UINT style) {
    return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), style);
}

bool MSGRETRYCANCEL(const std::string& text, const std::string& caption) {
    return SYSMSGBOX(text, caption, MB_RETRYCANCEL | MB_ICONQUESTION) == IDRETRY;
}

int MSGYESNOCANCEL(const std::string& text, const std::string& caption) {
    return SYSMSGBOX(text, caption, MB_YESNOCANCEL | MB_ICONQUESTION);
}

void SHELLABOUT(const std::string& app, const std::string& other, HICON icon) {
    ShellAboutA(GetActiveWindow(), app.c_str(), other.c_str(), icon);
}

void MSGABOUT(const std::string& app, const std::string& other) { SHELLABOUT(app, other, nullptr); }

// -------------------------------------------------------------- file dialog

namespace {
constexpr unsigned kDefaultFlags = 0x80C;  // hide read-only, no folder change, path must exist
// Long enough for any path the system accepts (the extended-length limit).
constexpr std::size_t kSingleFileBuffer = 32768;
constexpr std::size_t kMultiFileBuffer = 15384;
struct FileDialog {
    int lastFilter = 0;
};
int& lastFilter() { return processState().fileDialog.get<FileDialog>().lastFilter; }

// "Text|*.txt|All|*.*" becomes the zero-separated list the dialog wants.
// A plain mask ("*.xml") is its own description and pattern: alone it
// would be a description without a pattern, and every file would show.
std::vector<char> filterList(const std::string& filter) {
    std::string f = filter.substr(0, 398);
    if (!f.empty() && f.find('|') == std::string::npos) f += "|" + f;
    std::vector<char> out(f.begin(), f.end());
    for (char& c : out)
        if (c == '|') c = '\0';
    out.push_back('\0');
    out.push_back('\0');
    return out;
}
}  // namespace

int LASTFILEFILTER() { return lastFilter(); }

std::string FILEDIALOG(const FileDialogRequest& r) {
    const std::string filter = r.filter.value_or("");
    const bool save = r.save.value_or(r.initialFile.has_value());
    unsigned flags = r.flags.value_or(kDefaultFlags);
    if (flags == 0) flags = (save ? 0x80Cu : 0x808u) | (r.longNames ? OFN_LONGNAMES : 0u);

    const bool multi = (flags & OFN_ALLOWMULTISELECT) != 0;
    // A single name gets a buffer that fits long paths: with 256 bytes a
    // path of 256 or more came back as "" as if the user had cancelled.
    std::vector<char> name(multi ? kMultiFileBuffer : kSingleFileBuffer, '\0');
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
    lastFilter() = 0;
    const BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    lastFilter() = static_cast<int>(ofn.nFilterIndex);
    if (!ok) return "";
    if (!save && multi) return std::string(name.data(), name.size());
    return std::string(name.data());
}

// ------------------------------------------------------------ folder browser

namespace {
// What the browser sets once it is shown: its caption and the first folder.
struct BrowseStart {
    const std::string& caption;
    const std::string& folder;
};
int CALLBACK browseStart(HWND hWnd, UINT msg, LPARAM, LPARAM data) {
    if (msg != BFFM_INITIALIZED || !data) return 0;
    const auto* start = reinterpret_cast<const BrowseStart*>(data);
    if (!start->caption.empty()) SetWindowTextA(hWnd, start->caption.c_str());
    if (!start->folder.empty()) SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start->folder.c_str()));
    return 0;
}
// The shell's item lists are the caller's to free.
struct ItemList {
    LPITEMIDLIST p = nullptr;
    ~ItemList() {
        if (p) CoTaskMemFree(p);
    }
};
}  // namespace

UINT folderBrowserFlags(int rootFolder, UINT flags) {
    if (flags) return flags;
    return rootFolder ? 0 : BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
}

std::string CGETDIR(const std::string& caption, const std::string& initialFolder, int rootFolder,
                    const std::string& prompt, UINT flags) {
    // The prompt hook answers folder choices as it answers file choices.
    PromptAnswer hooked;
    if (hookAnswer({PromptKind::File, "CGETDIR", prompt, caption, {}}, hooked)) return hooked.file;
    ItemList root;
    if (rootFolder) SHGetSpecialFolderLocation(GetActiveWindow(), rootFolder, &root.p);
    char display[MAX_PATH] = {};
    BrowseStart start{caption, initialFolder};
    BROWSEINFOA bi{};
    bi.hwndOwner = GetActiveWindow();
    bi.pidlRoot = root.p;
    bi.pszDisplayName = display;
    bi.lpszTitle = prompt.empty() ? nullptr : prompt.c_str();
    bi.ulFlags = folderBrowserFlags(rootFolder, flags);
    bi.lpfn = browseStart;
    bi.lParam = reinterpret_cast<LPARAM>(&start);
    ItemList chosen;
    chosen.p = SHBrowseForFolderA(&bi);
    if (!chosen.p) return "";
    std::vector<char> path(32768, '\0');
    if (!SHGetPathFromIDListA(chosen.p, path.data())) return "";
    return path.data();
}

// ----------------------------------------------------------- colour and font

namespace {
UINT_PTR CALLBACK quietHook(HWND, UINT, WPARAM, LPARAM) { return 0; }
}  // namespace

COLORREF CHOOSECOLOR(std::optional<COLORREF> color, std::optional<DWORD> flags) {
    // The custom colours the user picked stay for the next dialog.
    struct Custom {
        std::array<COLORREF, 16> colors = [] {
            std::array<COLORREF, 16> c{};
            for (int i = 0; i < 16; ++i) {
                const int g = 255 - 16 * i;
                c[static_cast<std::size_t>(i)] = RGB(g, g, g);
            }
            return c;
        }();
    };
    std::array<COLORREF, 16>& custom = processState().colorDialog.get<Custom>().colors;
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = GetActiveWindow();
    cc.rgbResult = color.value_or(0);
    cc.lpCustColors = custom.data();
    cc.Flags = flags.value_or(CC_RGBINIT | CC_FULLOPEN) | CC_ENABLEHOOK;
    cc.lpfnHook = quietHook;
    if (!ChooseColorA(&cc)) return color.value_or(0);
    return cc.rgbResult;
}

std::optional<LOGFONTA> CHOOSEFONT(const std::optional<LOGFONTA>& start, COLORREF* color, HDC printer, DWORD flags) {
    LOGFONTA lf = start.value_or(LOGFONTA{});
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = GetActiveWindow();
    cf.lpLogFont = &lf;
    DWORD f = CF_SCREENFONTS | CF_ENABLEHOOK;
    if (start) f |= CF_INITTOLOGFONTSTRUCT;
    if (color) {
        f |= CF_EFFECTS;
        cf.rgbColors = *color;
    }
    if (printer) {
        f |= CF_PRINTERFONTS;
        cf.hDC = printer;
    }
    cf.Flags = flags ? flags : f;
    cf.lpfnHook = quietHook;
    cf.nFontType = SCREEN_FONTTYPE;
    if (!ChooseFontA(&cf)) return std::nullopt;
    if (color) *color = cf.rgbColors;
    return lf;
}

// ---------------------------------------------------------------- find text

namespace {
struct FindState {
    // The modeless dialog reads and writes these for as long as it lives,
    // so they belong to the library, never to the caller.
    std::vector<char> buffer;
    FINDREPLACEA fr{};
    UINT message = 0;
    HWND dialog = nullptr;
};
FindState& findState() {
    return processState().findDialog.get<FindState>();
}
}  // namespace

HWND FINDTEXT(const std::string& find, HWND owner, UINT* message) {
    FindState& s = findState();
    if (!s.message) s.message = RegisterWindowMessageA(FINDMSGSTRINGA);
    if (message) *message = s.message;
    // One find dialog at a time: the previous one goes before its buffer is
    // replaced.
    if (s.dialog && IsWindow(s.dialog)) DestroyWindow(s.dialog);
    s.dialog = nullptr;
    s.buffer.assign(std::max<std::size_t>(find.size() + 1, 125), '\0');
    find.copy(s.buffer.data(), find.size());
    s.fr = FINDREPLACEA{};
    s.fr.lStructSize = sizeof s.fr;
    s.fr.hwndOwner = owner ? owner : GetActiveWindow();
    s.fr.lpstrFindWhat = s.buffer.data();
    s.fr.wFindWhatLen = static_cast<WORD>(std::min<std::size_t>(s.buffer.size(), 0xFFFF));
    s.fr.Flags = 0;
    s.dialog = FindTextA(&s.fr);
    return s.dialog;
}

std::string findTextBuffer() {
    const FindState& s = findState();
    return s.buffer.empty() ? std::string() : std::string(s.buffer.data());
}

}  // namespace wl
