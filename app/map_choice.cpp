#include "map_choice.hpp"

#include <vector>

#include "default_maps.hpp"
#include "delimiters.hpp"
#include "elements.hpp"
#include "file_io.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "system_info.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

constexpr std::size_t kDetectLimit = 1001;  // bytes read for GS08

std::string segmentId(const std::string& segment, char elem) {
    std::size_t sep = segment.find(elem);
    return wl::ltrim(segment.substr(0, sep == std::string::npos ? segment.size() : sep));
}

// The first `limit` bytes of the source; reports a file that cannot be opened.
std::optional<std::string> readHead(const std::string& source, std::size_t limit) {
    wl::InputFile f;
    if (!f.open(source)) {
        wl::WQOUT({"Cfile <ERROR> FC-Open #" + wl::rightAligned(f.error(), 2)});
        return std::nullopt;
    }
    std::string head(limit, '\0');
    head.resize(f.read(head.data(), head.size()));
    return head;
}

// The delimiters of the source's first interchange, wherever its ISA stands.
X12Delimiters sourceDelimiters(const std::string& source) {
    auto located = CTL39400AJ(source);
    return readDelimiters(source, located ? *located + 1 : 0);
}

}  // namespace

std::string DetectVersion(const std::string& source, bool debug) {
    std::string trace;
    const X12Delimiters d = sourceDelimiters(source);
    const char term = d.terminator.empty() ? ' ' : d.terminator[0];
    const char elem = d.element.empty() ? ' ' : d.element[0];
    trace += " xst=" + d.terminator + "\r\n xds=" + d.element + "\r\n xss=" + d.component + "\r\n";
    std::string result;
    bool limitReached = true;
    if (auto head = readHead(source, kDetectLimit)) {
        std::string segment;
        for (char c : *head) {
            if (c != term) {
                segment += c;
                continue;
            }
            const std::string id = segmentId(segment, elem);
            trace += " Segment =" + id + "\r\n Segment Data=" + segment + "\r\n";
            if (wl::prefixMatch(id, "GS")) {
                trace += " Set GS =" + segment + "\r\n";
                result = std::string(CTL39400AX(segment, 9, std::string(1, elem)));
                trace += " GG Version =" + result + "\r\n";
                limitReached = false;
                break;
            }
            segment.clear();
        }
        if (limitReached && head->size() < kDetectLimit) limitReached = false;
    }
    if (limitReached) trace += " Exit 1000 \r\n";
    if (debug) {
        ZQK_0001E("", "tdebug.log", 1);
        ZQK_0001E(trace, "tdebug.log", 2);
    }
    return result;
}

SourceIdentity identifySource(const std::string& source) {
    SourceIdentity id;
    id.gs08 = DetectVersion(source, false);
    const X12Delimiters d = sourceDelimiters(source);
    const char term = d.terminator.empty() ? ' ' : d.terminator[0];
    const char elem = d.element.empty() ? ' ' : d.element[0];
    // The first set's header stands near the start; a few kilobytes hold it.
    auto head = readHead(source, 64 * 1024);
    if (!head) return id;
    std::size_t start = 0;
    while (start < head->size() && (id.st01.empty() || id.bht02.empty())) {
        std::size_t end = head->find(term, start);
        if (end == std::string::npos) break;
        const std::string segment = head->substr(start, end - start);
        const std::string sid = segmentId(segment, elem);
        if (sid == "ST" && id.st01.empty()) id.st01 = std::string(CTL39400AU(segment, 1, std::string(1, elem)));
        if (sid == "BHT" && id.bht02.empty()) id.bht02 = std::string(CTL39400AU(segment, 2, std::string(1, elem)));
        start = end + 1;
    }
    return id;
}

std::string NameForVersion(const std::string& gs08) {
    const std::string wanted = gs08 + ".cfg";
    for (int scheme = 1; scheme <= 2; ++scheme)
        for (int index = 1; index <= kMapTransactions; ++index)
            if (mapName(index, scheme) == wanted) return mapName(index, 3);
    return "";
}

namespace {

// A default map for the source's version: an existing one, else a new one.
// The creator knows version-based names, so it gets GS08 + ".cfg".
std::string defaultMapFor(const SourceIdentity& id, RunLog& log) {
    if (id.gs08.empty()) return "";
    const TransactionHint hint{id.st01, id.bht02};
    if (std::string found = CTLD48600Q(id.gs08 + ".cfg", 1, hint); !found.empty()) {
        log.timed("Used Map file " + found);
        return found;
    }
    if (std::string created = CTLD48600Q(id.gs08 + ".cfg", 2, hint); !created.empty()) {
        log.timed("Created and Used Map file " + created);
        return created;
    }
    return "";
}

}  // namespace

std::string ChooseMap(const std::string& mapOption, const std::string& mapFolder,
                      const std::string& defaultMapFolder, const std::string& source, RunLog& log,
                      std::string* rpmnPrefix, bool debug) {
    std::string map;
    bool settled = false;  // a default map found or created: its path stands
    if (!wl::alltrim(mapOption).empty()) {
        map = mapOption;
        log.timed("Map File Set A to " + mapOption);
        log.timed("X12 Version/Transaction NOT Detected  ");
    } else {
        SourceIdentity id = identifySource(source);
        if (debug) DetectVersion(source, true);
        const std::string name = NameForVersion(id.gs08);
        if (name.empty()) {
            log.timed("Map File Set B to ");
            log.timed("Source file =" + source);
            map = defaultMapFor(id, log);
            settled = !map.empty();
        } else {
            log.timed("Map File Set C to " + name);
            if (rpmnPrefix) *rpmnPrefix = name + "_";
            if (!wl::alltrim(mapFolder).empty()) {
                map = wl::joinPath(mapFolder, name);
                log.timed("Map File Set D to " + map);
            } else {
                map = name;
            }
            log.timed("X12 Version/Transaction Detected  ");
            log.plain("   Current Directory : " + wl::currentFolder());
            log.plain("   Current Drive : " + wl::currentDrive());
            log.plain("   Map File : " + map);
            if (wl::fileExists(map)) {
                log.timed("Map File Set G to " + map);
            } else {
                log.timed("X12 Detected Map File NOT Present " + map);
                if (std::string d = defaultMapFor(id, log); !d.empty()) {
                    map = d;
                    settled = true;
                }
            }
        }
    }
    if (!settled && !wl::alltrim(defaultMapFolder).empty()) map = wl::joinPath(defaultMapFolder, map);
    return map;
}

}  // namespace zr
