#include "structure.hpp"
#include "process_state.hpp"

namespace wl {

TStruct* THISSTRUCT(TStruct* o) {
    struct Current {
        TStruct* structure = nullptr;
    };
    TStruct*& current = processState().structures.get<Current>().structure;
    if (o) current = o;
    return current;
}

}  // namespace wl
