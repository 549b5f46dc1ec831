#include "source_editor.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>

namespace wl {

namespace {

// Scintilla's published message numbers. EmptyUndoBuffer is Scintilla's
// own (2175), not the plain edit control's 205, which Scintilla ignores.
constexpr std::pair<std::string_view, int> kCommands[] = {
    {"Backtab", 2328}, {"Cancel", 2325}, {"Charleft", 2304}, {"Charleftextend", 2305},
    {"Charleftrectextend", 2428}, {"Charright", 2306}, {"Charrightextend", 2307},
    {"Charrightrectextend", 2429}, {"Copy", 2178}, {"CopyLine", 2455}, {"Cut", 2177},
    {"Deleteback", 2326}, {"Deletebacknotline", 2344}, {"Dellineleft", 2395}, {"Dellineright", 2396},
    {"Delwordleft", 2335}, {"Delwordright", 2336}, {"Documentend", 2318}, {"Documentendextend", 2319},
    {"Documentstart", 2316}, {"Documentstartextend", 2317}, {"Edittoggleovertype", 2324},
    {"EmptyUndoBuffer", 2175}, {"GoDown", 2300}, {"GoEol", 2314}, {"GoHome", 2312}, {"GoLeft", 2304},
    {"GoRight", 2306}, {"GoUp", 2302}, {"Home", 2312}, {"Homedisplay", 2345}, {"Homedisplayextend", 2346},
    {"Homeextend", 2313}, {"Homerectextend", 2430}, {"Homewrap", 2349}, {"Homewrapextend", 2450},
    {"Linecopy", 2455}, {"Linecut", 2337}, {"Linedelete", 2338}, {"Linedown", 2300},
    {"Linedownextend", 2301}, {"Linedownrectextend", 2426}, {"Lineduplicate", 2404}, {"Lineend", 2314},
    {"Lineenddisplay", 2347}, {"Lineenddisplayextend", 2348}, {"Lineendextend", 2315},
    {"Lineendrectextend", 2432}, {"Lineendwrap", 2451}, {"Lineendwrapextend", 2452},
    {"Linescrolldown", 2342}, {"Linescrollup", 2343}, {"Linetranspose", 2339}, {"LineUp", 2302},
    {"LineUpExtend", 2303}, {"Lineuprectextend", 2427}, {"Lowercase", 2340}, {"NewLine", 2329},
    {"Pagedown", 2322}, {"Pagedownextend", 2323}, {"Pagedownrectextend", 2434}, {"Pageup", 2320},
    {"Pageupextend", 2321}, {"Pageuprectextend", 2433}, {"Paradown", 2413}, {"Paradownextend", 2414},
    {"Paraup", 2415}, {"Paraupextend", 2416}, {"Paste", 2179}, {"Redo", 2011}, {"SetSavePoint", 2014},
    {"SetUndoCollection", 2012}, {"Stutteredpagedown", 2437}, {"Stutteredpagedownextend", 2438},
    {"Stutteredpageup", 2435}, {"Stutteredpageupextend", 2436}, {"Tab", 2327}, {"Undo", 2176},
    {"Uppercase", 2341}, {"Vchome", 2331}, {"Vchomeextend", 2332}, {"Vchomerectextend", 2431},
    {"Vchomewrap", 2453}, {"Vchomewrapextend", 2454}, {"Wordleft", 2308}, {"Wordleftend", 2439},
    {"Wordleftendextend", 2440}, {"Wordleftextend", 2309}, {"Wordpartleft", 2390},
    {"Wordpartleftextend", 2391}, {"Wordpartright", 2392}, {"Wordpartrightextend", 2393},
    {"Wordright", 2310}, {"Wordrightend", 2441}, {"Wordrightendextend", 2442}, {"Wordrightextend", 2311},
};

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::optional<int> scintillaCommand(std::string_view name) {
    for (const auto& [n, message] : kCommands) {
        if (sameName(n, name)) return message;
    }
    return std::nullopt;
}

std::vector<std::string> sourceListing(std::string_view text, size_t width) {
    std::vector<std::string> lines;
    size_t number = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        std::string_view line = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%05zu  ", ++number);
        std::string out = prefix;
        for (char c : line) {
            if (c == '\t') {
                out += "   ";
            } else {
                out += c;
            }
        }
        for (size_t at = 0; at == 0 || at < out.size(); at += std::max<size_t>(width, 1)) {
            lines.push_back(out.substr(at, std::max<size_t>(width, 1)));
        }
        if (end == std::string_view::npos) break;
        pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

}  // namespace wl
