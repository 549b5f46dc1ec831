#include "module_state.hpp"

#include "application.hpp"

namespace zr {

ModuleState& moduleState() { return application().module; }

}  // namespace zr
