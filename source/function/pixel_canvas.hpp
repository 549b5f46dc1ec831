// A tiny pen over a PixelImage: dots, lines, rectangles, circles, arrows and
// 5 x 7 letters, for pictures drawn in code.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "pixel_image.hpp"

namespace wl {

// A picture starts filled with `back` (magenta, the usual transparent colour).
struct Canvas {
    PixelImage img;
    Canvas(int w, int h, std::uint32_t back = makePixel(255, 0, 255)) : img(w, h, back) {}
    void dot(int x, int y, std::uint32_t c) {
        if (x >= 0 && y >= 0 && x < img.width && y < img.height) img.at(x, y) = c;
    }
    void fill(int x0, int y0, int x1, int y1, std::uint32_t c) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) dot(x, y, c);
    }
    void frame(int x0, int y0, int x1, int y1, std::uint32_t c) {
        line(x0, y0, x1, y0, c);
        line(x0, y1, x1, y1, c);
        line(x0, y0, x0, y1, c);
        line(x1, y0, x1, y1, c);
    }
    void line(int x0, int y0, int x1, int y1, std::uint32_t c) {
        int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0), sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            dot(x0, y0, c);
            if (x0 == x1 && y0 == y1) break;
            int e2 = 2 * err;
            if (e2 >= dy) { err += dy; x0 += sx; }
            if (e2 <= dx) { err += dx; y0 += sy; }
        }
    }
    void circle(int cx, int cy, int r, std::uint32_t c) {
        for (int a = 0; a < 64; ++a) {
            double t = a * 3.14159265 / 32;
            dot(cx + static_cast<int>(std::lround(r * std::cos(t))), cy + static_cast<int>(std::lround(r * std::sin(t))), c);
        }
    }
    // Triangles pointing left, right, up or down, centred on (cx, cy).
    void arrow(int cx, int cy, int size, char dir, std::uint32_t c) {
        for (int i = 0; i < size; ++i) {
            switch (dir) {
            case 'r': line(cx - size / 2 + i, cy - (size - 1 - i), cx - size / 2 + i, cy + (size - 1 - i), c); break;
            case 'l': line(cx + size / 2 - i, cy - (size - 1 - i), cx + size / 2 - i, cy + (size - 1 - i), c); break;
            case 'd': line(cx - (size - 1 - i), cy - size / 2 + i, cx + (size - 1 - i), cy - size / 2 + i, c); break;
            case 'u': line(cx - (size - 1 - i), cy + size / 2 - i, cx + (size - 1 - i), cy + size / 2 - i, c); break;
            }
        }
    }
    void page(int x0, int y0, int x1, int y1) {
        fill(x0, y0, x1, y1, makePixel(255, 255, 255));
        frame(x0, y0, x1, y1, makePixel(128, 128, 128));
    }
    void textLines(int x0, int y0, int x1, int y1, std::uint32_t c) {
        for (int y = y0; y <= y1; y += 2) line(x0, y, x1, y, c);
    }
    // A capital letter from a 5 x 7 pattern.
    void glyph(int x0, int y0, const char* rows[7], std::uint32_t c, bool bold = false) {
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5; ++x)
                if (rows[y][x] == '#') {
                    dot(x0 + x, y0 + y, c);
                    if (bold) dot(x0 + x + 1, y0 + y, c);
                }
    }
};

}  // namespace wl
