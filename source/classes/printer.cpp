#include "printer.hpp"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "bitmaps.hpp"
#include "drawing.hpp"
#include "file_names.hpp"
#include "image.hpp"
#include "message_loop.hpp"
#include "messages.hpp"
#include "metafiles.hpp"
#include "print_settings.hpp"
#include "print_units.hpp"
#include "system_facts.hpp"
#include "text.hpp"

namespace wl {

namespace {

std::string modelOfCurrent() { return PRNGETNAME() + "," + PRNGETDRIVE() + "," + PRNGETPORT(); }

// The folder of the page files: TEMP, else TMP (one trailing "\" off), else
// the Windows folder.
std::string metafileFolder() {
    for (const char* name : {"TEMP", "TMP"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        std::string dir = value;
        if (dir.back() == '\\') dir.pop_back();
        std::error_code ec;
        if (!dir.empty() && std::filesystem::is_directory(dir, ec)) return dir;
        break;
    }
    return GETWINDIR();
}

bool fileExists(const std::string& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec);
}

}  // namespace

TPrinter::TPrinter(PrinterOptions o) {
    if (o.lUser) {
        hDC = GETPRINTDC(GetActiveWindow(), o.lSelection, PRNGETPAGNUMS());
        if (hDC) o.cModel = modelOfCurrent();
    } else if (o.cModel.empty()) {
        hDC = GETPRINTDEFAULT(GetActiveWindow());
        if (hDC) o.cModel = modelOfCurrent();
    } else {
        // Another printer than the default: the default is switched for the
        // moment the device context is made, and put back on every path.
        DefaultPrinterSwitch use(o.cModel);
        SYSREFRESH();
        PRINTERINIT();
        hDC = GETPRINTDEFAULT(GetActiveWindow());
        SYSREFRESH();
    }
    if (hDC) {
        std::tie(nXOffset, nYOffset) = PRNOFFSET(hDC);
        nOrient = GetOrientation();
    } else if (COMDLGXERR() != 0) {
        MSGSTOP("There are no printers installed!\r\nPlease exit this application and install a printer.");
    } else {
        nOrient = 1;  // the dialog was cancelled
    }
    cDocument = o.cDocument;
    cModel = o.cModel;
    lPreview = o.lPreview;
    lPrvModal = o.lModal;
    const bool pdf = o.cFile.size() >= 3 && upper(o.cFile.substr(o.cFile.size() - 3)) == "PDF";
    if (pdf) cFile = o.cFile;
    lMeta = pdf || o.lPreview;
    if (!lMeta) {
        hDCOut = hDC;
    } else {
        cDir = metafileFolder();
    }
}

TPrinter::~TPrinter() { End(); }

void TPrinter::StartPage() {
    if (!hDC) return;
    if (!lMeta && !lStarted) {
        lStarted = true;
        STARTDOC(hDC, cDocument);
    }
    ++nPage;
    if (lMeta) {
        aMeta.push_back(cDir + CTEMPFILE("\\", "emf"));
        hDCOut = CREATEENHMETAFILE(hDC, aMeta.back(), cDocument);
    } else {
        STARTPAGE(hDC);
    }
}

void TPrinter::EndPage() {
    if (!hDC) return;
    if (!lMeta) {
        ENDPAGE(hDC);
        return;
    }
    if (aMeta.empty()) {
        MSGALERT("The temporal metafile could not be created", std::string("Printer object Error"));
        return;
    }
    if (hDCOut) DELETEENHMETAFILE(CLOSEENHMETAFILE(hDCOut));
    hDCOut = nullptr;
    if (!fileExists(aMeta.back()))
        MSGALERT("Could not create temporary file: " + aMeta.back() +
                     "\r\n\r\nPlease check your free space on your hard drive \r\nand the amount of files handles "
                     "available.",
                 std::string("Print preview error"));
}

void TPrinter::eraseMetafiles() {
    if (hDCOut && lMeta) DeleteEnhMetaFile(CloseEnhMetaFile(hDCOut));
    for (const std::string& f : aMeta) {
        std::error_code ec;
        std::filesystem::remove(f, ec);
    }
    aMeta.clear();
    hDCOut = nullptr;
}

void TPrinter::End() {
    if (hDC) {
        if (!lMeta && lStarted) ENDDOC(hDC);
        if (lMeta) eraseMetafiles();
        lStarted = false;
        if (nOrient) {
            if (*nOrient == 1) PRNPORTRAIT();
            else PRNLANDSCAPE();
        }
        PRINTEREND();
        DeleteDC(hDC);
        hDC = hDCOut = nullptr;
    }
    if (oFont) oFont->End();
    oFont.reset();
}

void TPrinter::Rebuild() {
    if (lStarted) {
        if (!lMeta) ENDDOC(hDC);
        else hDCOut = nullptr;
    }
    if (hDC) {
        DeleteDC(hDC);
        hDC = GETPRINTDEFAULT(GetActiveWindow());
        lStarted = false;
        lModified = true;
    }
    if (hDC && !lMeta) hDCOut = hDC;
}

DeviceMetrics TPrinter::metrics() const {
    return {nHorzRes(), nVertRes(), nHorzSize(), nVertSize(), nLogPixelX(), nLogPixelY(), nXOffset, nYOffset};
}

void TPrinter::Say(int nRow, int nCol, const std::string& cText, const std::shared_ptr<TFont>& font,
                   std::optional<int> nWidth, std::optional<Color> nClrText, int nBkMode, std::optional<int> pad) {
    if (!hDC || !hDCOut) return;
    const std::shared_ptr<TFont> f = font ? font : oFont;
    const int align = pad.value_or(nPad);
    if (f) f->Activate(hDCOut);
    SetBkMode(hDCOut, nBkMode);
    if (nClrText) SetTextColor(hDCOut, *nClrText);
    if (!nWidth) {
        SIZE size{};
        GetTextExtentPoint32A(hDCOut, cText.c_str(), static_cast<int>(cText.size()), &size);
        SetTextAlign(hDCOut, TA_LEFT | TA_TOP);
        TextOutA(hDCOut, sayColumn(nCol, size.cx, align), nRow, cText.c_str(), static_cast<int>(cText.size()));
    } else {
        // Without any font the clip height is that of the device's current font.
        TEXTMETRICA tm{};
        GetTextMetricsA(hDCOut, &tm);
        const int fontHeight = f ? std::abs(f->nHeight()) : tm.tmHeight;
        const RECT clip{nCol, nRow, nCol + *nWidth, nRow + static_cast<int>(fontHeight * 1.5)};
        int x = nCol;
        UINT ta = TA_LEFT | TA_TOP;
        if (align == 1) {
            x = nCol + *nWidth;
            ta = TA_RIGHT;
        } else if (align == 2) {
            x = nCol + *nWidth / 2;
            ta = TA_CENTER;
        }
        SetTextAlign(hDCOut, ta);
        ExtTextOutA(hDCOut, x, nRow, ETO_CLIPPED, &clip, cText.c_str(), static_cast<UINT>(cText.size()), nullptr);
        SetTextAlign(hDCOut, TA_LEFT | TA_TOP);
    }
    if (f) f->DeActivate(hDCOut);
}

void TPrinter::sayIn(PrintUnit unit, double nRow, double nCol, const std::string& cText,
                     const std::shared_ptr<TFont>& font, std::optional<double> nWidth, std::optional<Color> nClrText,
                     int nBkMode, std::optional<int> pad) {
    const DeviceMetrics d = metrics();
    const auto [row, col] = unitToPixels(d, unit, nRow, nCol);
    std::optional<int> width;
    if (nWidth) width = static_cast<int>(unitWidthToPixels(d, unit, *nWidth));
    Say(static_cast<int>(row), static_cast<int>(col), cText, font, width, nClrText, nBkMode, pad);
}

void TPrinter::CmSay(double r, double c, const std::string& t, const std::shared_ptr<TFont>& f,
                     std::optional<double> w, std::optional<Color> clr, int bk, std::optional<int> pad) {
    sayIn(PrintUnit::Centimetre, r, c, t, f, w, clr, bk, pad);
}
void TPrinter::MmSay(double r, double c, const std::string& t, const std::shared_ptr<TFont>& f,
                     std::optional<double> w, std::optional<Color> clr, int bk, std::optional<int> pad) {
    sayIn(PrintUnit::Millimetre, r, c, t, f, w, clr, bk, pad);
}
void TPrinter::InchSay(double r, double c, const std::string& t, const std::shared_ptr<TFont>& f,
                       std::optional<double> w, std::optional<Color> clr, int bk, std::optional<int> pad) {
    sayIn(PrintUnit::Inch, r, c, t, f, w, clr, bk, pad);
}

std::pair<double, double> TPrinter::Cmtr2Pix(double& nRow, double& nCol) const {
    std::tie(nRow, nCol) = unitToPixels(metrics(), PrintUnit::Centimetre, nRow, nCol);
    return {nRow, nCol};
}
std::pair<double, double> TPrinter::Mmtr2Pix(double& nRow, double& nCol) const {
    std::tie(nRow, nCol) = unitToPixels(metrics(), PrintUnit::Millimetre, nRow, nCol);
    return {nRow, nCol};
}
std::pair<double, double> TPrinter::Inch2Pix(double& nRow, double& nCol) const {
    std::tie(nRow, nCol) = unitToPixels(metrics(), PrintUnit::Inch, nRow, nCol);
    return {nRow, nCol};
}

std::vector<double> TPrinter::CmRect2Pix(const std::vector<double>& aRect) const {
    if (aRect.size() < 4) return {};
    double top = aRect[0], left = aRect[1], bottom = aRect[2], right = aRect[3];
    Cmtr2Pix(top, left);
    Cmtr2Pix(bottom, right);
    return {top, left, bottom, right};
}

std::pair<int, int> TPrinter::SizeInch2Pix(double nHeight, double nWidth) const {
    return sizeInchToPixels(metrics(), nHeight, nWidth);
}

std::pair<double, double> TPrinter::Pix2Cmtr(double x, double y) const {
    return pixelsToUnit(metrics(), PrintUnit::Centimetre, x, y);
}
std::pair<double, double> TPrinter::Pix2Mmtr(double x, double y) const {
    return pixelsToUnit(metrics(), PrintUnit::Millimetre, x, y);
}
std::pair<double, double> TPrinter::Pix2Inch(double x, double y) const {
    return pixelsToUnit(metrics(), PrintUnit::Inch, x, y);
}

template <class F>
void TPrinter::withPen(const TPen* oPen, F draw) {
    if (!hDCOut) return;
    HGDIOBJ old = oPen && oPen->hPen ? SelectObject(hDCOut, oPen->hPen) : nullptr;
    draw();
    if (old) SelectObject(hDCOut, old);
}

void TPrinter::Box(int t, int l, int b, int r, const TPen* oPen) {
    withPen(oPen, [&] { Rectangle(hDCOut, l, t, r, b); });
}

void TPrinter::Line(int t, int l, int b, int r, const TPen* oPen) {
    withPen(oPen, [&] {
        MoveToEx(hDCOut, l, t, nullptr);
        LineTo(hDCOut, r, b);
    });
}

void TPrinter::CmBox(double t, double l, double b, double r, const TPen* oPen) {
    Cmtr2Pix(t, l);
    Cmtr2Pix(b, r);
    Box(static_cast<int>(t), static_cast<int>(l), static_cast<int>(b), static_cast<int>(r), oPen);
}

void TPrinter::CmLine(double t, double l, double b, double r, const TPen* oPen) {
    Cmtr2Pix(t, l);
    Cmtr2Pix(b, r);
    Line(static_cast<int>(t), static_cast<int>(l), static_cast<int>(b), static_cast<int>(r), oPen);
}

void TPrinter::SetPos(int nRow, int nCol) {
    if (hDCOut) MoveToEx(hDCOut, nCol, nRow, nullptr);
}

void TPrinter::RoundBox(int t, int l, int b, int r, int w, int h, const TPen* oPen, std::optional<Color> brush) {
    if (!hDCOut) return;
    TPen black;
    const TPen* pen = oPen ? oPen : &black;
    HBRUSH hBrush = brush ? CreateSolidBrush(*brush) : nullptr;
    HGDIOBJ oldBrush = hBrush ? SelectObject(hDCOut, hBrush) : nullptr;
    withPen(pen, [&] { RoundRect(hDCOut, t, l, b, r, w, h); });
    if (oldBrush) SelectObject(hDCOut, oldBrush);
    if (hBrush) DeleteObject(hBrush);
}

void TPrinter::Arc(int t, int l, int b, int r, int x1, int y1, int x2, int y2, const TPen* oPen) {
    withPen(oPen, [&] { ::Arc(hDCOut, l, t, r, b, x1, y1, x2, y2); });
}

void TPrinter::Chord(int t, int l, int b, int r, int x1, int y1, int x2, int y2, const TPen* oPen) {
    withPen(oPen, [&] { ::Chord(hDCOut, l, t, r, b, x1, y1, x2, y2); });
}

void TPrinter::Ellipse(int t, int l, int b, int r, const TPen* oPen) {
    withPen(oPen, [&] { ::Ellipse(hDCOut, l, t, r, b); });
}

void TPrinter::Pie(int n1, int n2, int n3, int n4, int n5, int n6, int n7, int n8, const TPen* oPen) {
    withPen(oPen, [&] { ::Pie(hDCOut, n1, n2, n3, n4, n5, n6, n7, n8); });
}

void TPrinter::FillRect(const RECT& aRect, HBRUSH hBrush) {
    if (hDC && hDCOut) ::FillRect(hDCOut, &aRect, hBrush);
}

void TPrinter::DrawText(const std::string& cText, RECT aRect, UINT nFormat) {
    if (hDCOut) ::DrawTextA(hDCOut, cText.c_str(), static_cast<int>(cText.size()), &aRect, nFormat);
}

void TPrinter::SetPixel(int nRow, int nCol, std::optional<Color> nColor) {
    if (hDCOut) ::SetPixel(hDCOut, nCol, nRow, nColor.value_or(0));
}

Color TPrinter::GetPixel(int nRow, int nCol) const { return hDCOut ? ::GetPixel(hDCOut, nCol, nRow) : CLR_INVALID; }

void TPrinter::SayBitmap(int nRow, int nCol, const std::string& xBitmap, int nWidth, int nHeight, DWORD nRaster) {
    if (!hDC || !hDCOut) return;
    HGLOBAL dib = nullptr;
    if (fileExists(xBitmap)) {
        dib = DIBREAD(xBitmap);
    } else {
        const BitmapWithPalette loaded = PALBMPLOAD(xBitmap);
        if (loaded.bitmap) dib = DIBFROMBITMAP(loaded.bitmap, loaded.palette);
        if (loaded.bitmap) DeleteObject(loaded.bitmap);
        if (loaded.palette) DeleteObject(loaded.palette);
    }
    if (!dib) return;
    HPALETTE palette = lMeta ? nullptr : DIBPALETTE(dib);
    DIBDRAW(hDCOut, dib, palette, nRow, nCol, nWidth, nHeight, nRaster);
    if (palette) DeleteObject(palette);
    GlobalFree(dib);
}

void TPrinter::SayImage(int nRow, int nCol, const std::string& xImage, int nWidth, int nHeight, DWORD nRaster,
                        bool lStretch, int nAlpha, int nAlign) {
    if (!hDC || !hDCOut || xImage.empty()) return;
    int format = -1;
    HBITMAP image = fileExists(xImage) ? FILOADIMG(xImage, format) : FILOADFROMMEMORY(xImage, format);
    if (!image) return;
    BITMAP info{};
    GetObjectA(image, sizeof info, &info);
    const ImagePlacement at = placeImage(nRow, nCol, info.bmWidth, info.bmHeight, nWidth, nHeight, lStretch, nAlign);
    if (HASALPHA(image)) {
        if (HBITMAP sized = RESIZEBMP(image, at.width, at.height, true)) {
            ABPAINT(hDCOut, at.col, at.row, sized, nAlpha);
            DeleteObject(sized);
        }
    } else if (HGLOBAL dib = DIBFROMBITMAP(image)) {
        HPALETTE palette = lMeta ? nullptr : DIBPALETTE(dib);
        DIBDRAW(hDCOut, dib, palette, at.row, at.col, at.width, at.height, nRaster);
        if (palette) DeleteObject(palette);
        GlobalFree(dib);
    }
    DeleteObject(image);
}

void TPrinter::ImportWMF(const std::string& cFile) {
    if (!fileExists(cFile) || !hDCOut) return;
    const int saved = SaveDC(hDCOut);
    const bool emf = upper(cFile.size() >= 3 ? cFile.substr(cFile.size() - 3) : cFile) == "EMF";
    EnhMetafile meta(emf ? GETENHMETAFILE(cFile) : nullptr);
    if (!emf) {
        HMETAFILE wmf = GETPMETAFILE(cFile);
        if (wmf) {
            meta.h = WMF2EMF(wmf, hDCOut);
            DeleteMetaFile(wmf);
        }
    }
    SetMapMode(hDC, MM_ISOTROPIC);
    SetWindowExtEx(hDC, nHorzRes(), nVertRes(), nullptr);
    SetViewportExtEx(hDC, nHorzRes(), nVertRes(), nullptr);
    if (!lMeta) SetViewportOrgEx(hDCOut, -nXOffset, -nYOffset, nullptr);
    SetBkMode(hDCOut, TRANSPARENT);
    if (meta.h) {
        if (emf) {
            PLAYENHMETAFILE(hDCOut, meta.h, nullptr, true);
        } else if (HMETAFILE back = EMF2WMF(meta.h, hDCOut)) {
            PlayMetaFile(hDCOut, back);
            DeleteMetaFile(back);
        }
    }
    RestoreDC(hDCOut, saved);
}

void TPrinter::ImportRAW(const std::string& cFile) {
    if (fileExists(cFile) && hDCOut) IMPORTRAWFILE(hDCOut, cFile);
}

std::shared_ptr<TFont> TPrinter::SetFont(const std::shared_ptr<TFont>& font) {
    if (font) {
        oFont = font;
    } else if (!oFont) {
        FontSpec spec;
        spec.cFaceName = "COURIER";
        spec.nHeight = -12;
        spec.oDevice = hDC;
        oFont = TFont::New(spec);
    }
    return oFont;
}

int TPrinter::GetTextWidth(const std::string& cText, const std::shared_ptr<TFont>& font) {
    const std::shared_ptr<TFont> f = SetFont(font);
    if (!hDC) return 0;
    HGDIOBJ old = SelectObject(hDC, f->hFont);
    SIZE size{};
    GetTextExtentPoint32A(hDC, cText.c_str(), static_cast<int>(cText.size()), &size);
    SelectObject(hDC, old);
    return size.cx;
}

int TPrinter::GetTextHeight(const std::string&, const std::shared_ptr<TFont>& font) {
    return std::abs(SetFont(font)->nHeight());
}

double TPrinter::CmtrGetTextWidth(const std::string& cText, const std::shared_ptr<TFont>& font) {
    const int dpi = nLogPixelX();
    return dpi ? GetTextWidth(cText, font) * 25.4 / dpi / 10 : 0;
}

double TPrinter::CmtrTextToCenter(const std::string& cText, const std::shared_ptr<TFont>& font) {
    return (CmHorzPhySize() - CmtrGetTextWidth(cText, font)) / 2;
}

std::pair<double, double> TPrinter::GetPhySize() const {
    if (!hDC) return {0, 0};
    const auto [w, h] = PRNGETSIZE(hDC);
    const int dx = nLogPixelX(), dy = nLogPixelY();
    return {dx ? w * 25.4 / dx : 0, dy ? h * 25.4 / dy : 0};
}

void TPrinter::CharSay(int nRow, int nCol, const std::string& cText) {
    const int row = std::max(0, nRow - 1), col = std::max(0, nCol - 1);
    Say(row * GetTextHeight(cText), col * GetTextWidth("B"), cText);
}

int TPrinter::CharWidth() {
    const int w = GetTextWidth("B");
    return w ? nHorzRes() / w : 0;
}

int TPrinter::CharHeight() {
    const int h = GetTextHeight("B");
    return h ? nVertRes() / h : 0;
}

void TPrinter::SetWindowExt(int nX, int nY) {
    if (hDC) SetWindowExtEx(hDC, nX, nY, nullptr);
}

void TPrinter::SetViewPortExt(int nX, int nY) {
    if (hDC) SetViewportExtEx(hDC, nX, nY, nullptr);
}

bool TPrinter::ResetDC() { return hDC && RESETDC(hDC); }

int TPrinter::GetOrientation() const { return PRNGETORIENTATION(); }

void TPrinter::SetLandscape() {
    PRNLANDSCAPE();
    Rebuild();
}
void TPrinter::SetPortrait() {
    PRNPORTRAIT();
    Rebuild();
}
void TPrinter::SetCopies(int n) {
    PRNSETCOPIES(n);
    Rebuild();
}
void TPrinter::SetSize(int nWidth, int nHeight) {
    PRNSETSIZE(nWidth, nHeight);
    Rebuild();
}
void TPrinter::SetPage(int nPaper) {
    PRNSETPAGE(nPaper);
    Rebuild();
}
void TPrinter::SetBin(int nBin) {
    PRNBINSOURCE(nBin);
    Rebuild();
}
void TPrinter::DraftMode(bool lOn) {
    DRAFTMODE(lOn);
    Rebuild();
}

std::string TPrinter::GetModel() const { return PRNGETNAME(); }
std::string TPrinter::GetDriver() const { return PRNGETDRIVE(); }
std::string TPrinter::GetPort() const { return PRNGETPORT(); }

bool TPrinter::Setup() {
    HDC dc = PRINTERSETUP(GetActiveWindow());
    if (dc) DeleteDC(dc);
    Rebuild();
    return dc != nullptr;
}

}  // namespace wl
