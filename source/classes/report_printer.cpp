#include "report_printer.hpp"

#include <algorithm>

#include "pdf_export.hpp"
#include "preview.hpp"
#include "report_progress.hpp"

namespace wl {

ReportPrinter::ReportPrinter(std::unique_ptr<TPrinter> printer, std::vector<FontSpec> fonts, std::vector<int> penWidths)
    : printer_(std::move(printer)) {
    if (!ok()) return;
    const int dpiX = nLogPixelX(), dpiY = nLogPixelY();
    if (fonts.empty()) {
        FontSpec arial;
        arial.cFaceName = "ARIAL";
        arial.nHeight = -10;
        fonts.push_back(arial);
    }
    for (FontSpec spec : fonts) {
        spec.nWidth = spec.nWidth * dpiX / 72;
        spec.nHeight = spec.nHeight * dpiY / 72;
        spec.oDevice = nullptr;
        fonts_.push_back(TFont::New(spec));
    }
    if (penWidths.empty()) penWidths.push_back(1);
    for (int w : penWidths) pens_.push_back(std::make_unique<TPen>(PS_SOLID, std::max(1, w * dpiX / 72)));
}

ReportPrinter::~ReportPrinter() {
    for (auto& f : fonts_) f->End();
    if (printer_) printer_->End();
}

const std::shared_ptr<TFont>& ReportPrinter::font(int n) const {
    return fonts_[static_cast<std::size_t>(std::clamp(n, 1, static_cast<int>(fonts_.size())) - 1)];
}

void ReportPrinter::Say(int row, int col, const std::string& text, int n, std::optional<int> width) {
    printer_->Say(row, col, text, font(n), width, std::nullopt, TRANSPARENT, 0);
}

int ReportPrinter::GetTextWidth(const std::string& text, int n) {
    HDC dc = printer_->hDC;
    HGDIOBJ old = SelectObject(dc, font(n)->hFont);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    return size.cx;
}

int ReportPrinter::GetTextHeight(const std::string&, int n) { return std::abs(font(n)->nHeight()); }

void ReportPrinter::Line(int top, int left, int bottom, int right, int pen) {
    const TPen* p = pens_[static_cast<std::size_t>(std::clamp(pen, 1, static_cast<int>(pens_.size())) - 1)].get();
    printer_->Line(top, left, bottom, right, p);
}

int ReportPrinter::penWidth(int pen) {
    return pens_.empty() ? 1 : pens_[static_cast<std::size_t>(std::clamp(pen, 1, static_cast<int>(pens_.size())) - 1)]->nWidth;
}

void ReportPrinter::FillRect(int top, int left, int bottom, int right, unsigned color) {
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush) return;
    printer_->FillRect(RECT{left, top, right, bottom}, brush);
    DeleteObject(brush);
}

std::unique_ptr<ReportProgress> ReportPrinter::progress() { return std::make_unique<PrintingPageDialog>(); }

void ReportPrinter::End() {
    if (!printer_) return;
    for (auto& f : fonts_) f->End();
    fonts_.clear();
    if (printer_->lMeta && !printer_->cFile.empty()) {
        WLSAVEPREVIEWTOPDF(*printer_, printer_->cFile, false);
        printer_->End();
    } else if (printer_->canPreview()) {
        RPREVIEW(std::move(printer_));
    } else {
        printer_->End();
    }
    printer_.reset();
}

}  // namespace wl
