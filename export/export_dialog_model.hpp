// The export dialog without its window: the export field list the user
// composes from the set's dictionary, the header flag, the field listings
// of "Print Field Select", and the batch export of output mode 109.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "check_table.hpp"
#include "claim_index.hpp"
#include "export_dictionaries.hpp"
#include "export_engine.hpp"
#include "export_logs.hpp"
#include "export_prompts.hpp"
#include "parse_spec.hpp"
#include "segment_table.hpp"

namespace zr {

// Everything CTLD39404 is given (the four "zr.ini" field lists travel with
// the screens' call and are not needed here).
struct ExportDialogCall {
    std::string modelCode;
    int kind = 1;  // 1 CSV/XML export, 2 "Print Field Select"
    std::string fileName;
    std::string folder;
    const SegmentTable* table = nullptr;
    std::string component = ">", element = "*", terminator = "~";
    std::vector<std::string> loopIds;
    CheckTable checks{};
    OutputMode outputMode = OutputMode::Screen;
    std::string st01;
    const ClaimIndex* index = nullptr;
    int claimColumnMode = 3;
    ParseSpec spec;
    int passedOn = 0;
    // Where "zr.ini", the map files and the logs live ("" the current folder).
    std::string workFolder;
};

// Step 1: the claims of the loaded file: the HL*22 rows, else the CLP rows,
// else the 277 claims. None opens no dialog.
std::size_t exportClaimCount(const SegmentTable& table);

// The dialog's title: "Export Data to CSV" ... for the letters, "Print
// Field Select" for kind 2.
std::string exportDialogTitle(int kind, ExportLetter letter);

// CTL39404B: the description of the dictionary row of exactly that name,
// else the name itself.
std::string CTL39404B(const std::string& name, const ExportDictionary& dictionary);
// CTL39404D: the list with the name appended; the list's single empty
// entry is replaced.
std::vector<std::string> CTL39404D(std::vector<std::string> fields, const std::string& name);
// CTL39404E: the list without entry n (1-based), closed up; at least one
// empty entry remains.
std::vector<std::string> CTL39404E(std::vector<std::string> fields, std::size_t n);
// CTL39404F: the row after `current` of `count`, or `current` on the last.
std::size_t CTL39404F(std::size_t current, std::size_t count);
// CTL39404M: the header flag switched ("HO" <-> "").
std::string CTL39404M(const std::string& flag);
// CTL39404N: the header flag's label.
std::string CTL39404N(const std::string& flag);
// CTL39404I: the descriptions of the names joined with two blanks.
std::string CTL39404I(const std::vector<std::string>& names, const ExportDictionary& dictionary);

// What the dialog holds while it is open.
struct ExportDialogModel {
    ExportDictionary dictionary;
    std::vector<std::string> fields{""};
    std::size_t dictionaryRow = 1;  // the "Available Fields" current row
    std::size_t fieldRow = 1;       // the "Export Fields" current row
    std::string headerFlag;         // starts off

    // "Add": appends the current dictionary row's name and moves down.
    void add();
    // "Remove": removes the current export field.
    void remove();
    void switchHeader() { headerFlag = CTL39404M(headerFlag); }
    // The lines of both lists.
    std::vector<std::string> availableLines() const;
    std::vector<std::string> fieldLines() const;
};

// The listings of "Print Field Select" (sub-modes 1 "Fields", 2 "Totals",
// 3 "Listing").
struct FieldListing {
    std::string title;
    std::string text;  // lines ended by CR LF
};

// The values a listing reads: field name, claim and service line (0 the
// claim itself) to text. The set's claim count beside it.
struct ListingSource {
    std::size_t claims = 0;
    std::function<std::size_t(std::size_t claim)> serviceLines;
    std::function<std::string(std::size_t claim, const std::string& name, std::size_t line)> value;
    std::function<bool(const std::string& name)> isServiceLineField;
};

// The 835's listing source: the claim, transaction and service-line getters.
ListingSource remittanceListingSource(const SegmentTable& table, const ClaimIndex& index, int claimColumnMode);

// CTL39404H: the listing of sub-mode 1, 2 or 3 for the selected fields; the
// listings of any set but the 835 are empty.
FieldListing CTL39404H(int subMode, const std::string& st01, const ExportDictionary& dictionary,
                       const std::vector<std::string>& fields, const ListingSource& source);

// The dictionary the dialog offers under "Available Fields": the set's
// whole dictionary, so every field the export can write can be picked.
ExportDictionary exportDialogDictionary(const ExportDialogCall& call, const ExportPrompts& prompts = {});

// The request "Begin" (sub-mode 1) or the batch mode (sub-mode 0) hands the
// engine.
ExportRequest exportRequestOf(const ExportDialogCall& call, ExportLetter letter, std::vector<std::string> fields,
                              const std::string& headerFlag, int subMode);

// Mode 109: the full dictionary, the letter of the request's type item,
// the field list of the map file, and the engine. False when the type item
// names no export.
bool exportBatch(const ExportDialogCall& call, const ExportPrompts& prompts = {}, const ExportClock& clock = {});

// "Begin": the run log opened, the engine run, the export log written.
void exportBegin(const ExportDialogCall& call, ExportLetter letter, const std::vector<std::string>& fields,
                 const std::string& headerFlag, const ExportPrompts& prompts = {}, const ExportClock& clock = {});

}  // namespace zr
