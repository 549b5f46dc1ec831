// A report drawn on a printer object: straight to the printer, into the
// preview, or into a PDF (a printer object in metafile mode with a ".pdf"
// file). The report's fonts and pens are remade for the device's resolution.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "font.hpp"
#include "pen.hpp"
#include "printer.hpp"
#include "report_device.hpp"

namespace wl {

class ReportPrinter : public ReportDevice {
public:
    // Fonts in points (FontSpec without a device); none: ARIAL of 10
    // points. Pens: widths in points; none: one solid black pen.
    ReportPrinter(std::unique_ptr<TPrinter> printer, std::vector<FontSpec> fonts = {}, std::vector<int> penWidths = {});
    ~ReportPrinter() override;

    bool ok() const override { return printer_ && printer_->hDC; }
    std::string documentName() const override { return printer_ ? printer_->cDocument : std::string(); }
    void StartPage() override { printer_->StartPage(); }
    void EndPage() override { printer_->EndPage(); }
    // A preview job opens the preview, a PDF job writes its file (without
    // asking to open it), a printed job ends the document.
    void End() override;
    void Say(int row, int col, const std::string& text, int font, std::optional<int> width = {}) override;
    int GetTextWidth(const std::string& text, int font) override;
    int GetTextHeight(const std::string& text, int font) override;
    void Line(int top, int left, int bottom, int right, int pen) override;
    int nHorzRes() override { return printer_->nHorzRes(); }
    int nVertRes() override { return printer_->nVertRes(); }
    int nLogPixelX() override { return printer_->nLogPixelX(); }
    int nLogPixelY() override { return printer_->nLogPixelY(); }
    int penWidth(int pen) override;
    void FillRect(int top, int left, int bottom, int right, unsigned color) override;
    int GetOrientation() override { return printer_->GetOrientation(); }
    void SetLandscape() override { printer_->SetLandscape(); }
    std::unique_ptr<ReportProgress> progress() override;
    void SayImage(int row, int col, const std::string& image, int width, int height, int alpha) override {
        printer_->SayImage(row, col, image, width, height, SRCCOPY, false, alpha);
    }

    TPrinter* printer() const { return printer_.get(); }

private:
    const std::shared_ptr<TFont>& font(int n) const;
    std::unique_ptr<TPrinter> printer_;
    std::vector<std::shared_ptr<TFont>> fonts_;
    std::vector<std::unique_ptr<TPen>> pens_;
};

}  // namespace wl
