// The program's command-line words: a conversion type (or a working
// folder), a source, a destination and the option words.
#pragma once

#include <string>
#include <vector>

namespace zr {

struct CommandLine {
    std::string type;         // word 1 ("" when missing)
    std::string source;       // word 2 (255 blanks when missing)
    std::string destination;  // word 3 (255 blanks when missing)
    std::string options;      // word 4 ("" when missing)
    std::string workingFolder;
    bool batch = false;       // word 1 starts an unattended conversion
};

// True when the first word starts an unattended conversion: upper-cased,
// it begins with "X12,CSV", "X12,XML", "CSV,X12" or "XML,X12".
bool isBatchType(const std::string& word);

// Settles the words as start-up does: a first word naming an existing
// folder, with no second word, becomes the working folder.
CommandLine settleCommandLine(const std::vector<std::string>& words, const std::string& currentFolder);

}  // namespace zr
