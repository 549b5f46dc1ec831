// Which map a conversion loads: the user's, or one derived from the GS08
// version identifier of the source.
#pragma once

#include <array>
#include <string>

#include "map_names.hpp"
#include "run_log.hpp"

namespace zr {

// What the start of a source says about its first transaction set.
struct SourceIdentity {
    std::string gs08;   // "" when no GS within the first 1,001 bytes
    std::string st01;   // of the first ST, "" when none found
    std::string bht02;  // of the first BHT, "" when none found
    std::string st03;   // of the first ST (5010: the guide's version), "" when none
    std::string isa12;  // of the first ISA, "" when none found
    std::string lineId; // the first SV1, SV2 or SV3 (which 837 it is), "" when none
    std::string isa11;  // of the first ISA: a repetition separator from 00402 on, "U" before
    std::string hiQualifier;  // the first HI's first code qualifier ("ABK", "BK" ...), "" when none
};

// The version scheme (1: 4010, 2: 5010) the content shows when GS08 and
// ISA12 name none (de-identified files): the diagnosis code qualifiers of
// HI (ICD-10 "AB.."/"AP.."/"BB.." is 5010, ICD-9 "B." is 4010), else ISA11
// (a repetition separator is 5010, "U" 4010); 0 when nothing tells. `why`
// names the clue.
int inferredScheme(const SourceIdentity& id, std::string* why = nullptr);

// The version-based name (a scheme-1 or scheme-2 name less ".cfg") of the
// default map for the source's first set, taken from ST01 (with ST03, BHT02
// and the service lines telling transactions of one ST01 apart) and the
// version in GS08 or ISA12; "" when ST01 names no transaction of the table.
// For sources whose GS08 names no map (a de-identified or short GS08, or
// another guide of a known transaction).
std::string versionFromSet(const SourceIdentity& id);

// GS08 of the first GS within the first 1,001 bytes ("" when none). With
// `debug` the steps are traced into "tdebug.log".
std::string DetectVersion(const std::string& source, bool debug);
// GS08, ST01 and BHT02 of the first set (the whole file is searched for the
// ST and BHT, which may stand past the first 1,001 bytes).
SourceIdentity identifySource(const std::string& source);

// The scheme-3 name of the row whose scheme-1 or scheme-2 name is GS08 +
// ".cfg"; "" when none.
std::string NameForVersion(const std::string& gs08);

// The map path to load ("" or a missing path when there is none); appends
// its lines to the run log. `rpmnPrefix` receives name + "_" when a name
// was derived. With `debug` the detection writes "tdebug.log" and hands
// its text to `detectionTrace` as well.
std::string ChooseMap(const std::string& mapOption, const std::string& mapFolder,
                      const std::string& defaultMapFolder, const std::string& source, RunLog& log,
                      std::string* rpmnPrefix = nullptr, bool debug = false, std::string* detectionTrace = nullptr);

}  // namespace zr
