// The map generator's portable half: the questions it asks, the map text it
// builds from the answers on the built-in map text, and saving the result.
// Its dialogs (transaction, naming scheme, counts, other industry, Save Map)
// are windows; they reach the generator as functions, so the questions can
// be answered by a script natively.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "map_text.hpp"

namespace zr {

// The date (the system's date format) and time ("HH:MM:SS") a generated map
// carries in its header.
struct MapClock {
    std::string date;
    std::string time;
};

// The clock now.
MapClock currentMapClock();

// The generator's dialogs.
struct GeneratorDialogs {
    std::function<int()> transaction;  // CTL48600C: 1..12, 0 none
    std::function<int()> scheme;       // CTL48600E: 1..3, 0 none
    // CTL48600D: the count asked with the question, starting at the default.
    std::function<std::string(const std::string& question, const std::string& defaultCount)> count;
    // CTL48600U: the other industry's choice and map name, (0, "") for none.
    std::function<std::pair<int, std::string>(const std::string& flag, const std::string& kind)> otherIndustry;
    // CTLD48600H: the Save Map dialog; answers the name.
    std::function<std::string(const std::string& name, const std::string& text)> saveMap;
};

// CTL48600B: asks the questions and saves the map through the Save Map
// dialog; answers its result. Kind "X12N" builds a health-care map, "X12M"
// the 832 map.
std::string generateMap(const std::string& flag, const std::string& currentName, const std::string& kind,
                        const GeneratorDialogs& dialogs, const MapClock& clock);

// A count as the count dialog answers it: its leading digits (blanks
// skipped), 0 when there are none.
int countAnswer(const std::string& text);

// The Save Map dialog's "Continue": writes the text under the trimmed name
// (asking before it replaces a file); an empty name writes nothing.
// Answers the trimmed name.
std::string saveMapContinue(const std::string& name, const std::string& text);

// The Save Map dialog's label for the name: "File Present " or
// "File Not Present ".
std::string saveMapPresence(const std::string& name);

// CTL48600U's answer for the "832 Price/Sales Catalog" button: the trimmed
// version, release and industry identifier + ".cfg".
std::string otherIndustryMapName(const std::string& version, const std::string& release,
                                 const std::string& industry);

}  // namespace zr
