// The full 837 viewer without its window: it settles and loads an 837 file
// by itself, lists one row per subscriber loop (claim id, subscriber's last
// name and amount) and, under it, the claims listing by subscriber order.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "check_table.hpp"
#include "claim_getters.hpp"
#include "claim_index.hpp"
#include "segment_table.hpp"

namespace zr {

// An 837 file as the full viewer loads it.
struct FullViewerFile {
    std::string fileName;
    X12Delimiters delimiters;
    SegmentTable table;
    ClaimIndex claims;
    std::vector<std::string> loops;  // the 837 loop ids
    CheckTable checks{};
};

// The file the viewer shows: `fileName` when it exists, else the one chosen
// in "Select X12 File" (the [X12VIEWER] mask of "zr.ini" in `iniFolder`,
// starting in `startFolder`); "" when none is chosen or it does not exist.
std::string fullViewerFileName(const std::string& fileName, const std::string& startFolder,
                               const std::string& iniFolder = "");

// Reads the delimiters and loads the file with its claim index, loop list
// and check table; none when it holds no segment.
std::optional<FullViewerFile> loadFullViewerFile(const std::string& fileName, const std::string& iniFolder = "");

// CTL39411AA: the number of claims (HL segments whose HL03 is "22").
std::size_t CTL39411AA(const SegmentTable& table);
// CTL39411AB: row k of the claim list: CLM01, a blank, the subscriber's last
// name, a blank and CLM02 (the claim's last CLM gives both amounts).
std::string CTL39411AB(const SegmentTable& table, const ClaimIndex& claims, std::size_t k);
// The claim list: a row per claim, {"No Claims Detected"} without claims.
std::vector<std::string> fullViewerClaimRows(const SegmentTable& table, const ClaimIndex& claims);

// CTL39406A: with order code "ALL" the default listing row of every
// subscriber loop, otherwise the rows of the loops whose SUBORDERCODE begins
// with the code ({""} when none has it).
std::vector<std::string> CTL39406A(const ClaimFields& fields, const std::string& orderCode);

}  // namespace zr
