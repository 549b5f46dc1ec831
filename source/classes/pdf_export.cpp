#include "pdf_export.hpp"

#include <filesystem>

#include "bitmaps.hpp"
#include "file_bytes.hpp"
#include "file_names.hpp"
#include "jpeg_encoder.hpp"
#include "library_texts.hpp"
#include "messages.hpp"
#include "metafiles.hpp"
#include "pdf_writer.hpp"
#include "programs.hpp"

namespace wl {

namespace {

// A screen-compatible memory context with a bitmap selected, released in
// order when the object goes.
class PageCanvas {
public:
    PageCanvas(int width, int height) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_);
    }
    ~PageCanvas() {
        if (old_) SelectObject(dc_, old_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    PageCanvas(const PageCanvas&) = delete;
    PageCanvas& operator=(const PageCanvas&) = delete;
    bool ok() const { return old_ != nullptr; }
    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

std::string currentFolder() {
    std::error_code ec;
    return std::filesystem::current_path(ec).string();
}

}  // namespace

std::string EMF2JPEG(const std::string& cEmfFile) {
    EnhMetafile meta(GETENHMETAFILE(cEmfFile));
    if (!meta.h) return {};
    ENHMETAHEADER header{};
    if (!GetEnhMetaFileHeader(meta.h, sizeof header, &header)) return {};
    // The whole page (the picture frame, in hundredths of a millimetre) at
    // half the recording device's resolution. The drawing's bounds would
    // stretch a sparsely drawn page over the sheet.
    if (header.szlMillimeters.cx <= 0 || header.szlMillimeters.cy <= 0) return {};
    const double pixPerMmX = static_cast<double>(header.szlDevice.cx) / header.szlMillimeters.cx;
    const double pixPerMmY = static_cast<double>(header.szlDevice.cy) / header.szlMillimeters.cy;
    const int width = static_cast<int>((header.rclFrame.right - header.rclFrame.left) / 100.0 * pixPerMmX / 2);
    const int height = static_cast<int>((header.rclFrame.bottom - header.rclFrame.top) / 100.0 * pixPerMmY / 2);
    if (width <= 0 || height <= 0) return {};
    PageCanvas canvas(width, height);
    if (!canvas.ok()) return {};
    const RECT r{0, 0, width, height};
    ::FillRect(canvas.dc(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (!PlayEnhMetaFile(canvas.dc(), meta.h, &r)) return {};
    const std::optional<PixelImage> pixels = bitmapPixels(canvas.bitmap());
    return pixels ? encodeJpeg(*pixels) : std::string();
}

std::optional<std::string> WLSAVEPREVIEWTOPDF(TPrinter& printer, std::optional<std::string> cFile,
                                              std::optional<bool> lView, HWND owner) {
    if (!cFile) {
        FileDialogRequest request;
        request.filter = "PDF files | *.pdf |";
        request.title = "Select PDF File to Save";
        request.initialDir = currentFolder();
        request.save = true;
        request.initialFile = currentFolder() + "\\" + printer.cDocument + ".pdf";
        const std::string chosen = CGETFILE(request);
        if (chosen.empty()) return std::nullopt;
        cFile = chosen;
    }
    const std::string file = CFILESETEXT(*cFile, "pdf");
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    WLPDF pdf(file, printer.nHorzSize() > printer.nVertSize() ? "L" : "P");
    for (const std::string& page : printer.aMeta) pdf.AddMeta(page, EMF2JPEG);
    const bool written = pdf.Close();
    SetCursor(old ? old : LoadCursor(nullptr, IDC_ARROW));
    if (!written) {
        MSGSTOP(fileErrorText("PDF-Write", pdf.error()) + "\r\n" + file, std::string("Export to PDF"));
        return std::nullopt;
    }
    if (!lView) {
        lView = MSGYESNO(WLSTRING("\xBF") + " " + WLSTRING("View") + " " + file + " " + WLSTRING("(Y/N)") + " ?",
                         WLSTRING("Please select"));
    }
    if (*lView) SHELLEXECUTE(owner, "open", file);
    return file;
}

std::string WLJPGTOPDF(const std::vector<std::string>& aJpegFiles, const std::string& cPdf) {
    WLPDF pdf(cPdf, "P");
    for (const std::string& name : aJpegFiles) {
        const FileBytes bytes = readWholeFile(name);
        ++pdf.nPage;
        pdf.WritePage(bytes.ok() ? bytes.view() : std::string_view());
    }
    return pdf.Close() ? cPdf : std::string();
}

}  // namespace wl
