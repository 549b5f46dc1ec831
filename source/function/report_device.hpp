// What the report engine draws on: a printer (or its preview) or a text
// file. Sizes are device units: pixels on a printer, characters and lines
// on a text file. Fonts and pens are the report's, by number from 1.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace wl {

// What shows a running report's page and lets the user cancel it (the
// "Printing page" dialog on a printer).
class ReportProgress {
public:
    virtual ~ReportProgress() = default;
    // Shown with the report's name; Cancel disabled unless `cancelable`.
    virtual void Start(const std::string& name, bool cancelable) = 0;
    virtual void Page(int page) = 0;
    // Lets the window work; true once the user has cancelled.
    virtual bool Cancelled() = 0;
    virtual void Close() = 0;
};

class ReportDevice {
public:
    virtual ~ReportDevice() = default;
    // The device can be drawn on (a printer context or an open file).
    virtual bool ok() const = 0;
    virtual bool isTextFile() const { return false; }
    // Pages are recorded for a preview (the preview ends the device).
    virtual bool isPreview() const { return false; }
    virtual std::string documentName() const { return {}; }
    virtual void StartPage() = 0;
    virtual void EndPage() = 0;
    virtual void End() = 0;
    // Text at (row, col) in report font `font`, clipped to `width` when given.
    virtual void Say(int row, int col, const std::string& text, int font, std::optional<int> width = {}) = 0;
    virtual int GetTextWidth(const std::string& text, int font) = 0;
    virtual int GetTextHeight(const std::string& text, int font) = 0;
    // A horizontal or vertical rule with report pen `pen`.
    virtual void Line(int top, int left, int bottom, int right, int pen) = 0;
    virtual int nHorzRes() = 0;
    virtual int nVertRes() = 0;
    virtual int nLogPixelX() = 0;
    virtual int nLogPixelY() = 0;
    // A text file takes the report's width as its page width.
    virtual void SetWidth(int) {}
    // The width of pen `pen` in device units.
    virtual int penWidth(int) { return 1; }
    // A band filled with a solid colour (0x00BBGGRR); a text file has none.
    virtual void FillRect(int /*top*/, int /*left*/, int /*bottom*/, int /*right*/, unsigned /*color*/) {}
    // 1 portrait, 2 landscape; a text file answers landscape so that a wide
    // listing never asks to turn it.
    virtual int GetOrientation() { return isTextFile() ? 2 : 1; }
    virtual void SetLandscape() {}
    // A picture (a file name or its bytes) at (row, col), `width` x `height`
    // pixels, blended with `alpha` when it has an alpha channel.
    // The progress window of a report on this device; none for a file.
    virtual std::unique_ptr<ReportProgress> progress() { return nullptr; }
    virtual void SayImage(int /*row*/, int /*col*/, const std::string& /*image*/, int /*width*/, int /*height*/,
                          int /*alpha*/) {}
};

}  // namespace wl
