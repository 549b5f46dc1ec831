#include "code_list_text.hpp"

namespace zr {

// The dictionary's code lists are not part of the program yet: every code
// reads "" until they are.
std::string codeListText(int /*transaction*/, int /*segment*/, int /*element*/, int /*component*/,
                         std::string_view /*code*/) {
    return "";
}

}  // namespace zr
