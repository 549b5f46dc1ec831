// "Parser Mapping Tool" CTLD48600: the folder's maps, a map's rows with the
// description of the field row under the cursor, Notepad on a map, and the
// map generator.
#pragma once

#include <functional>
#include <string>

namespace zr {

// What the tool starts besides itself; empty members take the program's
// own ways (Notepad through WinExec, the generator CTL48600B).
struct MappingToolHooks {
    std::function<void(const std::string& command)> start;
    std::function<std::string(const std::string& flag, const std::string& current, const std::string& kind)> generate;
};

// The kind is "X12N" whatever the caller passes.
void CTLD48600(const std::string& flag, const std::string& kind, const MappingToolHooks& hooks = {});

}  // namespace zr
