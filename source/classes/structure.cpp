#include "structure.hpp"

namespace wl {

TStruct* THISSTRUCT(TStruct* o) {
    static TStruct* current = nullptr;
    if (o) current = o;
    return current;
}

}  // namespace wl
