// The derived files the 837 claims screen writes when it is called with a
// file mode instead of opening: one ".837" per claim (110), ".276" claim
// status requests (111), an ".hl7" file (114). An 837 holds no remittance or
// acknowledgement data, so the ".835" (112, 113) and ".997" (99999) modes
// write nothing and say so.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "claim_getters.hpp"
#include "parse_spec.hpp"
#include "x12_generation.hpp"

namespace zr {

// The option words of the request's item 4 that the writers read.
struct ClaimFileOptions {
    bool individualClaims = false;  // "IC": one file per claim
    bool overwrite = false;         // "OW": existing files are replaced
    std::size_t claim = 0;          // "CLAIM=n": mode 113's claim (0: all)
};
ClaimFileOptions claimFileOptions(const std::string& optionItem);

// What a writer did.
struct ClaimFilesResult {
    std::string text;     // the text built for the last file (also when an existing file was kept)
    WrittenFiles files;
    std::string notice;   // why nothing was written, for a mode without a generator
};

// The meter's first line of a mode ("" for a mode that writes no file).
std::string claimFilesMeterText(int mode);

// Writes the files of mode 110, 111, 112, 113, 114 or 99999 for claims
// 1..claimCount. Destination: the request's item 3 when it is an existing
// folder, else `currentFolder`; a single file for all claims is named by
// item 3 when that is not a folder, else by the source file's base name.
ClaimFilesResult writeClaimFiles(int mode, const ClaimFields& fields, std::size_t claimCount,
                                 const ParseSpec& request, const std::string& currentFolder,
                                 const GeneratorContext& context);

}  // namespace zr
