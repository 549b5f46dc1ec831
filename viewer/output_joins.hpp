// Joining what the viewer's passes write. A request over a file of several
// interchanges or sets has each pass's screen write its own file, named by
// the request's item 5 with the pass's suffix ("_ISA2", "_ST3"); the files
// are joined into the one item 5 names, and each is erased once joined.
#pragma once

#include <cstddef>
#include <string>

#include "parse_spec.hpp"

namespace zr {

// The outputs a request joins, by its type (item 1): XML, CSV and DBF
// exports and ".835" files; any other type (ODBC writes to its data
// source) joins nothing.
enum class JoinKind { None, Xml, Csv, Dbf, Remittance835 };
JoinKind joinKindOf(const std::string& parseType);

// The request a pass's screen receives: item 5 with the pass's suffix.
ParseSpec passRequest(const ParseSpec& request, const std::string& suffix);

// Where a file named by item 5 and `suffix` stands: in the folder of item 3
// when it names one, the type as extension, "a_" before a DBF name that
// begins with a digit.
std::string joinFilePath(const ParseSpec& request, JoinKind kind, const std::string& suffix = "");

// The final file of one viewer call, joined pass by pass.
class OutputJoiner {
public:
    // `mergeOff`: MERGEST=OFF in "zr.ini" leaves the set passes' XML and
    // CSV files as they are.
    OutputJoiner(const ParseSpec& request, bool mergeOff);

    bool joins() const { return kind_ != JoinKind::None; }
    // The suffix of a pass's file; "" when nothing is joined.
    std::string interchangeSuffix(std::size_t n) const { return joins() ? "_ISA" + std::to_string(n) : ""; }
    std::string setSuffix(std::size_t n) const { return joins() ? "_ST" + std::to_string(n) : ""; }

    // Interchange pass n has ended: its XML or CSV file (every pass after
    // the first without the CSV header line) or ".835" file is joined.
    void interchangePassDone(std::size_t n);
    // Set pass n over a table holding `setsAtHand` sets has ended: its XML,
    // CSV or DBF file is joined when the table holds more than one set, its
    // ".835" file always.
    void setPassDone(std::size_t n, std::size_t setsAtHand);

private:
    void joinText(const std::string& passFile, bool dropHeaderLine);
    void joinDbf(const std::string& passFile);
    void join835(const std::string& passFile);
    bool writeFinal(const std::string& text);

    ParseSpec request_;
    JoinKind kind_;
    bool mergeOff_;
    std::string final_;
    std::string body_;         // XML: the passes' bodies; CSV: the passes' lines
    std::size_t csvJoined_ = 0;  // CSV passes joined so far
};

}  // namespace zr
