#include "converter_settings.hpp"

#include <array>
#include <string_view>

#include "ini_lines.hpp"
#include "text.hpp"

namespace zr {

namespace {

constexpr std::array<std::string_view, kConverterSettingCount> kKeys{
    "ISA06=",          "ISA08=",          "ISA13=",          "ISA15=",          "GS2=",
    "GS3=",            "GS6=",            "ST2=",            "CONVERSIONTYPE=", "BPR07=",
    "BPR09=",          "BPR10=",          "BPR13=",          "BPR15=",          "TRN02=",
    "TRN03=",          "REF01=",          "REF02=",          "N102.1000A=",     "N103.1000A=",
    "N104.1000A=",     "N301.1000A=",     "N302.1000A=",     "N401.1000A=",     "N402.1000A=",
    "N403.1000A=",     "REF01.1000A=",    "REF02.1000A=",    "N102.1000B=",     "N103.1000B=",
    "N104.1000B=",     "N301.1000B=",     "N302.1000B=",     "N401.1000B=",     "N402.1000B=",
    "N403.1000B=",     "REF01.1000B=",    "REF02.1000B=",    "PER01.1000A=",    "PER02.1000A=",
    "PER03.1000A=",    "PER04.1000A=",    "PER05.1000A=",    "PER06.1000A=",    "PER07.1000A=",
    "PER08.1000A=",    "PER01.1000B=",    "PER02.1000B=",    "PER03.1000B=",    "PER04.1000B=",
    "PER05.1000B=",    "PER06.1000B=",    "PER07.1000B=",    "PER08.1000B=",    "SUBELEMENTDELIMITER=",
    "ELEMENTDELIMITER=", "SEGMENTDELIMITER=", "PER01.1.1000A=", "PER02.1.1000A=", "PER03.1.1000A=",
    "PER04.1.1000A=",  "PER05.1.1000A=",  "PER06.1.1000A=",  "PER07.1.1000A=",  "PER08.1.1000A=",
};

}  // namespace

std::string converterSettingKey(int number) {
    if (number < 1 || number > kConverterSettingCount) return "";
    return std::string(kKeys[static_cast<std::size_t>(number - 1)]);
}

std::string CTL39406L(int number, const std::string& folder) {
    const std::string wanted = converterSettingKey(number);
    if (wanted.empty()) return "";
    bool reading = false, found = false;
    std::string value;
    walkZrIni(folder, [&](const std::string& line) {
        if (found) return;
        if (wl::prefixMatch(line, "[X12]")) {
            reading = true;
            return;
        }
        if (isCommandZero(line)) {
            reading = false;
            return;
        }
        if (!reading) return;
        // The first key the line begins with decides whose line it is.
        for (std::string_view key : kKeys) {
            if (!wl::prefixMatch(line, key)) continue;
            if (key == wanted) {
                value = wl::ltrim(std::string_view(line).substr(key.size()));
                found = true;
            }
            return;
        }
    });
    return value;
}

}  // namespace zr
