// New X12 text from a loaded 835: a remittance interchange of its claims
// (all, one, or those a filter keeps) and the copy of one claim's rows
// with recounted set trailers.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "claim_index.hpp"
#include "parse_spec.hpp"
#include "segment_table.hpp"

namespace zr {

// The converter settings' keys by number ("ISA06=" is 1 ... "ST2=" 8);
// "" for a key "zr.ini" does not have.
using ConverterSettings = std::function<std::string(int key)>;

// The envelope of a built interchange.
struct RemittanceEnvelope {
    std::string sender;         // ISA06, 15 characters
    std::string receiver;       // ISA08, 15 characters
    std::string controlNumber;  // ISA13, 9 characters
    std::string usage;          // ISA15
    std::string applicationSender, applicationReceiver;  // GS02, GS03
    std::string groupControl;   // GS06
    std::string setControl;     // ST02
};
// The settings' values, the loaded file's where a key is absent, else the
// defaults.
RemittanceEnvelope envelopeValues(const SegmentTable& table, const ConverterSettings& settings);

// When the text is built: YYMMDD, CCYYMMDD and HHMM.
struct BuildTime {
    std::string yymmdd, ccyymmdd, hhmm;
};
BuildTime currentBuildTime();

// The option words of a request's option item that the 835 writers read.
struct RemittanceOptions {
    bool serviceLines = false;      // "SL"
    bool individualClaims = false;  // "IC"
    bool overwrite = false;         // "OW"
    std::string filterField, filterValue;  // "FILTER=" field, then the value
    std::string mapName;                   // "MAP="
};
RemittanceOptions remittanceOptions(const std::string& optionItem);

// CTL394CONVD: the 835 interchange of claim k, or of every claim of
// 1..claimCount that the request's filter keeps when k is 0.
std::string CTL394CONVD(const ClaimIndex& index, const SegmentTable& table, std::size_t claimCount, std::size_t k,
                        const ParseSpec& request, const ConverterSettings& settings = {},
                        const BuildTime& time = currentBuildTime());

// CTL394CONVF: the rows of claim k (every row for 0), the rows of no claim
// and the ISA, GS and IEA rows, in order, each SE recounted and followed by
// its GE (the table's GE rows are not copied: one trailer per group).
std::string CTL394CONVF(const SegmentTable& table, std::size_t k);

}  // namespace zr
