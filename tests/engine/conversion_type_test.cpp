#include <gtest/gtest.h>

#include "conversion_type.hpp"

namespace {

TEST(ConversionType, WordsAreComparedUpperCasedByPrefix) {
    struct Case {
        const char* word;
        std::optional<zr::ConversionType> type;
    };
    const Case cases[] = {
        {"x12,csv", zr::ConversionType::X12ToCsv},
        {"X12,CSVX", zr::ConversionType::X12ToCsv},
        {"Csv,X12", zr::ConversionType::CsvToX12},
        {"XML,HL7", zr::ConversionType::XmlToHl7},
        {"X12", std::nullopt},
        {" X12,CSV", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(zr::conversionTypeOf(c.word), c.type) << c.word;
}

// Every type finds its own row, and the row's word names that type.
TEST(ConversionType, EachRowNamesItsType) {
    for (const zr::ConversionTypeInfo& t : zr::conversionTypes()) {
        EXPECT_EQ(zr::infoOf(t.type).word, std::string(t.word));
        EXPECT_EQ(zr::conversionTypeOf(t.word), t.type);
    }
}

TEST(ConversionType, OutputExtensionIsTheSecondWordLowerCased) {
    EXPECT_EQ(zr::outputExtension("X12,CSV"), "csv");
    EXPECT_EQ(zr::outputExtension("CSV,HL7,more"), "hl7");
    EXPECT_EQ(zr::outputExtension("X12,"), "");
}

}  // namespace
