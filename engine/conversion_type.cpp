#include "conversion_type.hpp"

#include <array>

#include "text.hpp"

namespace zr {

namespace {

constexpr std::array<ConversionTypeInfo, 8> kTypes{{
    {ConversionType::XmlToX12, "XML,X12", "Parse XML to X12.", Direction::ToX12, true, true},
    {ConversionType::CsvToX12, "CSV,X12", "Parse CSV to X12.", Direction::ToX12, false, true},
    {ConversionType::X12ToCsv, "X12,CSV", "Parse X12 to CSV.", Direction::FromX12, false, true},
    {ConversionType::X12ToXml, "X12,XML", "Parse X12 to XML.", Direction::FromX12, true, true},
    {ConversionType::XmlToHl7, "XML,HL7", "Parse XML to HL7.", Direction::ToX12, true, false},
    {ConversionType::CsvToHl7, "CSV,HL7", "Parse CSV to HL7.", Direction::ToX12, false, false},
    {ConversionType::Hl7ToCsv, "HL7,CSV", "Parse HL7 to CSV.", Direction::None, false, false},
    {ConversionType::Hl7ToXml, "HL7,XML", "Parse HL7 to XML.", Direction::None, true, false},
}};

}  // namespace

std::span<const ConversionTypeInfo> conversionTypes() { return kTypes; }

std::optional<ConversionType> conversionTypeOf(std::string_view word) {
    const std::string up = wl::upper(word);
    for (const ConversionTypeInfo& t : kTypes)
        if (wl::prefixMatch(up, t.word)) return t.type;
    return std::nullopt;
}

const ConversionTypeInfo& infoOf(ConversionType type) {
    for (const ConversionTypeInfo& t : kTypes)
        if (t.type == type) return t;
    return kTypes.front();  // unreachable: every enumerator has its row
}

std::string outputExtension(std::string_view word) {
    return wl::lower(word.size() > 4 ? word.substr(4, 3) : std::string_view());
}

}  // namespace zr
