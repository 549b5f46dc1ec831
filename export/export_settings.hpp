// The export's settings: the switches and counts read from the whole text
// of "zr.ini" (sections do not matter) and the CSV separator of
// "separate.dat".
#pragma once

#include <string>

namespace zr {

// The 16-letter switch string, every position "A" (off) or "B" (set):
// 1 "LOOP1000A=OFF", 2 "LOOP1000B=OFF", 3 "LOOP2010AABATCH=OFF",
// 4 "LOOP2010ABBATCH=OFF", 5 "LOOP2010AACLAIM=ON", 6 "LOOP2010ABCLAIM=ON",
// 7 "LOOP2000=OFF", 8 "LOOP2300=OFF", 9 "LOOP2400=OFF", 10 "NAMEMERGE=ON",
// 11 "XML=DROPEMPTYFIELDS", 12 "DEBUG=ON".
// CTL39404Q: the switches of the text set in the given string (none is
// turned back to "A").
std::string CTL39404Q(const std::string& iniText, std::string switches);
// The presets before "zr.ini" is read: positions 5 and 6 for a file of
// exactly one billing provider, 1 to 4 otherwise.
std::string exportSwitchPresets(std::size_t billingProviders);

// CTL39404R: count 1 "servicelinecount=" ... 10 "maxfieldcount=" as text
// of its number, 11 "xmlencoding=" as written; `fallback` when no line
// begins (in lower case) with the key.
std::string CTL39404R(const std::string& iniText, int count, const std::string& fallback);

// The settings of one export, read once.
struct ExportSettings {
    std::string switches = std::string(16, 'A');
    long long serviceLineCount = 0, otherDiagnosisCount = 12, otherProcedureCount = 12, occurrenceSpanCount = 12,
              occurrenceCodeCount = 12, valueCodeCount = 10, conditionCodeCount = 12, treatmentCodeCount = 12,
              dbfFieldCount = 255, maxFieldCount = 999999;
    std::string xmlEncoding = "ISO-8859-1";

    bool switchSet(int position) const { return switches[position - 1] == 'B'; }
};
// Reads "zr.ini" of the folder over the presets.
ExportSettings readExportSettings(const std::string& folder, std::size_t billingProviders);

// The CSV separator: "," unless "separate.dat" exists in the folder, whose
// text then is the separator, without the line breaks an editor leaves
// after it (a file of nothing but line breaks keeps ",").
std::string exportSeparator(const std::string& folder);

}  // namespace zr
