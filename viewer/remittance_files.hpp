// The 835 file writers of the listing screen (modes 112 and 113): the whole
// set as one ".835" file, or with "IC" one file per claim, with the run's
// course in "temp.log".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "application.hpp"
#include "claim_index.hpp"
#include "parse_spec.hpp"
#include "segment_table.hpp"
#include "x12_generation.hpp"

namespace zr {

struct RemittanceFilesResult {
    std::string text;                 // the 835 text written (all claims' texts)
    std::string log;                  // what "temp.log" receives
    std::vector<std::string> files;   // the files written, in order
    std::vector<std::string> errors;  // what went wrong, for the user
};

// A per-claim file name from CLP01, cleaned as every claim file name is
// (cleanedClaimFileName); "Claim" + k when nothing is left. Without ".835".
std::string remittanceClaimFileName(const std::string& controlNumber, std::size_t k);

// Writes the 835 files of the request and replaces "temp.log" in the
// current folder with the run's log. The whole set's run raises the
// process's 835 flag in `app`, and lowers it when it refuses to overwrite.
RemittanceFilesResult writeRemittanceFiles(const ClaimIndex& index, const SegmentTable& table,
                                           const ParseSpec& request, const std::string& currentFolder,
                                           const ConverterSettings& settings = {},
                                           Application& app = application());

// CTL39407AP "Create 835": asks for a file name ("remittance.835" in the
// current folder offered), asks before replacing an existing file (No the
// default), then writes the rebuilt text of claim k, copied from the loaded
// file `sourceFile`. The clp count is the caller's and not needed by the
// rebuild. False when nothing was written.
bool CTL39407AP(const ClaimIndex& index, const SegmentTable& table, std::size_t clpCount, std::size_t k,
                const std::string& currentFolder, const std::string& sourceFile = "");

}  // namespace zr
