#include "map_choice.hpp"

#include <cctype>
#include <vector>

#include "default_maps.hpp"
#include "delimiters.hpp"
#include "elements.hpp"
#include "file_bytes.hpp"
#include "file_io.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "system_info.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

constexpr std::size_t kDetectLimit = 1001;      // bytes searched for GS08
constexpr std::size_t kHeaderLimit = 64 * 1024;  // bytes searched for ST and BHT

std::string segmentId(const std::string& segment, char elem) {
    std::size_t sep = segment.find(elem);
    return wl::ltrim(segment.substr(0, sep == std::string::npos ? segment.size() : sep));
}

// The first `limit` bytes of the source; reports a file that cannot be opened.
std::optional<std::string> readHead(const std::string& source, std::size_t limit) {
    wl::InputFile f;
    if (!f.open(source)) {
        wl::showFileError("FC-Open", f.error());
        return std::nullopt;
    }
    std::string head(limit, '\0');
    head.resize(f.read(head.data(), head.size()));
    return head;
}

// What the start of a source tells, read once: GS08 from the first 1,001
// bytes (with the detection's trace), ST01 and BHT02 of the first set from
// the first kilobytes, which hold its header.
struct HeadScan {
    SourceIdentity id;
    std::string trace;
};

HeadScan scanHead(const std::string& source) {
    HeadScan scan;
    // A file without ISA keeps the usual delimiters rather than bytes read
    // at arbitrary offsets.
    const X12Delimiters d = locateDelimiters(source).value_or(X12Delimiters{});
    const char term = d.terminator.empty() ? ' ' : d.terminator[0];
    const std::string elem = d.element.empty() ? " " : d.element.substr(0, 1);
    scan.trace = " xst=" + d.terminator + "\r\n xds=" + d.element + "\r\n xss=" + d.component + "\r\n";
    auto head = readHead(source, kHeaderLimit);
    if (!head) {
        scan.trace += " Exit 1000 \r\n";
        return scan;
    }
    // GS08: segments completed within the first 1,001 bytes.
    const std::string_view detect = std::string_view(*head).substr(0, kDetectLimit);
    bool found = false;
    for (std::size_t start = 0, end; !found && (end = detect.find(term, start)) != std::string_view::npos;
         start = end + 1) {
        const std::string segment(detect.substr(start, end - start));
        const std::string id = segmentId(segment, elem[0]);
        scan.trace += " Segment =" + id + "\r\n Segment Data=" + segment + "\r\n";
        if (!wl::prefixMatch(id, "GS")) continue;
        scan.trace += " Set GS =" + segment + "\r\n";
        scan.id.gs08 = std::string(CTL39400AX(segment, 9, elem));
        scan.trace += " GG Version =" + scan.id.gs08 + "\r\n";
        found = true;
    }
    if (!found && head->size() >= kDetectLimit) scan.trace += " Exit 1000 \r\n";
    // The first set's ST01, ST03 and BHT02, ISA12, and its first service line.
    for (std::size_t start = 0, end; (scan.id.st01.empty() || scan.id.bht02.empty() || scan.id.lineId.empty()) &&
                                     (end = head->find(term, start)) != std::string::npos;
         start = end + 1) {
        const std::string segment = head->substr(start, end - start);
        const std::string sid = segmentId(segment, elem[0]);
        if (sid == "ISA" && scan.id.isa12.empty()) {
            scan.id.isa12 = wl::alltrim(CTL39400AU(segment, 12, elem));
            scan.id.isa11 = std::string(CTL39400AU(segment, 11, elem));
        }
        if (sid == "HI" && scan.id.hiQualifier.empty()) {
            const std::string_view code = CTL39400AU(segment, 1, elem);
            scan.id.hiQualifier = wl::alltrim(std::string(code.substr(0, code.find(d.component.empty() ? ':' : d.component[0]))));
        }
        if (sid == "ST" && scan.id.st01.empty()) {
            scan.id.st01 = std::string(CTL39400AU(segment, 1, elem));
            scan.id.st03 = std::string(CTL39400AU(segment, 3, elem));
        }
        if (sid == "BHT" && scan.id.bht02.empty()) scan.id.bht02 = std::string(CTL39400AU(segment, 2, elem));
        if ((sid == "SV1" || sid == "SV2" || sid == "SV3") && scan.id.lineId.empty()) scan.id.lineId = sid;
    }
    return scan;
}

// "tdebug.log", written anew in one write.
void writeDetectionTrace(const std::string& trace) { wl::writeFileAtomically("tdebug.log", trace); }

}  // namespace

std::string DetectVersion(const std::string& source, bool debug) {
    HeadScan scan = scanHead(source);
    if (debug) writeDetectionTrace(scan.trace);
    return scan.id.gs08;
}

SourceIdentity identifySource(const std::string& source) { return scanHead(source).id; }

std::string NameForVersion(const std::string& gs08) {
    const std::string wanted = gs08 + ".cfg";
    for (int scheme = 1; scheme <= 2; ++scheme)
        for (int index = 1; index <= kMapTransactions; ++index)
            if (mapName(index, scheme) == wanted) return mapName(index, 3);
    return "";
}

namespace {
// The version the envelope names: GS08's first characters, else ISA12.
int declaredScheme(const SourceIdentity& id) {
    const std::string gs08 = wl::alltrim(id.gs08);
    const std::string isa12 = wl::alltrim(id.isa12);
    if (wl::prefixMatch(gs08, "00501")) return 2;
    if (wl::prefixMatch(gs08, "00401")) return 1;
    if (wl::prefixMatch(isa12, "0050")) return 2;
    if (wl::prefixMatch(isa12, "0040")) return 1;
    return 0;
}
}  // namespace

int inferredScheme(const SourceIdentity& id, std::string* why) {
    auto said = [&](int scheme, const std::string& clue) {
        if (why) *why = clue;
        return scheme;
    };
    const std::string& hi = id.hiQualifier;
    if (hi.size() == 3 && (wl::prefixMatch(hi, "AB") || wl::prefixMatch(hi, "AP") || wl::prefixMatch(hi, "BB") ||
                           wl::prefixMatch(hi, "AD")))
        return said(2, "HI qualifier " + hi);
    if (hi.size() == 2 && hi[0] == 'B') return said(1, "HI qualifier " + hi);
    const std::string isa11 = wl::alltrim(id.isa11);
    if (isa11 == "U") return said(1, "ISA11 U");
    if (isa11.size() == 1 && !std::isalnum(static_cast<unsigned char>(isa11[0])))
        return said(2, "ISA11 repetition separator " + isa11);
    return 0;
}

std::string versionFromSet(const SourceIdentity& id) {
    const std::string st01 = wl::alltrim(id.st01);
    // Which 837: the guide named in ST03 or GS08, else the first service line.
    auto names = [&](const char* a, const char* b) {
        for (const std::string& t : {id.st03, id.gs08})
            if (t.find(a) != std::string::npos || t.find(b) != std::string::npos) return true;
        return false;
    };
    const bool institutional = names("X223", "X096") || (!names("X222", "X098") && id.lineId == "SV2");
    const bool dental = names("X224", "X097") || (!names("X222", "X098") && id.lineId == "SV3");
    int scheme = declaredScheme(id);
    if (scheme == 0) scheme = inferredScheme(id);
    if (scheme == 0) return "";
    int index = 0;
    if (st01 == "837") index = institutional ? 1 : dental ? 11 : 10;
    else if (st01 == "835") index = 2;
    else if (st01 == "276") index = 3;
    else if (st01 == "277") index = 4;
    else if (st01 == "270") index = 5;
    else if (st01 == "271") index = 6;
    else if (st01 == "278") index = wl::alltrim(id.bht02) == "11" ? 8 : 7;
    else if (st01 == "834") index = 9;
    else if (st01 == "820") index = 12;
    if (index == 0) return "";
    const std::string& name = mapName(index, scheme);
    return name.substr(0, name.size() - 4);
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
                      std::string* rpmnPrefix, bool debug, std::string* detectionTrace) {
    std::string map;
    bool settled = false;  // a default map found or created: its path stands
    if (!wl::alltrim(mapOption).empty()) {
        map = mapOption;
        log.timed("Map File Set A to " + mapOption);
        log.timed("X12 Version/Transaction NOT Detected  ");
    } else {
        const HeadScan scan = scanHead(source);
        if (debug) writeDetectionTrace(scan.trace);
        if (debug && detectionTrace) *detectionTrace = scan.trace;
        SourceIdentity id = scan.id;
        // GS08 comes from the input: it may only name a file in the map
        // folder, never a path elsewhere; anything else is an unknown version.
        if (!wl::isPlainFileName(id.gs08)) id.gs08.clear();
        std::string name = NameForVersion(id.gs08);
        if (name.empty()) {
            log.timed("Map File Set B to ");
            log.timed("Source file =" + source);
            map = defaultMapFor(id, log);
            settled = !map.empty();
            // GS08 names no map (de-identified, short, or another guide of a
            // known transaction): ST01 and the version choose the default map.
            const std::string version = settled ? std::string() : versionFromSet(id);
            if (!version.empty()) {
                std::string clue;
                if (declaredScheme(id) == 0 && inferredScheme(id, &clue) != 0)
                    log.timed("Version Inferred From the Content (" + clue + ") : GS08 '" + id.gs08 + "', ISA12 '" +
                              id.isa12 + "'");
                name = NameForVersion(version);
                log.timed("GS08 '" + id.gs08 + "' Names No Map; ST01 " + id.st01 + " Chooses " + name + " (" +
                          version + ")");
                id.gs08 = version;
            } else if (!settled) {
                log.timed("No Map Known for GS08 '" + id.gs08 + "' and ST01 '" + id.st01 + "'");
            }
        }
        if (!settled && !name.empty()) {
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
