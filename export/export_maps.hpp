// Export map files: the lists of fields an export writes, kept as a CSV map
// (names separated by commas) or an XML map ("<FIELD>" elements) per
// transaction set and 837 claim type, in the work folder.
#pragma once

#include <string>
#include <vector>

#include "export_dictionaries.hpp"
#include "export_logs.hpp"
#include "export_prompts.hpp"

namespace zr {

// The default map file of a set ("837" with its claim type): "ZR837p.csv",
// "zr835.xml"... "" when the set has no map of that kind.
std::string exportCsvMapName(const std::string& st01, const std::string& claimType);
std::string exportXmlMapName(const std::string& st01, const std::string& claimType);

// The names of a CSV map: separated by commas, CR, LF and vertical tabs
// ignored; the text after the last comma is a name when not empty.
std::vector<std::string> csvMapFields(const std::string& text);
// The names of an XML map: the texts between "<FIELD>" and "</FIELD>",
// tags in any letter case.
std::vector<std::string> xmlMapFields(const std::string& text);
// A saved XML map of the list (empty names left out).
std::string xmlMapText(const std::vector<std::string>& fields);

// The built-in 837 professional list of 164 names.
std::vector<std::string> professionalDefaultFields();

// CTL39404J: the export field list of the set. Mode 1 takes the default
// list whatever the maps; `mapName` (longer than 4 characters, ending in
// CSV or XML) replaces the default file of that kind. An empty list is one
// empty entry. The map log "zrmap.log" gets the trace when it exists.
std::vector<std::string> CTL39404J(const std::string& st01, const std::vector<std::string>& current, int mode,
                                   const std::string& claimType, const ExportDictionary& dictionary,
                                   const std::string& mapName = "", const std::string& workFolder = "",
                                   const ExportClock& clock = {});
// CTL39404K: saves the list as the set's XML map; an existing file is
// replaced only after the question " Already Exists. Overwrite it?". True
// when the file was written.
bool CTL39404K(const std::string& st01, const std::vector<std::string>& fields, const std::string& claimType,
               const ExportPrompts& prompts = {}, const std::string& workFolder = "");
// CTL39404L: erases the 837 XML map of a claim type, or "zr835.xml".
void CTL39404L(const std::string& claimType, const std::string& workFolder = "");

}  // namespace zr
