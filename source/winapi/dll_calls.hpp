// Dynamic-link libraries and calls into them by descriptor. The descriptor
// (see call_descriptor.hpp) names the procedure's address and the types of
// its arguments and result; WLCALLDLL reads the caller's values by those
// types and calls the procedure.
#pragma once

#include <windows.h>

#include <string>
#include <type_traits>
#include <vector>

#include "name_or_id.hpp"
#include "value.hpp"

namespace wl {

HMODULE LOADLIBRARY(const std::string& file);
BOOL FREELIBRARY(HMODULE hModule);
FARPROC GETPROCADDRESS(HMODULE hModule, const std::string& name);

// The call descriptor of the procedure (by name, or by ordinal for a
// number); built with address 0 when the lookup fails.
std::string GETPROCADD(HMODULE hModule, const NameOrId& name, bool lPascal, int nResultType,
                       const std::vector<int>& argTypes);

// One argument of WLCALLDLL: a value, or a variable of the caller passed by
// reference. A by-reference argument of type 7, 10 or 12 is passed as the
// address of a number and receives what the procedure wrote there; a
// by-reference text receives the text buffer as the procedure left it.
struct DllArg {
    Value value;
    Value* ref = nullptr;

    template <class T>
        requires std::is_constructible_v<Value, T>
    DllArg(T&& x) : value(std::forward<T>(x)) {}
    static DllArg byRef(Value& variable) {
        DllArg a(variable);
        a.ref = &variable;
        return a;
    }
};

// Calls the procedure; nothing for a descriptor of address 0. More than 10
// arguments call nothing, show "WLCallDll(), no support for more than 10
// parameters" and answer 0.
Value WLCALLDLL(const std::string& descriptor, const std::vector<DllArg>& args = {});

}  // namespace wl
