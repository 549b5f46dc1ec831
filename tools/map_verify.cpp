#include "map_verify.hpp"

#include <array>
#include <filesystem>

#include "file_io.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

constexpr std::array<const char*, 4> kValueKeys = {"X12TRANSACTIONTYPE=", "VERSION=", "KEYHEADERFIELD=",
                                                   "KEYLINEFIELD="};

bool beginsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// The value of the first line whose trimmed text begins with the key, and
// whether there is one.
bool lineValue(const std::vector<std::string>& lines, const std::string& key, std::string& value) {
    for (const auto& line : lines) {
        const std::string t = wl::alltrim(line);
        if (beginsWith(t, key)) {
            value = t.substr(key.size());
            return true;
        }
    }
    return false;
}

std::string text(const wl::Value& v) { return v.isText() ? v.text() : std::string(); }
std::int64_t count(const wl::Value& v) { return v.isNumber() ? static_cast<std::int64_t>(v.number()) : 0; }

// A map as read: its bytes and its lines.
struct ReadMap {
    std::string path;
    std::string bytes;
    std::vector<std::string> lines;
};

ReadMap readMap(const std::string& path) {
    ReadMap m{path, CTL39400AY(path), {}};
    m.lines = wl::crLines(m.bytes);
    return m;
}

std::string chooseMap(const std::string& title) {
    wl::FileDialogRequest r;
    r.filter = "*.*";
    r.title = title;
    r.initialDir = std::filesystem::current_path().string();
    const std::string chosen = wl::CGETFILE(r);
    return wl::fileExists(chosen) ? chosen : "";
}

class Report {
public:
    void line(const std::string& s) { text_ += s + "\r\n"; }
    void fieldCount(std::int64_t n) { line(" - Field Count =" + wl::rightAligned(n, 10)); }
    void map(const std::string& heading, const ReadMap& m) {
        line(heading + m.path);
        line("File Size =" + std::to_string(m.bytes.size()));
        line("Lines =" + std::to_string(m.lines.size()));
        line(" - File Type =" + text(CTL48600W(m.lines, 1)));
        line(" - Version =" + text(CTL48600W(m.lines, 2)));
        line(" - Key Header Field =" + text(CTL48600W(m.lines, 3)));
        line(" - Key Line Field =" + text(CTL48600W(m.lines, 4)));
        fieldCount(count(CTL48600W(m.lines, 5)));
        line(" - Segment Count =" + wl::rightAligned(count(CTL48600W(m.lines, 6)), 10));
    }
    void write() const {
        if (const int error = wl::writeFileAtomically("verify.log", text_); error != 0)
            wl::MSGSTOP(wl::Value("verify.log not written, error " + std::to_string(error)), wl::Value("Verify Map"));
    }

private:
    std::string text_;
};

// The header of a map whose field lines came from a tag list. The key lines
// are the reference's own, each copied under its own key, so the rebuilt
// map keeps the reference's records and documents.
std::string convertedMapHeader(const std::string& sourceType, const ReadMap& reference, const MapClock& clock) {
    const std::string stars = std::string(42, '*') + " ";
    std::string out;
    auto line = [&out](const std::string& s) { out += s + "\r\n"; };
    line(stars);
    line("*** Generated " + clock.date + " " + clock.time);
    line("*** Field lines made from a field tag list by the map verify tool");
    line("*** Field mapping pulled from file:");
    line("***  " + reference.path);
    line(stars);
    line("X12TRANSACTIONTYPE=" + sourceType);
    line("VERSION=" + text(CTL48600W(reference.lines, 2)));
    for (const char* key : {"KEYHEADERFIELD=", "KEYFIELD=", "KEYDOCFIELD=", "KEYLINEFIELD=", "KEYTRAILERFIELD="}) {
        std::string value;
        if (lineValue(reference.lines, key, value)) line(key + value);
    }
    return out;
}

// Asks for the backup and writes it; false when the map must not be
// rewritten (a backup was asked for and could not be made).
bool backUp(const ReadMap& map) {
    if (!wl::MSGYESNO(wl::Value("Make a backup of the data in file " + map.path + "?"), wl::Value("Backup Map?")))
        return true;
    const std::string name = freeBackupName();
    if (name.empty()) {
        wl::MSGSTOP(wl::Value("Backup_Map1.dat to Backup_Map998.dat all exist: " + map.path + " is not changed."),
                    wl::Value("Backup Map?"));
        return false;
    }
    wl::WQOUT({wl::Value("Creating " + name)});
    if (const int error = wl::writeFileAtomically(name, map.bytes); error != 0) {
        wl::MSGSTOP(wl::Value(name + " not written, error " + std::to_string(error) + ": " + map.path +
                              " is not changed."),
                    wl::Value("Backup Map?"));
        return false;
    }
    return true;
}

void runVerify(const VerifyDialogs& dialogs, const MapClock& clock, Report& report) {
    const std::string path = chooseMap("Select a map file you wish to verify.");
    if (path.empty()) return;
    ReadMap map = readMap(path);
    report.map("File to Verify =", map);
    std::string sourceType;
    bool newHeader = false;
    if (text(CTL48600W(map.lines, 1)).empty()) {
        sourceType = dialogs.sourceType();
        if (count(CTL48600W(map.lines, 5)) == 0) {
            map.lines = CTL48600Z(sourceType, map.lines);
            const std::int64_t fields = count(CTL48600W(map.lines, 5));
            report.fieldCount(fields);
            newHeader = fields > 0;
        }
    }
    wl::WQOUT({wl::Value("You will need to select a map file to verify your map file against.")});
    const std::string referencePath = chooseMap("Select the map file you wish verify against.");
    if (referencePath.empty()) return;
    const ReadMap reference = readMap(referencePath);
    report.map("File to Verify Against =", reference);

    bool changed = false;
    for (auto& line : map.lines) {
        const std::string trimmed = wl::alltrim(line);
        if (!beginsWith(trimmed, "FIELD=")) continue;
        line = CTL48600X(trimmed, reference.lines);
        changed = changed || line != trimmed;
    }
    if (!changed) return;
    if (!wl::MSGYESNO(wl::Value("Apply Changes to " + path), wl::Value("Update Map?"))) return;
    if (!backUp(map)) return;
    std::string out = newHeader ? convertedMapHeader(sourceType, reference, clock) : "";
    for (const auto& line : map.lines) out += line + "\r\n";
    if (const int error = wl::writeFileAtomically(path, out); error != 0)
        wl::MSGSTOP(wl::Value(path + " not written, error " + std::to_string(error)), wl::Value("Update Map?"));
}

}  // namespace

wl::Value CTL48600W(const std::vector<std::string>& lines, int what) {
    if (what >= 1 && what <= 4) {
        std::string value;
        lineValue(lines, kValueKeys[static_cast<std::size_t>(what - 1)], value);
        return wl::Value(value);
    }
    if (what != 5 && what != 6) return wl::Value(std::string());
    const std::string key = what == 5 ? "FIELD=" : "SEGMENT=";
    std::int64_t n = 0;
    for (const auto& line : lines)
        if (beginsWith(wl::alltrim(line), key)) ++n;
    return wl::Value(n);
}

std::string CTL48600X(const std::string& fieldLine, const std::vector<std::string>& referenceLines) {
    const auto comma = fieldLine.find(',');
    if (comma == std::string::npos) return fieldLine;
    // The key with its comma: "FIELD=SUBID" must not find "FIELD=SUBIDCODE".
    const std::string key = fieldLine.substr(0, comma + 1);
    for (const auto& candidate : referenceLines) {
        const std::string reference = wl::alltrim(candidate);
        if (!beginsWith(reference, key)) continue;
        if (beginsWith(fieldLine, reference)) return fieldLine;
        const bool adopt = wl::MSGYESNO(wl::Value("Old-> " + fieldLine + "\r" + "New-> " + reference),
                                        wl::Value(fieldLine.substr(0, comma) + " Apply Changes?"));
        return adopt ? reference : fieldLine;
    }
    return fieldLine;
}

std::vector<std::string> CTL48600Z(const std::string& sourceType, const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const auto& line : lines) {
        const std::string t = wl::alltrim(line);
        if (beginsWith(t, "<FIELD>")) {
            const std::string name = t.size() >= 15 ? t.substr(7, t.size() - 15) : "";
            out.push_back(CTL48600AA(sourceType, name));
        } else {
            out.push_back("**** " + line);
        }
    }
    return out;
}

std::string CTL48600AA(const std::string& sourceType, const std::string& tagName) {
    static constexpr std::array<const char*, 26> kTags = {
        "SUBLNAME", "SUBFNAME", "SUBMI",  "SUBIDCODE", "SUBADDR1", "SUBADDR2", "SUBCITY",  "SUBST",  "SUBZIP",
        "SUBSEX",   "SUBSTATUS", "SUBDOB", "SUBREL",    "SUBORDER", "PATLNAME", "PATFNAME", "PATMI",  "PATADDR1",
        "PATADDR2", "PATCITY",  "PATST",  "PATZIP",    "PATSEX",   "PATMSTAT", "PATDOB",   "PATREL",
    };
    if (sourceType != "837I" && sourceType != "837P" && sourceType != "837D" && sourceType != "835") return "";
    for (const char* tag : kTags) {
        if (tagName != tag) continue;
        if (tagName == "SUBIDCODE") return "FIELD=SUBID,,,,,,,,,";
        const bool shortLine = tagName == "SUBLNAME" || tagName == "SUBFNAME";
        return "FIELD=" + tagName + std::string(shortLine ? 8 : 9, ',');
    }
    return "";
}

std::string freeBackupName() {
    for (int n = 1; n <= 998; ++n) {
        const std::string name = "Backup_Map" + std::to_string(n) + ".dat";
        std::error_code ec;
        if (!std::filesystem::exists(name, ec)) return name;
    }
    return "";
}

void verifyMap(const VerifyDialogs& dialogs, const MapClock& clock) {
    Report report;
    report.line("Verify Log");
    report.line("Date:" + clock.date);
    report.line("Time:" + clock.time);
    runVerify(dialogs, clock, report);
    report.write();
}

}  // namespace zr
