// The export field dictionaries: for each field of a transaction set its
// name (the getters' vocabulary), the description the export dialog and
// the listings show, the width of its DBF and ODBC column, its level and its
// type ("C" character, "$" money).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "claim_index.hpp"
#include "export_prompts.hpp"
#include "segment_table.hpp"

namespace zr {

struct DictionaryRow {
    std::string name;
    std::string description;
    int width = 0;
    char level = 'H';
    char type = 'C';
    bool operator==(const DictionaryRow&) const = default;
};
using ExportDictionary = std::vector<DictionaryRow>;

// The claim type of an 837 (CLAIMTYPE of claim 1), upper-cased.
std::string exportClaimType(const SegmentTable& table, const ClaimIndex& index);

// The dictionary of a set without the claim-type check: "837", "835",
// "277", "271" (any other none). Numbered families (NAMEnn) give NAME01 to
// NAME99 in mode 0, NAME01 to NAME09 in mode 1.
ExportDictionary exportDictionary(const std::string& st01, int mode);

// CTL39404C: the full dictionary of the loaded set. An 837 whose claim type
// is not DENTAL, PROFESSIONAL or INSTITUTIONAL shows "Claim Type Error " +
// the type, asks "Suppress this warning?" and gives the one ERROR row. The
// map type and row counts are added to "zrmap.log" of the work folder.
ExportDictionary CTL39404C(const SegmentTable& table, const ClaimIndex& index, const std::string& st01, int mode,
                           const ExportPrompts& prompts = {}, const std::string& workFolder = "");
// CTL39404AC: the one-row dictionary of the export dialog.
ExportDictionary CTL39404AC(const std::string& st01, const std::string& workFolder = "");
// CTL39404W: the ODBC columns of a list of names, from its own table; a
// name it does not know gets "Field Error " + a running count, width 14.
ExportDictionary CTL39404W(const std::vector<std::string>& names);
// CTL39404U: for the names but the last, the first of dictionary rows 1 to
// 254 whose name begins with the name; unmatched names leave empty rows at
// the end.
ExportDictionary CTL39404U(const std::vector<std::string>& names, const ExportDictionary& dictionary);
// CTL39404AB: the row of exactly that name, or {name, name, 12, H, C}.
DictionaryRow CTL39404AB(const std::string& name, const ExportDictionary& dictionary);
// CTL39404S: appends one empty element per row of the dictionary whose
// name begins with one of the group's prefixes, CR LF after each.
std::string CTL39404S(std::string text, const ExportDictionary& dictionary, const std::vector<std::string>& group);
// CTL39404X: the names of a dictionary.
std::vector<std::string> CTL39404X(const ExportDictionary& dictionary);

// A description of a field name built from its parts ("SUBFNAME"
// "Subscriber First Name").
std::string fieldDescription(const std::string& name);

}  // namespace zr
