#include "toolbar_pictures.hpp"

#include "pixel_canvas.hpp"

namespace zr {

namespace {

using wl::Canvas;
using wl::makePixel;

// White is the mask; pictures that need white use a near-white instead.
const std::uint32_t kMask = makePixel(255, 255, 255), kPaper = makePixel(250, 250, 244),
                    kInk = makePixel(20, 20, 20), kGrey = makePixel(120, 120, 120),
                    kLine = makePixel(90, 110, 170), kBlue = makePixel(30, 80, 200),
                    kDarkBlue = makePixel(20, 40, 120), kGreen = makePixel(30, 150, 60),
                    kBrown = makePixel(140, 90, 40), kDarkBrown = makePixel(90, 55, 20),
                    kGold = makePixel(230, 190, 40), kGlass = makePixel(190, 225, 250);

void fillCircle(Canvas& c, int cx, int cy, int r, std::uint32_t colour) {
    for (int y = -r; y <= r; ++y)
        for (int x = -r; x <= r; ++x)
            if (x * x + y * y <= r * r) c.dot(cx + x, cy + y, colour);
}

void sheet(Canvas& c, int x0, int y0, int x1, int y1) {
    c.fill(x0, y0, x1, y1, kPaper);
    c.frame(x0, y0, x1, y1, kGrey);
}

// An X12 page, a green arrow, and a table page: one form turned into another.
Canvas converter() {
    Canvas c(32, 32, kMask);
    sheet(c, 1, 2, 13, 27);
    for (int y = 6; y <= 24; y += 3) c.line(3, y, 11, y, kLine);
    c.line(3, 6, 6, 6, kInk);  // segment ids
    c.line(3, 9, 5, 9, kInk);
    sheet(c, 18, 4, 30, 29);
    for (int y = 8; y <= 26; y += 3) c.line(18, y, 30, y, kGrey);
    c.line(22, 4, 22, 29, kGrey);
    c.line(26, 4, 26, 29, kGrey);
    c.fill(19, 5, 29, 7, kGreen);  // the title row
    c.fill(8, 14, 20, 17, kGreen);
    c.arrow(22, 15, 6, 'r', kGreen);
    return c;
}

// A page under a magnifying glass.
Canvas viewer() {
    Canvas c(32, 32, kMask);
    sheet(c, 3, 1, 22, 28);
    for (int y = 5; y <= 25; y += 3) c.line(6, y, 19, y, kLine);
    fillCircle(c, 18, 15, 8, kInk);
    fillCircle(c, 18, 15, 6, kGlass);
    c.line(16, 11, 14, 13, kPaper);
    for (int i = 0; i < 3; ++i) c.line(23 + i, 22, 30, 29 - i, kDarkBrown);
    c.line(23, 21, 30, 28, kDarkBrown);
    return c;
}

// A closed book with its spine and page edges.
Canvas book() {
    Canvas c(32, 32, kMask);
    c.fill(6, 2, 27, 26, kBlue);
    c.fill(6, 2, 9, 29, kDarkBlue);        // spine
    c.fill(10, 26, 27, 29, kPaper);        // page edges
    c.frame(6, 2, 27, 29, kInk);
    c.line(10, 27, 27, 27, kGrey);
    c.fill(13, 7, 24, 12, kGold);          // title plate
    c.frame(13, 7, 24, 12, kDarkBrown);
    c.line(15, 9, 22, 9, kDarkBrown);
    c.line(15, 18, 24, 18, kGold);
    c.line(15, 21, 22, 21, kGold);
    return c;
}

// A lower-case "i" in a blue disc.
Canvas information() {
    Canvas c(32, 32, kMask);
    fillCircle(c, 15, 15, 14, kDarkBlue);
    fillCircle(c, 15, 15, 12, kBlue);
    fillCircle(c, 15, 8, 2, kPaper);
    c.fill(14, 12, 17, 24, kPaper);
    c.fill(12, 12, 14, 13, kPaper);
    c.fill(12, 23, 19, 24, kPaper);
    return c;
}

// A door standing open with an arrow leaving through it.
Canvas exitDoor() {
    Canvas c(32, 32, kMask);
    c.fill(4, 2, 19, 30, kDarkBrown);   // the frame's dark opening
    c.frame(3, 1, 20, 30, kInk);
    // The door, swung open towards the viewer.
    for (int x = 4; x <= 12; ++x) {
        const int slant = (x - 4) / 3;
        c.line(x, 3 + slant, x, 30 - slant, kBrown);
    }
    c.line(12, 6, 12, 27, kInk);
    c.fill(10, 16, 11, 17, kGold);      // handle
    c.fill(18, 14, 27, 18, kGreen);
    c.arrow(27, 16, 6, 'r', kGreen);
    c.line(0, 30, 31, 30, kInk);        // the floor
    return c;
}

}  // namespace

wl::PixelImage toolbarPicture(int resource) {
    switch (resource) {
    case 13: return converter().img;
    case 7: return viewer().img;
    case 6: return book().img;
    case 11: return information().img;
    case 3: return exitDoor().img;
    default: return {};
    }
}

wl::PixelImage programIconPicture() { return converter().img; }

}  // namespace zr
