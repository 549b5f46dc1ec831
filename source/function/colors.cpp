#include "colors.hpp"

#include <cstdint>

namespace wl {

Color NRGB(int red, int green, int blue) {
    return static_cast<Color>(red & 0xFF) | (static_cast<Color>(green & 0xFF) << 8) |
           (static_cast<Color>(blue & 0xFF) << 16);
}
int NRGBRED(Color c) { return static_cast<int>(c & 0xFF); }
int NRGBGREEN(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
int NRGBBLUE(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

int COLORATTRIBUTE(std::string_view text) {
    int attr = 0;
    int shift = 0;  // 4 once "/" switched to the background half
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (next >= 'a' && next <= 'z') next = static_cast<char>(next - 'a' + 'A');
        int v = 0;
        if (c == 'B' && next == 'G') {
            v = 3;
            ++i;
        } else if (c == 'G' && next == 'R') {
            v = 6;
            ++i;
        } else if (c == 'R' && next == 'B') {
            v = 5;
            ++i;
        } else if (c == 'B') {
            v = 1;
        } else if (c == 'G') {
            v = 2;
        } else if (c == 'R') {
            v = 4;
        } else if (c == 'W') {
            v = 7;
        } else if (c == '+') {
            v = 8;
        } else if (c == '*') {
            attr |= 0x80;
            continue;
        } else if (c == '/') {
            shift = 4;
            continue;
        } else {
            continue;
        }
        attr += v << shift;
    }
    return attr & 0xFF;
}

Color attributeColor(int v) {
    const int level = (v & 8) ? 255 : 128;
    const int rgb = v & 7;
    if (rgb == 0) return (v & 8) ? NRGB(128, 128, 128) : NRGB(0, 0, 0);
    if (rgb == 7) return (v & 8) ? NRGB(255, 255, 255) : NRGB(192, 192, 192);
    return NRGB((rgb & 4) ? level : 0, (rgb & 2) ? level : 0, (rgb & 1) ? level : 0);
}

Color NGETFORERGB(std::string_view attribute) { return attributeColor(COLORATTRIBUTE(attribute) & 0x0F); }
Color NGETBACKRGB(std::string_view attribute) { return attributeColor((COLORATTRIBUTE(attribute) >> 4) & 0x0F); }

Color LIGHTERCOLOR(int amount, Color c) {
    auto up = [amount](int v) {
        // MulDiv rounds to the nearest whole number.
        std::int64_t num = static_cast<std::int64_t>(255 - v) * amount;
        std::int64_t q = (num >= 0 ? num + 127 : num - 127) / 255;
        return v + static_cast<int>(q);
    };
    return NRGB(up(NRGBRED(c)), up(NRGBGREEN(c)), up(NRGBBLUE(c)));
}

std::vector<GradientBand> gradientBands(int top, int left, int bottom, int right, Color from, Color to,
                                        bool vertical) {
    std::vector<GradientBand> bands;
    const int first = vertical ? top : left;
    const int last = vertical ? bottom : right;
    const int extent = last - first;
    const unsigned steps = static_cast<std::uint16_t>(extent);
    if (steps == 0) return bands;
    const int size = extent / static_cast<int>(steps);
    int carried[3] = {NRGBRED(from) * 256, NRGBGREEN(from) * 256, NRGBBLUE(from) * 256};
    const int goal[3] = {NRGBRED(to), NRGBGREEN(to), NRGBBLUE(to)};
    int delta[3];
    for (int k = 0; k < 3; ++k) delta[k] = ((goal[k] - carried[k] / 256) * 256) / static_cast<int>(steps);
    bands.reserve(steps);
    int start = first;
    for (unsigned i = 0; i < steps; ++i) {
        GradientBand band;
        band.start = start;
        band.end = (i + 1 == steps) ? last : start + size;
        band.color = NRGB(carried[0] >> 8, carried[1] >> 8, carried[2] >> 8);
        bands.push_back(band);
        start = band.end;
        for (int k = 0; k < 3; ++k) carried[k] += delta[k];
    }
    return bands;
}

}  // namespace wl
