#include "export_maps.hpp"

#include "export_logs.hpp"
#include "file_io.hpp"
#include "paths.hpp"
#include "progress_meter.hpp"
#include "text.hpp"
#include "text_files.hpp"
#include "system_info.hpp"

namespace zr {

namespace {

std::string claimTypeLetter(const std::string& claimType) {
    const std::string t = wl::upper(claimType);
    if (t == "INSTITUTIONAL") return "i";
    if (t == "DENTAL") return "d";
    if (t == "PROFESSIONAL") return "p";
    return "";
}

bool namesKind(const std::string& mapName, const char* extension) {
    return mapName.size() > 4 && wl::upper(mapName).ends_with(extension);
}

// The map file to read: the named map of that kind, else the default.
std::string mapPath(const std::string& folder, const std::string& defaultName, const std::string& mapName,
                    const char* extension) {
    if (namesKind(mapName, extension)) return wl::folderPart(mapName).empty() ? exportFilePath(folder, mapName) : mapName;
    return defaultName.empty() ? "" : exportFilePath(folder, defaultName);
}

std::vector<std::string> orEmptyEntry(std::vector<std::string> fields) {
    if (fields.empty()) fields.push_back("");
    return fields;
}

}  // namespace

std::string exportCsvMapName(const std::string& st01, const std::string& claimType) {
    if (st01 == "837") {
        const std::string l = claimTypeLetter(claimType);
        return l.empty() ? "" : "ZR837" + l + ".csv";
    }
    return st01 == "835" ? "ZR835.csv" : "";
}

std::string exportXmlMapName(const std::string& st01, const std::string& claimType) {
    if (st01 == "837") {
        const std::string l = claimTypeLetter(claimType);
        return l.empty() ? "" : "zr837" + l + ".xml";
    }
    return st01.empty() ? "" : "zr" + st01 + ".xml";
}

std::vector<std::string> csvMapFields(const std::string& text) {
    std::vector<std::string> fields;
    std::string name;
    for (char c : text) {
        // A map saved on another system ends its lines in LF alone: like CR,
        // it is no part of a name.
        if (c == '\r' || c == '\n' || c == '\v') continue;
        if (c == ',') {
            fields.push_back(name);
            name.clear();
        } else {
            name += c;
        }
    }
    if (!name.empty()) fields.push_back(name);
    return fields;
}

std::vector<std::string> xmlMapFields(const std::string& text) {
    std::vector<std::string> fields;
    const std::string up = wl::upper(text);
    std::size_t at = 0;
    while (true) {
        const std::size_t open = up.find("<FIELD>", at);
        if (open == std::string::npos) break;
        const std::size_t close = up.find("</FIELD>", open + 7);
        if (close == std::string::npos) break;
        fields.push_back(text.substr(open + 7, close - open - 7));
        at = close + 8;
    }
    return fields;
}

std::string xmlMapText(const std::vector<std::string>& fields) {
    std::string t = "<?xml version=\"1.0\"  encoding=\"ISO-8859-1\"?>\r\n<CONFIGURATION>\r\n";
    for (const std::string& f : fields)
        if (!f.empty()) t += "<FIELD>" + f + "</FIELD>\r\n";
    return t + "</CONFIGURATION>\r\n";
}

std::vector<std::string> professionalDefaultFields() {
    // The subscriber's marital status is SUBMSTATUS: a name SUBSTATUS would
    // be read as SUBST, the state, by the getters' prefix match.
    std::vector<std::string> f = {
        "SUBLNAME", "SUBFNAME",  "SUBMI",     "SUBNAMEPREFIX", "SUBNAMESUFIX", "SUBIDCODE", "SUBADDR1",
        "SUBADDR2", "SUBCITY",   "SUBST",     "SUBZIP",        "SUBSEX",       "SUBMSTATUS", "SUBDOB",
        "SUBREL",   "SUBORDER",  "PAYERNAME", "PAYERADDR1",    "PAYERADDR2",   "PAYERCITY", "PAYERST",
        "PAYERZIP", "PATLNAME",  "PATFNAME",  "PATMI",         "PATNAMEPREFIX", "PATNAMESUFIX", "PATADDR1",
        "PATADDR2", "PATCITY",   "PATST",     "PATZIP",        "PATSEX",       "PATMSTAT",  "PATDOB",
        "PATREL",   "CLAIMID",   "CLAIMAMT",  "POSCODE",       "DX1",          "DX2",       "DX3",
        "DX4",      "DX5"};
    for (int n = 1; n <= 10; ++n)
        for (const char* p : {"PROC", "MODA", "MODB", "MODC", "DOS", "AMT", "UNITS", "DXLINK", "POSLINECODE",
                              "PRICEAMT", "PRICEREF", "ADJUDID"})
            f.push_back(p + std::to_string(n));
    return f;
}

std::vector<std::string> CTL39404J(const std::string& st01, const std::vector<std::string>& current, int mode,
                                   const std::string& claimType, const ExportDictionary& dictionary,
                                   const std::string& mapName, const std::string& workFolder,
                                   const ExportClock& clock) {
    (void)current;
    ScopedMeter meter(MeterMode::Show, "Loading Configuration ", "Please Wait..");
    const bool logging = exportLogExists(workFolder, "zrmap.log");
    std::string log;
    auto add = [&](const std::string& line) { log += line + "\r\n"; };
    add(clock.today() + " " + clock.now() + " - Loading Configuration ");
    const std::string folderText = workFolder.empty() ? wl::currentFolder() : workFolder;
    std::vector<std::string> fields;
    bool found = false;
    std::string readPath;
    auto readMap = [&](const std::string& path, bool csv) {
        if (path.empty() || !wl::fileExists(path)) return false;
        readPath = path;
        const std::string text = CTL39400AY(path);
        fields = csv ? csvMapFields(text) : xmlMapFields(text);
        return true;
    };
    const std::string csvPath = mapPath(workFolder, exportCsvMapName(st01, claimType), mapName, "CSV");
    const std::string xmlPath = mapPath(workFolder, exportXmlMapName(st01, claimType), mapName, "XML");
    if (st01 == "837") {
        if (mode != 1 && readMap(csvPath, true)) {
            add(" CSV 837 Map File Present ");
            found = true;
        } else if (mode != 1 && readMap(xmlPath, false)) {
            add("XML 837 Map File Present ");
            found = true;
        }
        if (found) {
            add("Map File : " + wl::fileNamePart(readPath));
            add("Current Directory =" + folderText);
            add(" Field Count " + std::to_string(fields.size()));
        } else {
            add("Mapping File Not Found. Using Default System Map " + claimType);
            fields = wl::upper(claimType) == "PROFESSIONAL" ? professionalDefaultFields() : CTL39404X(dictionary);
        }
    } else if (st01 == "835") {
        const bool csv = readMap(csvPath, true);
        if (csv || readMap(xmlPath, false)) {
            add(csv ? "835 CSV Map file " : "835 XML Map file ");
            add("Map File : " + wl::fileNamePart(readPath));
            if (!mapName.empty()) add("Option Map File : " + mapName);
            add("Current Directory =" + folderText);
            for (std::size_t i = 0; i < fields.size(); ++i) add(std::to_string(i + 1) + " Field = " + fields[i]);
        } else {
            add("No Map Found, Using Default 835 Mapping. ");
            fields = CTL39404X(dictionary);
        }
    } else if (st01 == "277" || st01 == "271") {
        if (!readMap(xmlPath, false)) fields = CTL39404X(dictionary);
    }
    if (logging) (void)wl::appendToFile(exportFilePath(workFolder, "zrmap.log"), log);
    return orEmptyEntry(std::move(fields));
}

bool CTL39404K(const std::string& st01, const std::vector<std::string>& fields, const std::string& claimType,
               const ExportPrompts& prompts, const std::string& workFolder) {
    const std::string name = exportXmlMapName(st01, claimType);
    if (name.empty()) return false;
    const std::string path = exportFilePath(workFolder, name);
    if (wl::fileExists(path) &&
        !(prompts.askYes && prompts.askYes(name + " Already Exists. Overwrite it?", " WARNING.")))
        return false;
    writeExportLog(workFolder, name, xmlMapText(fields));
    return wl::fileExists(path);
}

void CTL39404L(const std::string& claimType, const std::string& workFolder) {
    const std::string name = claimTypeLetter(claimType).empty() ? "zr835.xml" : exportXmlMapName("837", claimType);
    eraseExportLog(workFolder, name);
}

}  // namespace zr
