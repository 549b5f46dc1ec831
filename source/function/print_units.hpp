// The printer's units: centimetres, millimetres and inches to device pixels
// and back, from the device's resolution and physical size, and the
// placement arithmetic of printed text and images. No device needed.
#pragma once

#include <utility>

namespace wl {

// What the printer object reads from its device context once.
struct DeviceMetrics {
    int horzRes = 0;   // HORZRES: printable width in pixels
    int vertRes = 0;   // VERTRES
    int horzSize = 0;  // HORZSIZE: printable width in millimetres
    int vertSize = 0;  // VERTSIZE
    int logPixelsX = 0;
    int logPixelsY = 0;
    int xOffset = 0;  // PHYSICALOFFSETX: unprintable margin in pixels
    int yOffset = 0;
};

enum class PrintUnit { Centimetre, Millimetre, Inch };

// A position {row, col} in the unit to device pixels: scaled by the
// device's pixels per unit, less the physical offset, never below 0.
std::pair<double, double> unitToPixels(const DeviceMetrics& d, PrintUnit unit, double row, double col);
// A width in the unit to pixels: a length, so no offset is taken off.
double unitWidthToPixels(const DeviceMetrics& d, PrintUnit unit, double width);
// {x, y} in pixels to the unit, through the logical pixels per inch.
std::pair<double, double> pixelsToUnit(const DeviceMetrics& d, PrintUnit unit, double x, double y);
// {width, height} in inches to pixels without offsets; 0 stays 0.
std::pair<int, int> sizeInchToPixels(const DeviceMetrics& d, double height, double width);

// Where Say draws a text without a width: pad 1 ends it at the column, pad
// 2 centres it there (never left of 0); others start it there.
int sayColumn(int col, int textWidth, int pad);

// SayImage's target size and position.
struct ImagePlacement {
    int row = 0, col = 0, width = 0, height = 0;
};
ImagePlacement placeImage(int row, int col, int imageWidth, int imageHeight, int width, int height, bool stretch,
                          int align);

}  // namespace wl
