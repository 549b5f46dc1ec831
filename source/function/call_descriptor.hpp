// The call descriptor that GETPROCADD makes and WLCALLDLL reads: a text of
// bytes 1-4 the procedure's address (little-endian), byte 5 the
// calling-convention flag, byte 6 the result type, byte 7 the number of
// arguments n, bytes 8 to 7 + n the argument types, then two bytes of no
// meaning. An address wider than 32 bits (64-bit builds) keeps its low half
// in bytes 1-4 and its high half in four bytes after the argument types, so
// the type bytes stay where they always were.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wl {

struct CallDescriptor {
    std::uint64_t address = 0;  // 0: the procedure was not found
    bool pascalFlag = false;        // kept, not used: the caller restores its own stack
    std::uint8_t resultType = 0;
    std::vector<std::uint8_t> argTypes;
};

// The descriptor's bytes for addresses of `addressBytes` bytes (4 or 8).
std::string callDescriptorText(const CallDescriptor& d, std::size_t addressBytes = sizeof(void*));
// Reads a descriptor text; nothing when it is too short for what it declares.
std::optional<CallDescriptor> parseCallDescriptor(std::string_view text,
                                                  std::size_t addressBytes = sizeof(void*));

// How WLCALLDLL treats a value type, as argument and as result.
enum class CallValueKind {
    None,     // 0, 6 (as result) and 13 and above: no value
    Whole32,  // 1-4, 6 (argument), 7, 12: a 32-bit whole number
    Logical,  // 5
    Handle,   // 10: a number the width of an address (handles, addresses)
    Text,     // 8, 9: a pointer to text bytes
    Double,   // 11: not passed; as result the whole number as a floating-point number
};
CallValueKind argumentKind(int type);
CallValueKind resultKind(int type);
// Argument types whose by-reference arguments receive what the procedure
// wrote through the pointer it was given.
bool writesBackThroughPointer(int type);

}  // namespace wl
