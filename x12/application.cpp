#include "application.hpp"

namespace zr {

Application& application() { return wl::processState().application.get<Application>(); }

}  // namespace zr
