// The map generator's dialogs and the generator itself as the mapping tool
// runs it: transaction, naming scheme, count, other industry, industry type
// and Save Map.
#pragma once

#include <string>
#include <utility>

#include "default_maps.hpp"

namespace zr {

// CTL48600B: the map generator; answers the saved map's name.
std::string CTL48600B(const std::string& flag, const std::string& currentName, const std::string& kind);

// CTL48600C: "Generate X12N Configuration": transaction 1..12, 0 for "Exit".
int CTL48600C();

// CTL48600D: a count asked in a dialog titled with the question; answers
// the field's text.
std::string CTL48600D(const std::string& question, const std::string& defaultCount);

// CTL48600E: "Select x12 Version Mapping Option": scheme 1..3, 0 for none.
int CTL48600E();

// CTLD48600H: "Save Map": "Continue" writes the text under the edited name;
// answers that name, trimmed, however the dialog ends.
std::string CTLD48600H(const std::string& name, const std::string& text);

// CTL48600U: "Generate " + kind + " Map": (1, map name) from the "832
// Price/Sales Catalog" button (kind "X12M" only), (0, "") otherwise.
std::pair<int, std::string> CTL48600U(const std::string& flag, const std::string& kind);

// The dialogs the default-map creator's other-industry map asks through
// (CTLD48600R with kind "X12M").
OtherIndustryDialogs otherIndustryDialogs();

// CTL48600T: "Set Industry Type": the chosen group's four-letter code, ""
// when the dialog is closed otherwise. No menu offers it.
std::string CTL48600T();

}  // namespace zr
