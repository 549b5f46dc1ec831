// The Information dialog ZRINFO: the program's title words, model and
// versions, and its folders, closed by "Continue".
#pragma once

#include <string>

namespace zr {

void ZRINFO(const std::string& modelCode, const std::string& currentFolder, const std::string& workingFolder,
            const std::string& x12Folder = "");

}  // namespace zr
