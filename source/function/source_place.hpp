// Where a routine was called from, for reports that name their caller.
#pragma once

namespace wl {

// The compilers' own builtins fill it in; std::source_location is not
// available to every compiler the fuzzers use.
struct SourcePlace {
    const char* function = "";
    unsigned line = 0;
    const char* file = "";
    static SourcePlace current(const char* function = __builtin_FUNCTION(), unsigned line = __builtin_LINE(),
                               const char* file = __builtin_FILE()) {
        return {function, line, file};
    }
};

}  // namespace wl
