// The request of a conversion or an export: type, source, destination,
// options and destination file (a sixth item exists that nothing uses).
#pragma once

#include <string>

namespace zr {

struct ParseSpec {
    std::string parseType;          // PARSETYPE, e.g. "X12,CSV"
    std::string sourceFile;         // SOURCEFILE
    std::string destinationFolder;  // DESTINATIONFOLDER
    std::string parseOptions;       // PARSEOPTIONS: comma-separated option words
    std::string destinationFile;    // DESTINATIONFILE
    std::string unused;
};

}  // namespace zr
