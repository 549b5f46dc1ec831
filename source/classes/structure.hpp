// TStruct: a byte record for Windows calls, declared member by member (see
// StructBuffer for the layout and conversions).
#pragma once

#include "struct_buffer.hpp"

namespace wl {

class TStruct : public StructBuffer {
public:
    TStruct() : StructBuffer(sizeof(void*), "TSTRUCT") {}
    // The record's bytes for a Windows call that reads or fills it.
    void* lpStruct() { return data(); }
};

// The structure being declared: given one, it becomes the current one;
// answers the current one (none at first).
TStruct* THISSTRUCT(TStruct* o = nullptr);

}  // namespace wl
