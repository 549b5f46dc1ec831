#include "rect_math.hpp"

namespace wl {

void moveRectBy(RectList& r, std::int32_t rows, std::int32_t cols) {
    r[kRectTop] += rows;
    r[kRectBottom] += rows;
    r[kRectLeft] += cols;
    r[kRectRight] += cols;
}

void moveRectTo(RectList& r, std::int32_t top, std::int32_t left) {
    moveRectBy(r, top - r[kRectTop], left - r[kRectLeft]);
}

namespace {
// Windows order of the edges in its RECT.
constexpr RectEdge kWindowsOrder[4] = {kRectLeft, kRectTop, kRectRight, kRectBottom};
}  // namespace

std::string rectBytes(const RectList& r) {
    std::string out;
    for (RectEdge e : kWindowsOrder) {
        auto v = static_cast<std::uint32_t>(r[e]);
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    return out;
}

RectList rectFromBytes(std::string_view bytes) {
    RectList r{};
    for (std::size_t k = 0; k < 4; ++k) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            std::size_t at = k * 4 + i;
            if (at < bytes.size()) v |= std::uint32_t(static_cast<unsigned char>(bytes[at])) << (8 * i);
        }
        r[kWindowsOrder[k]] = static_cast<std::int32_t>(v);
    }
    return r;
}

}  // namespace wl
