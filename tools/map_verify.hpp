// The map verify tool: compares the field lines of a map with those of a
// reference map, offers each difference for adoption, can first turn a list
// of XML field tags into field lines, keeps a numbered backup and writes the
// report "verify.log" in the current folder.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "map_generator.hpp"
#include "value.hpp"

namespace zr {

// CTL48600W: what 1 "X12TRANSACTIONTYPE=", 2 "VERSION=", 3
// "KEYHEADERFIELD=", 4 "KEYLINEFIELD=": the rest of the first line whose
// trimmed text begins with the key ("" when none); 5 the number of
// "FIELD=" lines, 6 of "SEGMENT=" lines (numbers).
wl::Value CTL48600W(const std::vector<std::string>& lines, int what);

// CTL48600X: the field line, or the reference line the user adopts in its
// place. The reference field is the one of the same name.
std::string CTL48600X(const std::string& fieldLine, const std::vector<std::string>& referenceLines);

// CTL48600Z: the lines with every "<FIELD>" tag line turned into a
// skeleton field line for the source type, every other line made a comment.
std::vector<std::string> CTL48600Z(const std::string& sourceType, const std::vector<std::string>& lines);

// CTL48600AA: the skeleton field line of a tag name for a source type
// ("837I", "837P", "837D", "835"), "" for a name or type not in the table.
std::string CTL48600AA(const std::string& sourceType, const std::string& tagName);

// The name of the first free backup "Backup_Map" + n + ".dat" (n 1..998)
// in the current folder, "" when every number is taken.
std::string freeBackupName();

// The verify tool's dialog: the source type of a map without one
// (CTL48600Y: "837I", "837P", "837D", "835", "" for none).
struct VerifyDialogs {
    std::function<std::string()> sourceType;
};

// CTL48600V: the whole verify run.
void verifyMap(const VerifyDialogs& dialogs, const MapClock& clock);

}  // namespace zr
