#include "check_table.hpp"

#include "ini_lines.hpp"
#include "text.hpp"

namespace zr {

CheckTable CTL39400T(const std::string& folder) {
    CheckTable table;
    std::size_t used = 0;
    // Only "COMMAND=0" ends this section: without it, the key lines of the
    // sections that follow are read as pairs too.
    IniSectionWalker walker({{"[X12CHECKTABLE]", 1, SectionEnd::CommandZeroOnly}});
    walkZrIni(folder, [&](const std::string& line) {
        if (!walker.keyLine(line) || used == table.size()) return;
        std::size_t eq = line.find('=');
        if (eq == std::string::npos) return;
        std::string name = line.substr(0, eq);
        std::string value;
        for (char c : line.substr(eq + 1))
            if (c != '=') value += c;
        if (wl::alltrim(name).empty() || wl::alltrim(value).empty()) return;
        table[used++] = {name, value};
    });
    return table;
}

}  // namespace zr
