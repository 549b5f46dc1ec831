#include "map_names.hpp"

#include <array>

namespace zr {

namespace {
const std::array<std::array<std::string, 3>, kMapTransactions> kNames = {{
    {"004010X096A1.cfg", "005010X223A2.cfg", "837I.cfg"},
    {"004010X091A1.cfg", "005010X221.cfg", "835.cfg"},
    {"004010X093A1A.cfg", "005010X212A.cfg", "276.cfg"},
    {"004010X093A1B.cfg", "005010X212B.cfg", "277.cfg"},
    {"004010X092A1A.cfg", "005010X279A.cfg", "270.cfg"},
    {"004010X092A1B.cfg", "005010X279B.cfg", "271.cfg"},
    {"004010X094A1A.cfg", "005010X217A.cfg", "278a.cfg"},
    {"004010X094A1B.cfg", "005010X217B.cfg", "278b.cfg"},
    {"004010X095A1.cfg", "005010X220.cfg", "834.cfg"},
    {"004010X098A1.cfg", "005010X222A2.cfg", "837p.cfg"},
    {"004010X097A1.cfg", "005010X224A2.cfg", "837d.cfg"},
    {"004010X061A1.cfg", "005010X218.cfg", "820.cfg"},
}};
const std::array<std::string, 3> kCaptions = {"Version Secific 4010", "Version Specific 5010",
                                              "Transaction Based"};
const std::string kNone;
}  // namespace

const std::string& mapName(int index, int scheme) {
    if (index < 1 || index > kMapTransactions || scheme < 1 || scheme > 3) return kNone;
    return kNames[index - 1][scheme - 1];
}

const std::string& mapSchemeCaption(int scheme) {
    return scheme >= 1 && scheme <= 3 ? kCaptions[scheme - 1] : kNone;
}

}  // namespace zr
