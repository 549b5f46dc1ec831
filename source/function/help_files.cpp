#include "help_files.hpp"

#include "file_io.hpp"
#include "library_texts.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "process_state.hpp"

namespace wl {

namespace {
struct HelpState {
    HelpPopupSettings popup;
};
HelpState& state() {
    return processState().helpFiles.get<HelpState>();
}

std::string readWholeFile(const std::string& path) {
    InputFile f(path);
    std::string bytes;
    if (!f.isOpen()) return bytes;
    char buf[65536];
    for (std::size_t n; (n = f.read(buf, sizeof buf)) > 0;) bytes.append(buf, n);
    return bytes;
}
}  // namespace

bool isHtmlHelpFile(std::string_view file) {
    for (std::size_t i = 0; i + 4 <= file.size(); ++i) {
        std::string part(file.substr(i, 4));
        for (char& c : part) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (part == ".chm") return true;
    }
    return false;
}

bool ISHELPFILE(const std::string& file) {
    if (file.empty()) {
        MSGALERT(WLSTRING("No Help file defined with SetHelpFile()"), Value(WLSTRING("Attention")));
        return false;
    }
    if (!fileExists(file)) {
        MSGALERT(WLSTRING("Help file") + " '" + file + "' " + WLSTRING("does not exist") + "\r\n" +
                     WLSTRING("or its name (with path) is too long"),
                 Value(WLSTRING("Attention")));
        return false;
    }
    return true;
}

const HelpPopupSettings& helpPopupSettings() { return state().popup; }

void SETHELPPOPUP(std::string file, int row, int col, long long clrFore, long long clrBack) {
    state().popup = HelpPopupSettings{std::move(file), row, col, clrFore, clrBack};
}

std::optional<std::string> helpPopupText(std::string_view content, long long topic) {
    for (const char* mark : {".Topic ", ".topic "}) {
        const std::string key = mark + std::to_string(topic) + "\r\n";
        const std::size_t at = content.find(key);
        if (at == std::string_view::npos) continue;
        const std::size_t start = at + key.size();
        const std::size_t end = content.find("\r\n", start);
        return std::string(content.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    }
    return std::nullopt;
}

std::optional<std::string> helpPopupTopicText(long long topic) {
    const std::string& file = helpPopupSettings().file;
    if (file.empty()) {
        MSGALERT(WLSTRING("No Help popup file defined"), Value(WLSTRING("Attention")));
        return std::nullopt;
    }
    if (!fileExists(file)) {
        MSGALERT(WLSTRING("No Help popup file available"), Value(WLSTRING("Attention")));
        return std::nullopt;
    }
    return helpPopupText(readWholeFile(file), topic);
}

}  // namespace wl
