#include "call_descriptor.hpp"

namespace wl {

namespace {
constexpr std::size_t kHead = 7;  // address low half, flag, result type, count

void putLE(std::string& out, std::uint64_t v, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::uint64_t getLE(std::string_view s, std::size_t at, std::size_t bytes) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < bytes; ++i) v |= std::uint64_t(static_cast<unsigned char>(s[at + i])) << (8 * i);
    return v;
}

std::size_t tailBytes(std::size_t addressBytes) { return addressBytes > 4 ? addressBytes - 4 : 2; }
}  // namespace

std::string callDescriptorText(const CallDescriptor& d, std::size_t addressBytes) {
    std::string out;
    putLE(out, d.address & 0xFFFFFFFFu, 4);
    out.push_back(d.pascalFlag ? 1 : 0);
    out.push_back(static_cast<char>(d.resultType));
    out.push_back(static_cast<char>(d.argTypes.size()));
    for (auto t : d.argTypes) out.push_back(static_cast<char>(t));
    if (addressBytes > 4)
        putLE(out, d.address >> 32, tailBytes(addressBytes));
    else
        out.append(tailBytes(addressBytes), '\0');
    return out;
}

std::optional<CallDescriptor> parseCallDescriptor(std::string_view text, std::size_t addressBytes) {
    if (text.size() < kHead) return std::nullopt;
    CallDescriptor d;
    std::size_t n = static_cast<unsigned char>(text[6]);
    if (text.size() < kHead + n) return std::nullopt;
    d.address = getLE(text, 0, 4);
    d.pascalFlag = text[4] != 0;
    d.resultType = static_cast<std::uint8_t>(text[5]);
    for (std::size_t i = 0; i < n; ++i) d.argTypes.push_back(static_cast<std::uint8_t>(text[kHead + i]));
    if (addressBytes > 4) {
        std::size_t tail = tailBytes(addressBytes);
        if (text.size() < kHead + n + tail) return std::nullopt;
        d.address |= getLE(text, kHead + n, tail) << 32;
    }
    return d;
}

CallValueKind argumentKind(int type) {
    switch (type) {
        case 1: case 2: case 3: case 4: case 6: case 7: case 12: return CallValueKind::Whole32;
        case 5: return CallValueKind::Logical;
        case 10: return CallValueKind::Handle;
        case 8: case 9: return CallValueKind::Text;
        case 11: return CallValueKind::Double;
        default: return CallValueKind::None;
    }
}

CallValueKind resultKind(int type) { return type == 6 ? CallValueKind::None : argumentKind(type); }

bool writesBackThroughPointer(int type) { return type == 7 || type == 10 || type == 12; }

}  // namespace wl
