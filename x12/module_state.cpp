#include "module_state.hpp"

namespace zr {

ModuleState& moduleState() {
    static ModuleState state;
    return state;
}

}  // namespace zr
