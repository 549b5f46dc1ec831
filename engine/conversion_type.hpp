// The conversion types of a request ("X12,CSV" ...), listed once: the
// command line, the driver and the engine all read this table.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zr {

enum class ConversionType { XmlToX12, CsvToX12, X12ToCsv, X12ToXml, XmlToHl7, CsvToHl7, Hl7ToCsv, Hl7ToXml };

// Which half of the engine converts: X12 in, X12 out, or none (the HL7
// sources have no converter).
enum class Direction { FromX12, ToX12, None };

struct ConversionTypeInfo {
    ConversionType type;
    const char* word;     // as the request names it
    const char* logLine;  // the driver's line for it
    Direction direction;
    bool xml;    // the records side (source or output) is XML
    bool batch;  // as the first command-line word it starts an unattended run
};

// Every type, in the order a request's word is compared with them.
std::span<const ConversionTypeInfo> conversionTypes();

// The type the word names: upper-cased, it begins with the type's word
// (the first in table order); nothing when it names none.
std::optional<ConversionType> conversionTypeOf(std::string_view word);

const ConversionTypeInfo& infoOf(ConversionType type);

// The output extension of a type word: its fifth to seventh characters,
// lower-cased ("X12,CSV" gives "csv").
std::string outputExtension(std::string_view word);

}  // namespace zr
