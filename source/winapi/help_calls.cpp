#include "help_calls.hpp"

#include <htmlhelp.h>

#include "help_keys.hpp"
#include "library_calls.hpp"
#include "library_registry.hpp"

namespace wl {

namespace {

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

constexpr char kHtmlHelpLibrary[] = "hhctrl.ocx";

// The engine stays loaded from its first use until FREEHTMLDLL.
HtmlHelpFn htmlHelp() {
    HMODULE module = LoadLibraryOnce(kHtmlHelpLibrary);
    return module ? reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpA")))
                  : nullptr;
}

HWND owner(HWND hwnd) { return hwnd ? hwnd : GetActiveWindow(); }

std::string htmlTopic(std::string topic) {
    const std::size_t hash = topic.find('#');
    return hash == std::string::npos ? topic + ".htm" : topic.insert(hash, ".htm");
}

std::string withoutHtm(std::string topic) {
    const std::size_t at = topic.find(".htm");
    return at == std::string::npos ? topic : topic.substr(0, at);
}

COLORREF colourOr(long long colour, COLORREF fallback) {
    return colour < 0 ? fallback : static_cast<COLORREF>(colour);
}

}  // namespace

HWND HTML_HELP(HWND hwnd, const std::string& file, UINT command, DWORD_PTR data) {
    HtmlHelpFn call = htmlHelp();
    return call ? call(hwnd, file.empty() ? nullptr : file.c_str(), command, data) : nullptr;
}

void FREEHTMLDLL() { FreeLibraryByName(kHtmlHelpLibrary); }

HWND HTMLPOP(HWND hwnd, const std::string& file, UINT command, const std::string& text, std::optional<int> row,
             std::optional<int> col, long long clrFore, long long clrBack) {
    HH_POPUP popup{};
    popup.cbStruct = sizeof popup;
    popup.hinst = nullptr;
    popup.idString = 0;
    popup.pszText = text.c_str();
    if (row && col) {
        popup.pt.x = *col;
        popup.pt.y = *row;
    } else {
        GetCursorPos(&popup.pt);
        popup.pt.y -= 20;
    }
    popup.clrForeground = colourOr(clrFore, static_cast<COLORREF>(-1));
    popup.clrBackground = colourOr(clrBack, static_cast<COLORREF>(-1));
    popup.rcMargins = RECT{-1, -1, -1, -1};
    popup.pszFont = "Tahoma, 8, , ";
    return HTML_HELP(owner(hwnd), file, command ? command : HH_DISPLAY_TEXT_POPUP, reinterpret_cast<DWORD_PTR>(&popup));
}

HWND HTMLSEARCH(HWND hwnd, const std::string& file, UINT command, const std::string& query) {
    HH_FTS_QUERY q{};
    q.cbStruct = sizeof q;
    q.fUniCodeStrings = FALSE;
    q.pszSearchQuery = query.c_str();
    q.iProximity = HH_FTS_DEFAULT_PROXIMITY;
    q.fStemmedSearch = FALSE;
    q.fTitleOnly = FALSE;
    q.fExecute = TRUE;
    q.pszWindow = nullptr;
    return HTML_HELP(owner(hwnd), file, command ? command : HH_DISPLAY_SEARCH, reinterpret_cast<DWORD_PTR>(&q));
}

bool WINHELP(const std::string& file, UINT command, ULONG_PTR data) {
    if (isHtmlHelpFile(file)) return false;
    return SPWINHELP(GetActiveWindow(), file, command, data);
}

void HELPTOPIC(const Value& topic) {
    const std::string file = GETHELPFILE();
    if (!ISHELPFILE(file)) return;
    if (isHtmlHelpFile(file)) {
        const std::string t = topic.isText() ? htmlTopic(topic.text()) : GETHELPTOPIC();
        const std::string target = t.empty() ? file : file + "::/" + t;
        HTML_HELP(GetActiveWindow(), target, HH_DISPLAY_TOPIC, 0);
        return;
    }
    if (topic.isNumber() || (topic.isNil() && helpTopicNumber() != 0)) {
        const double context = topic.isNumber() ? topic.number() : helpTopicNumber();
        WINHELP(file, HELP_CONTEXT, static_cast<ULONG_PTR>(context));
        return;
    }
    const std::string keyword = topic.isText() ? topic.text() : withoutHtm(GETHELPTOPIC());
    if (keyword.empty())
        WINHELP(file, HELP_CONTENTS, 0);
    else
        WINHELP(file, HELP_KEY, reinterpret_cast<ULONG_PTR>(keyword.c_str()));
}

void HELPINDEX() {
    const std::string file = GETHELPFILE();
    if (!ISHELPFILE(file)) return;
    if (isHtmlHelpFile(file))
        HTML_HELP(GetActiveWindow(), file, HH_DISPLAY_INDEX, 0);
    else
        WINHELP(file, HELP_FINDER, 0);
}

void HELPSEARCH(const std::string& text) {
    const std::string file = GETHELPFILE();
    if (!ISHELPFILE(file)) return;
    if (isHtmlHelpFile(file))
        HTMLSEARCH(GetActiveWindow(), file, HH_DISPLAY_SEARCH, text);
    else
        WINHELP(file, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(text.c_str()));
}

void HELPPOPUP(const Value& topic, std::optional<int> row, std::optional<int> col, HWND hwnd) {
    const std::string file = GETHELPFILE();
    if (isHtmlHelpFile(file)) {
        CHMHELPPOPUP(static_cast<long long>(topic.number()), hwnd);
        return;
    }
    if (!ISHELPFILE(file)) return;
    (void)row;
    (void)col;
    WINHELP(file, HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(topic.number()));
}

void CHMHELPPOPUP(long long topic, HWND hwnd) {
    const std::optional<std::string> text = helpPopupTopicText(topic);
    if (!text) return;
    const HelpPopupSettings& s = helpPopupSettings();
    HTMLPOP(hwnd, "", HH_DISPLAY_TEXT_POPUP, *text, s.row, s.col, s.clrFore, s.clrBack);
}

}  // namespace wl
