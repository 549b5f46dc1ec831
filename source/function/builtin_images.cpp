#include "builtin_images.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

#include "pixel_canvas.hpp"
#include "text.hpp"

namespace wl {

namespace {

// Colours of the pictures (red, green, blue).
const std::uint32_t kWhite = makePixel(255, 255, 255), kBlack = makePixel(0, 0, 0),
                    kGrey = makePixel(128, 128, 128), kLight = makePixel(212, 208, 200),
                    kBlue = makePixel(30, 80, 200), kRed = makePixel(200, 30, 30),
                    kGreen = makePixel(30, 140, 50), kYellow = makePixel(240, 200, 60),
                    kBack = makePixel(255, 0, 255);  // the transparent corner colour

void printer(Canvas& c) {
    c.page(4, 1, 11, 6);
    c.fill(1, 6, 14, 11, kLight);
    c.frame(1, 6, 14, 11, kBlack);
    c.page(4, 10, 11, 14);
    c.dot(12, 8, kGreen);
}
void floppy(Canvas& c, std::uint32_t body) {
    c.fill(1, 1, 14, 14, body);
    c.frame(1, 1, 14, 14, kBlack);
    c.fill(4, 2, 11, 6, kWhite);
    c.fill(4, 9, 11, 14, kLight);
    c.fill(9, 10, 10, 13, body);
}
void folder(Canvas& c) {
    c.fill(1, 4, 6, 5, kYellow);
    c.fill(1, 5, 14, 13, kYellow);
    c.frame(1, 5, 14, 13, makePixel(160, 120, 20));
}
void letterPage(Canvas& c, char letter, std::uint32_t colour) {
    c.page(3, 1, 12, 14);
    c.fill(1, 4, 8, 11, colour);
    const char* w[7] = {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"};
    const char* x[7] = {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"};
    const char* p[7] = {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."};
    c.glyph(2, 4, letter == 'W' ? w : letter == 'X' ? x : p, kWhite);
    c.textLines(9, 4, 11, 12, kGrey);
}
void magnifier(Canvas& c) {
    c.circle(6, 6, 4, kBlack);
    c.fill(4, 4, 8, 8, makePixel(200, 230, 255));
    c.line(9, 9, 14, 14, kBlack);
    c.line(10, 9, 14, 13, kBlack);
}
void curvedArrow(Canvas& c, bool redo) {
    std::uint32_t col = kBlue;
    auto X = [&](int x) { return redo ? 15 - x : x; };
    for (int i = 0; i < 24; ++i) {
        double t = 3.14159265 * i / 23;
        c.dot(X(8 + static_cast<int>(std::lround(5 * std::cos(t)))), 9 - static_cast<int>(std::lround(5 * std::sin(t))), col);
    }
    c.arrow(X(3), 11, 3, 'd', col);
}

using Painter = std::function<void(Canvas&)>;

const std::vector<std::pair<std::string, Painter>>& painters() {
    static const std::vector<std::pair<std::string, Painter>> list = {
        {"top2", [](Canvas& c) { c.fill(3, 2, 12, 3, kBlue); c.arrow(7, 8, 5, 'u', kBlue); }},
        {"previous2", [](Canvas& c) { c.arrow(7, 7, 6, 'l', kBlue); }},
        {"next2", [](Canvas& c) { c.arrow(8, 7, 6, 'r', kBlue); }},
        {"bottom2", [](Canvas& c) { c.fill(3, 12, 12, 13, kBlue); c.arrow(7, 6, 5, 'd', kBlue); }},
        {"zoom2", [](Canvas& c) { magnifier(c); c.line(5, 6, 7, 6, kBlack); c.line(6, 5, 6, 7, kBlack); }},
        {"twopages2", [](Canvas& c) { c.page(0, 2, 7, 13); c.page(8, 2, 15, 13); c.textLines(2, 4, 5, 11, kGrey); c.textLines(10, 4, 13, 11, kGrey); }},
        {"printer", printer},
        {"save", [](Canvas& c) { floppy(c, kBlue); }},
        {"pdf", [](Canvas& c) { letterPage(c, 'P', kRed); }},
        {"email", [](Canvas& c) { c.fill(1, 4, 14, 12, kWhite); c.frame(1, 4, 14, 12, kGrey); c.line(1, 4, 7, 9, kGrey); c.line(14, 4, 8, 9, kGrey); }},
        {"word2", [](Canvas& c) { letterPage(c, 'W', kBlue); }},
        {"excel", [](Canvas& c) { letterPage(c, 'X', kGreen); }},
        {"exit2", [](Canvas& c) { c.fill(2, 1, 9, 14, makePixel(150, 90, 40)); c.frame(2, 1, 9, 14, kBlack); c.arrow(12, 7, 3, 'r', kRed); c.line(8, 7, 12, 7, kRed); }},
        {"onepage2", [](Canvas& c) { c.page(3, 1, 12, 14); c.textLines(5, 3, 10, 12, kGrey); }},
        {"new16", [](Canvas& c) { c.page(3, 1, 12, 14); c.fill(10, 1, 12, 3, kBack); c.line(10, 1, 12, 3, kGrey); }},
        {"open16", folder},
        {"close16", [](Canvas& c) { c.line(3, 3, 12, 12, kRed); c.line(4, 3, 12, 11, kRed); c.line(12, 3, 3, 12, kRed); c.line(11, 3, 3, 11, kRed); }},
        {"save16", [](Canvas& c) { floppy(c, makePixel(60, 60, 140)); }},
        {"printer16", printer},
        {"preview16", [](Canvas& c) { c.page(1, 1, 10, 14); c.textLines(3, 3, 8, 12, kGrey); c.circle(10, 9, 3, kBlack); c.line(12, 11, 15, 14, kBlack); }},
        {"search16", magnifier},
        {"cut16", [](Canvas& c) { c.line(5, 1, 9, 9, kBlack); c.line(10, 1, 6, 9, kBlack); c.circle(4, 12, 2, kBlack); c.circle(11, 12, 2, kBlack); }},
        {"copy16", [](Canvas& c) { c.page(1, 1, 9, 11); c.page(6, 4, 14, 14); c.textLines(8, 6, 12, 12, kGrey); }},
        {"paste16", [](Canvas& c) { c.fill(2, 2, 11, 14, makePixel(150, 100, 50)); c.fill(5, 1, 8, 3, kGrey); c.page(7, 6, 14, 14); }},
        {"undo16", [](Canvas& c) { curvedArrow(c, false); }},
        {"redo16", [](Canvas& c) { curvedArrow(c, true); }},
        {"bold16", [](Canvas& c) { const char* b[7] = {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}; c.glyph(5, 4, b, kBlack, true); }},
        {"italic16", [](Canvas& c) { c.line(9, 3, 6, 12, kBlack); c.line(7, 3, 11, 3, kBlack); c.line(4, 12, 8, 12, kBlack); }},
        {"underline16", [](Canvas& c) { c.line(5, 2, 5, 10, kBlack); c.line(10, 2, 10, 10, kBlack); c.line(5, 10, 10, 10, kBlack); c.line(3, 13, 12, 13, kBlack); }},
    };
    return list;
}

}  // namespace

const std::vector<std::string>& builtinBitmapNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const auto& p : painters()) n.push_back(p.first);
        return n;
    }();
    return names;
}

std::optional<PixelImage> builtinBitmap(const std::string& name) {
    std::string lower = wl::lower(name);
    for (const auto& [n, paint] : painters())
        if (n == lower) {
            Canvas c(16, 16);
            paint(c);
            return c.img;
        }
    return std::nullopt;
}

std::optional<PixelImage> builtinBrush(int index) {
    Canvas c(8, 8, kLight);
    switch (index) {
    case 1:  // grey field, grid of light dots
        c.fill(0, 0, 7, 7, kGrey);
        for (int y = 0; y < 8; y += 4)
            for (int x = 0; x < 8; x += 4) c.dot(x, y, kWhite);
        break;
    case 2:  // bricks
        c.fill(0, 0, 7, 7, makePixel(170, 60, 40));
        c.line(0, 3, 7, 3, kLight);
        c.line(0, 7, 7, 7, kLight);
        c.line(3, 0, 3, 2, kLight);
        c.line(7, 4, 7, 6, kLight);
        break;
    case 3:  // raised tiles
        c.line(0, 0, 7, 0, kWhite);
        c.line(0, 0, 0, 7, kWhite);
        c.line(1, 7, 7, 7, kGrey);
        c.line(7, 1, 7, 7, kGrey);
        break;
    case 4:  // checkerboard
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) c.dot(x, y, ((x / 4) + (y / 4)) % 2 ? kBlack : kWhite);
        break;
    default: return std::nullopt;
    }
    return c.img;
}

PixelImage builtinLogo() {
    Canvas c(32, 32, kLight);
    c.circle(15, 15, 13, kRed);
    c.circle(15, 15, 12, kRed);
    c.fill(14, 7, 16, 18, kRed);
    c.fill(14, 21, 16, 23, kRed);
    return c.img;
}

PixelImage builtinRightArrow() {
    Canvas c(9, 14);
    c.arrow(4, 6, 5, 'r', kBlack);
    return c.img;
}

PixelImage builtinDownArrow() {
    Canvas c(11, 7);
    c.arrow(5, 3, 5, 'd', kBlack);
    return c.img;
}

PixelImage builtinSortMark(bool ascending) {
    Canvas c(10, 9);
    c.arrow(4, 4, 4, ascending ? 'u' : 'd', kGrey);
    return c.img;
}

PixelImage builtinSwitch(bool on) {
    Canvas c(16, 16, 0);  // fully transparent around the switch
    std::uint32_t track = on ? makePixel(40, 160, 60, 255) : makePixel(160, 160, 160, 255);
    c.fill(1, 4, 14, 11, track);
    int knob = on ? 9 : 2;
    c.fill(knob, 5, knob + 4, 10, makePixel(255, 255, 255, 255));
    return c.img;
}

PixelImage builtinMessageBar(int look) {
    bool office2010 = look == 2;
    PixelImage img(office2010 ? 103 : 26, office2010 ? 22 : 23);
    std::uint32_t top = office2010 ? makePixel(246, 247, 249) : makePixel(227, 239, 255);
    std::uint32_t bottom = office2010 ? makePixel(218, 222, 228) : makePixel(173, 209, 255);
    for (int y = 0; y < img.height; ++y) {
        double t = img.height > 1 ? static_cast<double>(y) / (img.height - 1) : 0;
        auto lerp = [t](int a, int b) { return static_cast<int>(a + (b - a) * t); };
        std::uint32_t p = makePixel(lerp(pixelRed(top), pixelRed(bottom)), lerp(pixelGreen(top), pixelGreen(bottom)),
                                    lerp(pixelBlue(top), pixelBlue(bottom)));
        for (int x = 0; x < img.width; ++x) img.at(x, y) = p;
    }
    return img;
}

PixelImage builtinCheckMark(int look) {
    Canvas c(20, 20);
    std::uint32_t box = look == 2 ? makePixel(252, 241, 194) : makePixel(255, 226, 148);
    std::uint32_t edge = look == 2 ? makePixel(242, 149, 54) : makePixel(221, 207, 155);
    c.fill(1, 1, 18, 18, box);
    c.frame(1, 1, 18, 18, edge);
    for (int d = 0; d < 2; ++d) {
        c.line(5, 9 + d, 8, 12 + d, kBlack);
        c.line(8, 12 + d, 14, 6 + d, kBlack);
    }
    return c.img;
}

std::vector<PixelImage> builtinTreeLines() {
    std::vector<PixelImage> out;
    for (int code = 1; code <= 7; ++code) {
        Canvas c(16, 16, kWhite);
        bool last = code == 3 || code == 6 || code == 7;
        int bottom = last || code == 1 ? (code == 1 ? 15 : 8) : 15;
        for (int y = 0; y <= bottom; y += 2) c.dot(7, y, kGrey);
        if (code != 1)
            for (int x = 9; x <= 15; x += 2) c.dot(x, 8, kGrey);
        if (code >= 4) {
            c.fill(3, 4, 11, 12, kWhite);
            c.frame(3, 4, 11, 12, kGrey);
            c.line(5, 8, 9, 8, kBlack);
            if (code == 4 || code == 6) c.line(7, 6, 7, 10, kBlack);
        }
        out.push_back(c.img);
    }
    return out;
}

PixelImage builtinEmbedded(int n) {
    static const int sizes[14][2] = {{8, 15}, {15, 26}, {23, 26}, {9, 26}, {36, 3}, {8, 12}, {17, 18},
                                     {17, 18}, {10, 11}, {10, 11}, {10, 11}, {10, 11}, {5, 4}, {8, 8}};
    if (n < 1 || n > 14) return PixelImage();
    int w = sizes[n - 1][0], h = sizes[n - 1][1];
    // Neutral shaded tiles: the pictures are backgrounds and marks of the
    // library's controls, opaque where they are 32-bit.
    PixelImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int shade = 250 - (h > 1 ? 40 * y / (h - 1) : 0) - (n % 2 ? 10 : 0);
            img.at(x, y) = makePixel(shade, shade, std::min(255, shade + 5), 255);
        }
    return img;
}

}  // namespace wl
