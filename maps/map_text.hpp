// The built-in map text of every transaction: the map file (".cfg") that the
// default-map creator writes and that the mapping tool's generator builds
// from the user's answers. Transaction indexes and naming schemes are those
// of the map name table (map_names.hpp).
#pragma once

#include <string>

namespace zr {

// The generator's answers. The defaults are the answers that give the
// default maps.
struct MapAnswers {
    int serviceLines = 10;              // line groups 1..n
    std::string serviceLineInclude;     // 271: text after each line's fields, "&" = line number
    bool billingProvider = true;        // 837I: billing provider id and name
    bool billingProviderAtBatch = true; // 837I: also its address (and the pay-to address)
    bool subscriber = true;             // 837I, 835, 837P, 837D: subscriber and payer
    bool patient = true;                // 837I, 835, 837P, 837D
    bool coverage = true;               // 837I, 837P, 837D: flags and primary..tertiary
    bool serviceProvider = true;        // 837I, 835, 837P, 837D: rendering provider
    bool providerAdjustments = true;    // 835: PLB fields
    int providerAdjustmentSegments = 1; // 835: PLB segments provided for
    // 837I: HI segments provided for, per code list
    int otherDiagnosisSegments = 1;
    int otherProcedureSegments = 1;
    int occurrenceSpanSegments = 1;
    int occurrenceCodeSegments = 1;
    int valueCodeSegments = 1;
    int conditionCodeSegments = 1;
    int treatmentCodeSegments = 1;
    int admittingDiagnosisSegments = 1;  // 5010 only
    int visitReasonSegments = 1;         // 5010 only
    int messageSegments = 1;             // 271: MSG segments provided for
};

// The map text of transaction 1..12 under naming scheme 1 (4010), 2 (5010)
// or 3 (transaction based: no "VERSION=" line, rows that read either
// version). Lines end with CR LF; "" outside the table.
std::string builtInMapText(int index, int scheme, const MapAnswers& answers = {});

// The generator's comment block in front of the text: header lines 1 to 6
// and the transaction's title line with its line of stars (none for the 278
// response). `fileName` is the suggested name; date and time as the program
// writes them (MM/DD/YY, HH:MM:SS).
std::string mapGeneratorHeader(int index, int scheme, const std::string& fileName, const std::string& date,
                               const std::string& time);

// CTL48600AB: the text with every "&" replaced by the number (a service-line
// include file's text for line `number`).
std::string CTL48600AB(int number, const std::string& text);

// The 832 Price/Sales Catalog map of the supply-chain group: its fixed body
// (lines ended by CR LF, no "SEGMENT=" lines).
std::string priceCatalogMapBody();

// Who puts the comment block in front of the 832 body: the mapping tool's
// generator, or the default-map creator, whose block differs a little.
enum class CatalogHeaderFor { Generator, DefaultCreator };

// The 832 map's comment block for the map name; date and time as the
// program writes them.
std::string priceCatalogMapHeader(CatalogHeaderFor writer, const std::string& mapName, const std::string& date,
                                  const std::string& time);

}  // namespace zr
