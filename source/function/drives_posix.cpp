// Systems without drive letters have no drives to list.
#include "file_names.hpp"

namespace wl {

std::vector<std::string> ADRIVES(int) { return {}; }

}  // namespace wl
