#include "image_effects.hpp"

#include <algorithm>
#include <cmath>

namespace wl {

namespace {

int clampByte(int v) { return std::clamp(v, 0, 255); }

// One box-blurred line of `count` pixels read and written through strides.
void blurLine(const std::uint32_t* in, std::uint32_t* out, int count, std::ptrdiff_t stride, int radius) {
    long sum[3] = {0, 0, 0};
    int n = 0;
    auto add = [&](int i, int sign) {
        std::uint32_t p = in[i * stride];
        sum[0] += sign * pixelBlue(p);
        sum[1] += sign * pixelGreen(p);
        sum[2] += sign * pixelRed(p);
        n += sign;
    };
    for (int i = 0; i <= radius && i < count; ++i) add(i, 1);
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            if (i - radius - 1 >= 0) add(i - radius - 1, -1);
            if (i + radius < count) add(i + radius, 1);
        }
        std::uint32_t old = in[i * stride];
        out[i * stride] = makePixel(static_cast<int>(sum[2] / n), static_cast<int>(sum[1] / n),
                                    static_cast<int>(sum[0] / n), pixelAlpha(old));
    }
}

bool insideRounded(int x, int y, int w, int h, bool round, int corner) {
    if (x < 0 || y < 0 || x >= w || y >= h) return false;
    if (!round) return true;
    double rx = std::min(corner, w) / 2.0, ry = std::min(10, h) / 2.0;
    if (rx <= 0 || ry <= 0) return true;
    double cx = x + 0.5, cy = y + 0.5;
    double ex = cx < rx ? rx : (cx > w - rx ? w - rx : cx);
    double ey = cy < ry ? ry : (cy > h - ry ? h - ry : cy);
    double dx = (cx - ex) / rx, dy = (cy - ey) / ry;
    return dx * dx + dy * dy <= 1.0;
}

std::uint32_t mix(std::uint32_t from, std::uint32_t to, double t) {
    auto lerp = [t](int a, int b) { return static_cast<int>(a + (b - a) * t); };
    return makePixel(lerp(NRGBRED(from), NRGBRED(to)), lerp(NRGBGREEN(from), NRGBGREEN(to)),
                     lerp(NRGBBLUE(from), NRGBBLUE(to)));
}

}  // namespace

std::optional<PixelImage> resizeImage(const PixelImage& image, int widthOrPercent, int height) {
    // An empty source would divide by zero in the scale factors.
    if (widthOrPercent < 0 || height < 0 || image.empty()) return std::nullopt;
    int newW, newH;
    long wp, hp;
    if (height != 0) {
        newW = widthOrPercent;
        newH = height;
        wp = static_cast<long>(static_cast<double>(newW) / image.width * 100.0 + 1.0);
        hp = static_cast<long>(static_cast<double>(newH) / image.height * 100.0 + 1.0);
    } else {
        newW = static_cast<int>(static_cast<long long>(widthOrPercent) * image.width / 100);
        newH = static_cast<int>(static_cast<long long>(widthOrPercent) * image.height / 100);
        wp = hp = widthOrPercent;
    }
    if (newW <= 0 || newH <= 0 || wp <= 0 || hp <= 0) return std::nullopt;
    PixelImage out(newW, newH);
    for (int y = 0; y < newH; ++y) {
        int sy = std::min(static_cast<int>(static_cast<long long>(y) * 100 / hp), image.height - 1);
        for (int x = 0; x < newW; ++x) {
            int sx = std::min(static_cast<int>(x * 100.0 / static_cast<double>(wp)), image.width - 1);
            out.at(x, y) = image.at(sx, sy);
        }
    }
    return out;
}

PixelImage brightImage(const PixelImage& image, int delta, bool alpha) {
    PixelImage out = image;
    for (auto& p : out.pixels) {
        int a = alpha ? clampByte(pixelAlpha(p) + delta) : pixelAlpha(p);
        p = makePixel(clampByte(pixelRed(p) + delta), clampByte(pixelGreen(p) + delta),
                      clampByte(pixelBlue(p) + delta), a);
    }
    return out;
}

std::optional<PixelImage> blurImage(const PixelImage& image, int radius) {
    if (radius <= 0 || image.empty()) return std::nullopt;
    PixelImage rows(image.width, image.height), out(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        blurLine(&image.pixels[static_cast<std::size_t>(y) * image.width],
                 &rows.pixels[static_cast<std::size_t>(y) * image.width], image.width, 1, radius);
    for (int x = 0; x < image.width; ++x)
        blurLine(&rows.pixels[x], &out.pixels[x], image.height, image.width, radius);
    return out;
}

PixelImage fadeImage(const PixelImage& screen, const PixelImage& picture, int alpha, int start,
                     bool useAlpha, std::uint32_t transparent) {
    PixelImage out = screen;
    int w = std::min(screen.width, picture.width), h = std::min(screen.height, picture.height);
    int H = picture.height;
    for (int g = 0; g < H; ++g) {
        int row = H - 1 - g;  // upside down: the picture's top lands at the bottom
        if (row >= h) continue;
        int m = g < start ? 0 : (g - start) * alpha / (H - start);
        for (int x = 0; x < w; ++x) {
            std::uint32_t p = picture.at(x, g);
            int b;
            if (useAlpha) b = m * pixelAlpha(p) / 255;
            else b = (p & 0xFFFFFF) == (transparent & 0xFFFFFF) ? 0 : alpha * m / 255;
            b = std::clamp(b, 0, 255);
            std::uint32_t s = screen.at(x, row);
            // Divided by 255, not 256: a weight of 0 leaves the screen as it was.
            auto blend = [b](int sc, int pc) { return (sc * (255 - b) + pc * b) / 255; };
            out.at(x, row) = makePixel(blend(pixelRed(s), pixelRed(p)), blend(pixelGreen(s), pixelGreen(p)),
                                       blend(pixelBlue(s), pixelBlue(p)), pixelAlpha(s));
        }
    }
    return out;
}

void shadowBox(PixelImage& area, int offsetX, int offsetY, int inset, bool round, int percent, int corner) {
    int f = static_cast<int>(255 - percent * 255.0 / 100);
    int sw = area.width - inset, sh = area.height - inset;
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x) {
            if (!insideRounded(x - offsetX, y - offsetY, sw, sh, round, corner)) continue;
            std::uint32_t& p = area.at(x, y);
            p = makePixel(pixelRed(p) * f / 256, pixelGreen(p) * f / 256, pixelBlue(p) * f / 256, pixelAlpha(p));
        }
}

PixelImage radialGradient(int width, int height, std::uint32_t centre, std::uint32_t edge, int offsetX,
                          int offsetY) {
    PixelImage out(width, height);
    int cx = width / 2 + offsetX, cy = height / 2 + offsetY;
    double half = std::sqrt(static_cast<double>(width / 2) * (width / 2) + static_cast<double>(height / 2) * (height / 2));
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            double d = std::hypot(x - cx, y - cy);
            // A picture of one pixel in either direction has no half-diagonal:
            // its centre is the centre colour and every other pixel the edge.
            double t = half > 0 ? d / half * 100.0 : (d > 0 ? 101.0 : 0.0);
            std::uint32_t c;
            if (t <= 0) c = colorToPixel(centre);
            else if (t > 100) c = colorToPixel(edge);
            else c = mix(centre, edge, t / 100.0);
            out.at(x, y) = c;
        }
    return out;
}

void diagonalGradient(PixelImage& area, std::uint32_t color1, std::uint32_t color2, bool direction, int start,
                      int end) {
    if (start >= end || area.empty()) return;
    int span = std::max(1, area.width + area.height - 2);
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x) {
            int d = (direction ? x : area.width - 1 - x) + y;
            double pos = d * 100.0 / span;
            double t = std::clamp((pos - start) / (end - start), 0.0, 1.0);
            area.at(x, y) = mix(color2, color1, t);
        }
}

void darkenRamp(PixelImage& area, bool horizontal) {
    int length = horizontal ? area.width : area.height;
    if (length <= 0) return;
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x) {
            double factor = (50.0 + 50.0 * (horizontal ? x : y) / length) / 100.0;
            std::uint32_t& p = area.at(x, y);
            p = makePixel(static_cast<int>(pixelRed(p) * factor), static_cast<int>(pixelGreen(p) * factor),
                          static_cast<int>(pixelBlue(p) * factor), pixelAlpha(p));
        }
}

int grayLevel(std::uint32_t pixel) {
    int g = pixelRed(pixel) / 3 + pixelGreen(pixel) / 3 + pixelBlue(pixel) / 3;
    if (g == 0) return 0;
    return g > 234 ? 255 : g + 20;
}

}  // namespace wl
