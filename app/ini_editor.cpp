#include "ini_editor.hpp"

#include "messages.hpp"
#include "paths.hpp"
#include "text_files.hpp"

namespace zr {

std::string iniEditorFile(const std::string& currentFolder) { return wl::joinPath(currentFolder, "zr.ini"); }

std::string CTLD28100A(const std::string& text) {
    if (!wl::MSGYESNO(wl::Value("Replace current initialization file"), wl::Value("WARNING "))) return text;
    wl::FileDialogRequest r;
    r.filter = "*.ini";
    r.title = "Select initialization file to use.";
    const std::string chosen = wl::CGETFILE(r);
    // Cancelling the file dialog must not empty the editor.
    if (chosen.empty() || !wl::fileExists(chosen)) return text;
    return CTL39400AY(chosen);
}

}  // namespace zr
