// The ISA/GS/ST envelope of the records-to-X12 direction and its closing
// SE/GE/IEA: values from an XML source's "BATCH", the map's defaults or
// fixed defaults, completed so that every envelope is valid X12.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "byte_input.hpp"
#include "map_file.hpp"
#include "segment_templates.hpp"

namespace zr {

// The values of the envelope (ISA03 ... ST03).
struct EnvelopeValues {
    std::string isa03, isa04, isa05, isa06, isa07, isa08, isa13, isa15;
    std::string gs01, gs02, gs03, gs06, gs08, st02, st03;
};

// The segment terminator, with CR LF under "CR".
std::string segmentEnd(const X12Output& out);

// CTL48400E: the ISA, GS and ST segments; blank values are completed from
// the map's envelope defaults, then from fixed defaults. `date` is CCYYMMDD
// and `time` HHMM.
std::string CTL48400E(const std::string& transactionType, const std::string& version, const X12Output& out,
                      const std::string& mapPath, const EnvelopeValues& values, const std::string& date,
                      const std::string& time);
// The values completed as CTL48400E completes them, from a map text read
// once (ISA values cut or filled to their widths). `usage` is the ISA15 the
// records carry, taken after the map's default and before "T".
EnvelopeValues completeEnvelope(EnvelopeValues values, std::string_view mapText, std::string_view usage = {});
// The usage indicator (ISA15: "P", "T" or "I") the first record holds as
// "PRODTEST" or "ISA15"; "" when it holds none or another value.
std::string recordUsage(const std::vector<FieldRow>& first, const FieldNameIndex& names);
std::string envelopeHeader(const std::string& transactionType, const std::string& version, const X12Output& out,
                           const EnvelopeValues& completed, const std::string& date, const std::string& time);
// The ISA and GS segments alone, and one ST (an output holds a set per
// run of records that share their header values).
std::string interchangeHeader(const std::string& version, const X12Output& out, const EnvelopeValues& completed,
                              const std::string& date, const std::string& time);
std::string setHeader(const std::string& transactionType, const X12Output& out, const std::string& st02,
                      const std::string& st03);
// CTL48400F: the SE, GE and IEA segments.
std::string CTL48400F(const X12Output& out, std::size_t segmentCount, const EnvelopeValues& values);

// The envelope values of an XML source that holds a "BATCH" element;
// nothing when it holds none. The input is read to its end at most.
std::optional<EnvelopeValues> xmlEnvelope(ByteInput& in);
std::optional<EnvelopeValues> xmlEnvelope(const std::string& xml);

// Completes what the map and the source left blank: sender and receiver
// (from the first record when the map collects them), control numbers,
// GS01, GS08 and ST03.
EnvelopeValues completeForOutput(EnvelopeValues v, const MapFile& map, const std::vector<FieldRow>& first,
                                 const FieldNameIndex& names);
// ST02 of set k (1-based).
std::string setControlNumber(const std::string& given, std::size_t k);
// The first envelope value holding a delimiter, by its tag; "" when none.
std::string envelopeWithDelimiter(const EnvelopeValues& v, const X12Output& out);

}  // namespace zr
