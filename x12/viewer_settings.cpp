#include "viewer_settings.hpp"

#include <initializer_list>
#include <optional>
#include <string_view>

#include "x12_file_names.hpp"
#include "ini_lines.hpp"
#include "text.hpp"

namespace zr {

namespace {

enum ViewerSection { ViewerMask = 1, Viewer837, Listing837, Screen837, Form837, Parser, Cms1500, CheckTables };

std::vector<IniSectionRule> viewerSectionRules() {
    const auto end = SectionEnd::NextSectionOrCommandZero;
    return {
        {"[X12VIEWER]", ViewerMask, end},     {"[X12837VIEWER]", Viewer837, end},
        {"[X12837LISTING]", Listing837, end}, {"[X12837SCREEN]", Screen837, end},
        {"[X12837FORM]", Form837, end},       {"[X12PARSER]", Parser, end},
        {"[PARSER]", Parser, end},            {"[CMS1500]", Cms1500, end},
        {"[CMS-1500]", Cms1500, end},
        // Recognised so that they are skipped.
        {"[X12837CHECK]", CheckTables, end},  {"[X12837CHECKTABLE]", CheckTables, end},
    };
}

std::optional<std::string> valueAfter(const std::string& line, std::string_view key) {
    if (!wl::prefixMatch(line, key)) return std::nullopt;
    return line.substr(key.size());
}

// Takes the value of the first line of a key only.
template <typename T, typename Convert>
void firstValue(const std::string& line, std::string_view key, bool& seen, T& target, Convert convert) {
    if (seen) return;
    if (auto v = valueAfter(line, key)) {
        seen = true;
        target = convert(*v);
    }
}

// Appends items 1 to n of a FIELD= (or TITLE=) line to the section's lists,
// one entry each, when the line names something in item 1.
void collectItems(const std::string& rest, std::initializer_list<std::vector<std::string>*> lists) {
    if (CTL39400AE(rest, 1).empty()) return;
    int item = 0;
    for (auto* list : lists) list->push_back(CTL39400AE(rest, ++item));
}

std::optional<std::string> fieldLine(const std::string& line, bool titlesToo) {
    if (auto v = valueAfter(line, "FIELD=")) return v;
    if (titlesToo) return valueAfter(line, "TITLE=");
    return std::nullopt;
}

class ViewerSettingsReader {
public:
    void take(int section, const std::string& line) {
        switch (section) {
            case ViewerMask:
                firstValue(line, "SETEXTENSION=", seenMask_, s_.fileMask,
                           [](const std::string& v) { return v.empty() ? std::string("*.*") : v; });
                break;
            case Viewer837: fields(line, false, {&f().viewerNames, &f().viewerWidths}); break;
            case Listing837: fields(line, false, {&f().listingNames, &f().listingWidths}); break;
            case Screen837:
                fields(line, true, {&f().screen[0], &f().screen[1], &f().screen[2], &f().screen[3]});
                break;
            case Form837: fields(line, false, {&f().form[0], &f().form[1], &f().form[2], &f().form[3]}); break;
            case Parser: parserKey(line); break;
            case Cms1500:
                firstValue(line, "BOX25EIN=", seenEin_, s_.box25Ein, text);
                firstValue(line, "BOX25SSN=", seenSsn_, s_.box25Ssn, text);
                break;
            default: break;
        }
    }

    ViewerSettings finish() {
        for (auto* list : {&f().viewerNames, &f().viewerWidths, &f().listingNames, &f().listingWidths, &f().screen[0],
                           &f().screen[1], &f().screen[2], &f().screen[3], &f().form[0], &f().form[1], &f().form[2],
                           &f().form[3]})
            if (list->empty()) list->push_back("");
        return s_;
    }

private:
    static std::string text(const std::string& v) { return v; }
    static std::int64_t number(const std::string& v) { return iniNumber(v); }

    ViewerFieldLists& f() { return s_.fields; }

    void fields(const std::string& line, bool titlesToo, std::initializer_list<std::vector<std::string>*> lists) {
        if (auto rest = fieldLine(line, titlesToo)) collectItems(*rest, lists);
    }

    void parserKey(const std::string& line) {
        firstValue(line, "FILEREADBLOCK=", seenReadBlock_, s_.fileReadBlock, number);
        firstValue(line, "STARTBLOCK=", seenStartBlock_, s_.startBlock, number);
        firstValue(line, "BLOCKCOUNT=", seenBlockCount_, s_.blockCount, number);
        firstValue(line, "MERGEST=", seenMerge_, s_.mergeOff,
                   [](const std::string& v) { return wl::prefixMatch(v, "OFF") ? 1 : 0; });
        firstValue(line, "XMLENCODING=", seenEncoding_, s_.xmlEncoding, text);
    }

    ViewerSettings s_;
    bool seenMask_ = false, seenReadBlock_ = false, seenStartBlock_ = false, seenBlockCount_ = false,
         seenMerge_ = false, seenEin_ = false, seenSsn_ = false, seenEncoding_ = false;
};

wl::Value textList(const std::vector<std::string>& list) {
    wl::ValueList out;
    for (const auto& s : list) out.emplace_back(s);
    return out;
}

}  // namespace

ViewerSettings readViewerSettings(const std::string& folder) {
    ViewerSettingsReader reader;
    IniSectionWalker sections(viewerSectionRules());
    walkZrIni(folder, [&](const std::string& line) {
        if (sections.keyLine(line)) reader.take(sections.current(), line);
    });
    return reader.finish();
}

wl::Value CTL39400L(int code, const std::string& folder) {
    if (code != 1 && (code < 100 || code > 118)) return std::string();
    const ViewerSettings s = readViewerSettings(folder);
    const ViewerFieldLists& f = s.fields;
    switch (code) {
        case 1: return s.fileMask;
        case 100: return textList(f.viewerNames);
        case 101: return textList(f.viewerWidths);
        case 102: return textList(f.listingNames);
        case 103: return textList(f.listingWidths);
        case 104:
        case 105:
        case 106:
        case 107: return textList(f.screen[code - 104]);
        case 108:
        case 109:
        case 110:
        case 111: return textList(f.form[code - 108]);
        case 112: return s.fileReadBlock;
        case 113: return s.startBlock;
        case 114: return s.blockCount;
        case 115: return s.mergeOff;
        case 116: return s.box25Ein;
        case 117: return s.box25Ssn;
        case 118: return s.xmlEncoding;
        default: return std::string();
    }
}

}  // namespace zr
