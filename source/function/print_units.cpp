#include "print_units.hpp"

#include <algorithm>

namespace wl {

namespace {

// Pixels per unit along one axis: resolution over the size in millimetres.
double perUnit(int res, int sizeMm, PrintUnit unit) {
    if (sizeMm <= 0) return 0;
    const double perMm = static_cast<double>(res) / sizeMm;
    switch (unit) {
        case PrintUnit::Centimetre: return perMm * 10;
        case PrintUnit::Millimetre: return perMm;
        case PrintUnit::Inch: return perMm * 25.4;
    }
    return 0;
}

double unitsPerPixel(int dpi, PrintUnit unit) {
    if (dpi <= 0) return 0;
    switch (unit) {
        case PrintUnit::Centimetre: return 25.4 / dpi / 10;
        case PrintUnit::Millimetre: return 25.4 / dpi;
        case PrintUnit::Inch: return 1.0 / dpi;
    }
    return 0;
}

}  // namespace

std::pair<double, double> unitToPixels(const DeviceMetrics& d, PrintUnit unit, double row, double col) {
    return {std::max(0.0, row * perUnit(d.vertRes, d.vertSize, unit) - d.yOffset),
            std::max(0.0, col * perUnit(d.horzRes, d.horzSize, unit) - d.xOffset)};
}

double unitWidthToPixels(const DeviceMetrics& d, PrintUnit unit, double width) {
    return std::max(0.0, width * perUnit(d.horzRes, d.horzSize, unit));
}

std::pair<double, double> pixelsToUnit(const DeviceMetrics& d, PrintUnit unit, double x, double y) {
    return {x * unitsPerPixel(d.logPixelsX, unit), y * unitsPerPixel(d.logPixelsY, unit)};
}

std::pair<int, int> sizeInchToPixels(const DeviceMetrics& d, double height, double width) {
    const auto w = static_cast<int>(width * perUnit(d.horzRes, d.horzSize, PrintUnit::Inch));
    const auto h = static_cast<int>(height * perUnit(d.vertRes, d.vertSize, PrintUnit::Inch));
    return {w, h};
}

int sayColumn(int col, int textWidth, int pad) {
    if (pad == 1) return std::max(0, col - textWidth);
    if (pad == 2) return std::max(0, col - textWidth / 2);
    return col;
}

ImagePlacement placeImage(int row, int col, int imageWidth, int imageHeight, int width, int height, bool stretch,
                          int align) {
    ImagePlacement p{row, col, width, height};
    if (imageWidth <= 0 || imageHeight <= 0) return p;
    if (width == 0 && height > 0) {
        p.width = static_cast<int>(static_cast<double>(height) * imageWidth / imageHeight);
    } else if (width > 0 && height == 0) {
        p.height = static_cast<int>(static_cast<double>(width) * imageHeight / imageWidth);
    } else if (width > 0 && height > 0 && !stretch) {
        if (static_cast<double>(width) / imageWidth < static_cast<double>(height) / imageHeight) {
            p.width = width;
            p.height = static_cast<int>(static_cast<double>(imageHeight) * width / imageWidth);
        } else {
            p.height = height;
            p.width = static_cast<int>(static_cast<double>(imageWidth) * height / imageHeight);
        }
        if (p.width < width) p.col += (align & 1) ? (width - p.width) / 2 : (align & 2) ? width - p.width : 0;
        if (p.height < height) p.row += (align & 4) ? (height - p.height) / 2 : (align & 8) ? height - p.height : 0;
    }
    return p;
}

}  // namespace wl
