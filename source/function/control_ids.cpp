#include "control_ids.hpp"

namespace wl {

int nextControlId(int last) { return last < 30000 ? last + 1 : 100; }

}  // namespace wl
