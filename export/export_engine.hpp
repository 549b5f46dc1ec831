// The export engine: the claims of a loaded 837, 835, 277 or 271 written as
// a CSV file, an XML file, a dBASE table or the rows of an ODBC table, one
// record per claim (per service line for an 835 exported with "SL"), with
// the fields of an export field list. The export dialog and the batch mode
// (output mode 109) both start it; the questions it asks go through the
// caller's prompts, so no box waits in a test.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "application.hpp"
#include "check_table.hpp"
#include "claim_index.hpp"
#include "export_logs.hpp"
#include "export_prompts.hpp"
#include "output_mode.hpp"
#include "parse_spec.hpp"
#include "remittance_filter.hpp"
#include "segment_table.hpp"

namespace zr {

// "A" CSV, "B" XML, "C" dBASE, "D" ODBC, "E" 835, "F" YWX.
enum class ExportLetter : char { Csv = 'A', Xml = 'B', Dbf = 'C', Odbc = 'D', Remittance = 'E', Ywx = 'F' };

// The letter of a batch request's type item ("CSV", "XML", "DBF", "ODBC",
// "835", "YWX"); false for any other (which exports nothing).
bool exportLetterOfType(const std::string& type, ExportLetter& letter);

// Everything CTL39404G is given.
struct ExportRequest {
    ExportLetter letter = ExportLetter::Csv;
    std::string sourceFile;  // the X12 file's name
    std::string folder;      // the folder the save dialog starts in
    const SegmentTable* table = nullptr;
    std::size_t rowCount = 0;
    std::string component = ">", element = "*", terminator = "~";
    std::vector<std::string> loopIds;
    CheckTable checks{};
    OutputMode outputMode = OutputMode::Screen;
    std::string st01;  // "837", "835", "277" or "271"
    // The screen's claim index and claim-column mode; the engine numbers
    // the claims within the file whatever they say, as its records run over
    // every set of the file.
    const ClaimIndex* index = nullptr;
    std::vector<std::string> fields;  // the export field list
    int claimColumnMode = 3;
    ParseSpec spec;
    std::string headerFlag;  // "HO" or ""
    int subMode = 0;         // the value passed on
    // Where "zr.ini", "separate.dat", the map files and the logs are read
    // and written: "" is the current folder.
    std::string workFolder;
    // The application whose state the options "MO" and "MAP=" set (the
    // process's own unless a caller hands another).
    Application* app = &application();
};

// CTL39404G: runs the export. Its effects are the output file or table and
// the logs; `clock` dates the logs (the system clock when empty).
void CTL39404G(const ExportRequest& request, const ExportPrompts& prompts = {}, const ExportClock& clock = {});

// CTL39404O: the first n rows of a table (all 13 columns) as a new table.
SegmentTable CTL39404O(const SegmentTable& table, std::size_t n);

// CTL39404P: the comma rule, every "," a blank.
std::string CTL39404P(std::string value);
// CTL39404T: the XML rule, each of & < > " * a blank.
std::string CTL39404T(std::string value);

// A value as one CSV cell with that separator: quoted as RFC 4180 does
// (the quotes doubled) when it holds the separator, a double quote, CR or
// LF; unchanged otherwise.
std::string csvCell(const std::string& value, const std::string& separator);
// The same cell added at the end of a line.
void appendCsvCell(std::string& line, const std::string& value, const std::string& separator);
// A value as XML character data: & < > " ' as entities.
std::string xmlText(const std::string& value);

}  // namespace zr
