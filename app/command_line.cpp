#include "command_line.hpp"

#include <optional>

#include "conversion_type.hpp"
#include "paths.hpp"

namespace zr {

bool isBatchType(const std::string& word) {
    const std::optional<ConversionType> type = conversionTypeOf(word);
    return type && infoOf(*type).batch;
}

CommandLine settleCommandLine(const std::vector<std::string>& words, const std::string& currentFolder) {
    auto word = [&](std::size_t i, const std::string& missing) { return i < words.size() ? words[i] : missing; };
    const std::string blanks(255, ' ');
    CommandLine c;
    c.type = word(0, "");
    c.source = word(1, blanks);
    c.destination = word(2, blanks);
    c.options = word(3, "");
    c.workingFolder = currentFolder;
    if (words.size() == 1 && wl::folderExists(c.type)) {
        c.workingFolder = c.type;
        c.type.clear();
    }
    c.batch = isBatchType(c.type);
    return c;
}

}  // namespace zr
