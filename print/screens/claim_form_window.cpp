#include "claim_form_window.hpp"

#include <filesystem>

#include "bitmaps.hpp"
#include "button.hpp"
#include "dialog.hpp"
#include "get.hpp"
#include "image.hpp"
#include "message_windows.hpp"
#include "messages.hpp"
#include "print_commands.hpp"
#include "text.hpp"
#include "zr_ini.hpp"

namespace zr {

namespace {

std::string inFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    return (last == '\\' || last == '/') ? folder + name : folder + "\\" + name;
}

// The option letters of "zr.ini" in the folder over the path's start letters.
std::string formOptions(std::string_view start, const std::string& folder) {
    OptionFlagStrings strings = OptionFlagStrings::startUp();
    strings.cms1500 = std::string(start);
    const wl::Value v = ZRINI(6, "", strings, folder);
    return v.isText() ? v.text() : std::string(start);
}

std::shared_ptr<wl::TFont> formPrintFont(const wl::TPrinter& p, const std::string& options) {
    const FormFont f = formFont(options);
    wl::FontSpec spec;
    spec.cFaceName = f.face;
    spec.nHeight = -f.points;  // points: the device turns them into its pixels
    spec.oDevice = p.hDC;
    return wl::TFont::New(spec);
}

// Draws every form on a page of its own: the art first when switched on
// and present, then rows 1 to 61 character by character on the grid.
void drawForms(wl::TPrinter& p, const std::vector<FormRows>& forms, const FormConfig& config,
               const FormPlacement& at, const std::string& art, const std::string& options) {
    const std::shared_ptr<wl::TFont> font = formPrintFont(p, options);
    const bool withArt = config.art == "ON" && !art.empty() && std::filesystem::exists(art);
    for (const FormRows& form : forms) {
        wl::PAGEBEGIN();
        if (withArt)
            p.SayBitmap(0, 0, art, static_cast<int>(80 * at.columnWidth), static_cast<int>(62 * at.rowHeight));
        for (std::size_t r = 0; r < form.size(); ++r)
            ZRPRNTLINE(p, static_cast<int>(at.left), static_cast<int>(at.top + r * at.rowHeight),
                       static_cast<int>(at.columnWidth), form[r], font);
        wl::PAGEEND();
    }
    font->End();
}

wl::PrinterChoice printerOf(const PrintTarget& target) {
    return target.printer.empty() ? wl::PrinterChoice{} : wl::PrinterChoice{target.printer};
}

// Prints the forms to the job; false when the printer has no resolution.
bool printForms(const std::string& job, const std::string& pdfFile, const PrintTarget& target,
                const std::vector<FormRows>& forms, const FormConfig& config, const std::string& art,
                const std::string& options) {
    wl::TPrinter* p = wl::PRINTBEGIN(job, false, pdfFile.empty(), printerOf(target), false, false, pdfFile);
    const FormPlacement at = p && p->hDC ? formPlacement(p->nLogPixelX(), p->nLogPixelY(), config) : FormPlacement{};
    if (!at.usable()) {
        wl::PRINTEND();
        return false;
    }
    p->SetPortrait();
    drawForms(*p, forms, config, at, art, options);
    wl::PRINTEND();
    return true;
}

// What tells one form printer from another: its name in the messages, its
// art and its forms.
struct FormPrinter {
    std::string name;  // "CMS-1500", "CMS-1450"
    std::string artFile;
    std::function<std::vector<FormRows>()> forms;
};

// The printer path of every form: options, "form.cfg" and the art of the
// folder, the wait message, the job with its preview (or the target's PDF).
std::string printFormsWithPreview(const FormPrinter& form, const std::string& folder, const PrintTarget& target) {
    const std::string options = formOptions(kPrinterFormOptions, folder);
    const FormConfig config = readFormConfig(folder, "0212");
    const std::string art = inFolder(folder.empty() ? "." : folder, form.artFile);
    wl::MSGWAIT(form.name + " Printing/Preview", std::string(" Printing/Preview..."), 2);
    if (!printForms(" " + form.name + " Printing/Preview ", target.pdfFile, target, form.forms(), config, art,
                    options)) {
        wl::MSGALERT("Windows Printer Device OS Error");
        return "ERROR PLEN=0";
    }
    return "";
}

}  // namespace

std::string CTL394PRTI(const ClaimFields& fields, long long first, long long last, const std::string& folder,
                       const PrintTarget& target) {
    return printFormsWithPreview({"CMS-1500", "A1585.ZRX", [&] { return cms1500Range(fields, first, last); }},
                                 folder, target);
}

std::string CTL394PRTX(const ClaimFields& fields, long long first, long long last, const std::string& folder,
                       const PrintTarget& target) {
    return printFormsWithPreview(
        {"CMS-1500", "A1585.ZRX", [&] { return cms1500Range(fields, first, last, kOlderCms1500Layout); }}, folder,
        target);
}

std::string CTL394PRTW(const ClaimFields& fields, long long first, long long last, const std::string& folder,
                       const PrintTarget& target) {
    return printFormsWithPreview({"CMS-1450", "A1586.ZRX", [&] { return ubRange(fields, first, last); }}, folder,
                                 target);
}

namespace {

// FreeImage's number for TIFF.
constexpr int kTiffFormat = 18;

// A picture of one form: a 24-bit bitmap of the screen picture's size,
// a white sheet with the rows in black ("N/W+*").
class FormPicture {
public:
    FormPicture() {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = kFormPictureWidth;
        bi.bmiHeader.biHeight = kFormPictureHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    ~FormPicture() {
        if (bitmap_) DeleteObject(bitmap_);
    }
    FormPicture(const FormPicture&) = delete;
    FormPicture& operator=(const FormPicture&) = delete;
    HBITMAP bitmap() const { return bitmap_; }

    // Each character at its column, as ZRPRNTLINE places it on paper.
    void draw(const FormRows& form, const FormPlacement& at, const std::string& options) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ oldBitmap = SelectObject(dc, bitmap_);
        RECT sheet{0, 0, kFormPictureWidth, kFormPictureHeight};
        FillRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const FormFont f = formFont(options);
        wl::FontSpec spec;
        spec.cFaceName = f.face;
        spec.nHeight = -f.points;
        spec.oDevice = dc;  // points at the screen's pixels per inch
        const std::shared_ptr<wl::TFont> font = wl::TFont::New(spec);
        HGDIOBJ oldFont = SelectObject(dc, font->hFont);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        for (std::size_t r = 0; r < form.size(); ++r) {
            double x = at.left;
            const int y = static_cast<int>(at.top + r * at.rowHeight);
            for (const char c : form[r]) {
                TextOutA(dc, static_cast<int>(x), y, &c, 1);
                x += at.columnWidth;
            }
        }
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteDC(dc);
        font->End();
    }

    // The bitmap file, then its TIFF through the image library.
    void save(const std::string& stem, FormPictures& written) const {
        HGLOBAL dib = wl::DIBFROMBITMAP(bitmap_);
        const bool saved = dib && wl::DIBWRITE(stem + ".bmp", dib);
        if (dib) GlobalFree(dib);
        if (!saved) {
            wl::MSGALERT(stem + ".bmp could not be written");
            return;
        }
        written.bitmaps.push_back(stem + ".bmp");
        if (wl::FICONVERTIMAGEFILE(stem + ".bmp", stem + ".tif", kTiffFormat)) written.tiffs.push_back(stem + ".tif");
    }

private:
    HBITMAP bitmap_ = nullptr;
};

// The maximised window "test" showing the pictures one under the other,
// until the user closes it.
void showFormPictures(const std::vector<std::unique_ptr<FormPicture>>& pictures) {
    wl::TDialog dlg;
    wl::DialogNew d;
    d.lPixel = true;
    d.nBottom = kFormPictureHeight;
    d.nRight = kFormPictureWidth;
    d.cCaption = "test";
    d.nClrText = RGB(0, 0, 0);
    d.nClrBack = RGB(255, 255, 255);
    dlg.New(d);
    wl::DialogActivate a;
    a.bPainted = [&pictures](HDC dc, const PAINTSTRUCT*, wl::TWindow&) {
        // The first picture shows; the window holds one picture's area.
        if (!pictures.empty()) wl::DRAWBITMAP(dc, pictures.front()->bitmap(), 0, 0);
    };
    a.bInit = [](wl::TWindow& w) { ShowWindow(w.hWnd, SW_MAXIMIZE); };
    dlg.Activate(a);
}

}  // namespace

std::string CTL394PRTO(const ClaimFields& fields, long long first, long long last, const std::string& folder,
                       const ImageFormatQuestion& question, FormPictures* written,
                       const std::string& pictureFolder) {
    if (GetSystemMetrics(SM_CXSCREEN) < kFormPictureWidth || GetSystemMetrics(SM_CYSCREEN) < kFormPictureHeight) {
        wl::MSGALERT(
            "Minimum screen resolution required for process. Reqires 712 pixel width by 920 pixel height or greater");
        return "ERROR PLEN=0";
    }
    if (question && question().empty()) return "";
    const std::string options = formOptions(kPrinterFormOptions, folder);
    const FormPlacement at = formPlacementOnSheet(kFormPictureWidth, kFormPictureHeight, readFormConfig(folder));
    // One picture a form: drawn on one image the forms would cover each other.
    std::vector<std::unique_ptr<FormPicture>> pictures;
    FormPictures saved;
    for (const FormRows& form : cms1500Range(fields, first, last)) {
        pictures.push_back(std::make_unique<FormPicture>());
        pictures.back()->draw(form, at, options);
        pictures.back()->save(freshFormPictureName(pictureFolder), saved);
    }
    showFormPictures(pictures);
    if (written) *written = std::move(saved);
    return "";
}

void CTL394PRTV(const ClaimFields& fields, long long claimCount, const std::string& folder,
                const FormPrintQuestion& question, const PrintTarget& target) {
    if (question([] {}) == "A") CTL394PRTW(fields, 1, claimCount, folder, target);
}

std::string CTL394PRTM(const ClaimFields& fields, long long first, long long last, const std::string& folder,
                       const PrintTarget& target) {
    const std::string options = formOptions(kPrinterFormOptions, folder);
    const FormConfig config = readFormConfig(folder, "0805");
    const std::string art = inFolder(folder, config.revision == "1290" ? "A1249.ZRX" : "A1531.ZRX");
    const std::string pdf = target.pdfFile.empty() ? std::string("test.pdf") : target.pdfFile;
    std::error_code ec;
    std::filesystem::remove(pdf, ec);  // a file left from before is not this print
    const std::vector<FormRows> forms = cms1500Range(fields, first, last);
    // The pages are recorded through a printer's device context and written
    // by the library's PDF writer: no printer, no PDF.
    if (!printForms("CMS-1500", pdf, target, forms, config, art, options) || !std::filesystem::exists(pdf)) {
        wl::MSGALERT("PDF is not available: no printer to lay the pages out on.");
        return "";
    }
    wl::MSGINFO(std::filesystem::path(pdf).filename().string() + "  Created");
    return pdf;
}

std::string CTL394PRTK(const std::string& folder) {
    const std::string file = formConfigPath(folder);
    FormConfig config = readFormConfig(folder);
    std::string written = CTL394PRTL(file, config.vertical, config.horizontal, config.art, config.revision);
    std::string height = wl::padLeft(std::to_string(config.vertical), 3);
    std::string width = wl::padLeft(std::to_string(config.horizontal), 3);

    wl::TDialog dlg;
    wl::DialogNew d;
    d.lPixel = true;
    d.nBottom = 200;
    d.nRight = 420;
    d.cCaption = "Form Alignment Offset";
    d.nClrText = RGB(0, 0, 128);
    d.nClrBack = RGB(255, 255, 255);
    dlg.New(d);
    std::vector<std::unique_ptr<wl::TControl>> controls;
    auto label = [&](int row, int col, int w, const std::string& text) {
        wl::SayNew n;
        n.lPixel = true;
        n.nRow = row;
        n.nCol = col;
        n.nWidth = w;
        n.nHeight = 20;
        n.oWnd = &dlg;
        n.bText = [text] { return wl::Value(text); };
        auto s = std::make_unique<wl::TSay>();
        s->New(n);
        controls.push_back(std::move(s));
    };
    auto entry = [&](int row, std::string& value) {
        wl::GetNew g;
        g.lPixel = true;
        g.nRow = row;
        g.nCol = 200;
        g.nWidth = 50;
        g.nHeight = 22;
        g.oWnd = &dlg;
        g.bSetGet = wl::bindTo(value);
        auto e = std::make_unique<wl::TGet>();
        e->New(g);
        controls.push_back(std::move(e));
    };
    // Entered offsets that are not numbers move nothing.
    auto offset = [](const std::string& s) {
        try {
            return std::stoi(wl::alltrim(s));
        } catch (...) {
            return 0;
        }
    };
    auto writeAndClose = [&](const std::string& art) {
        written = CTL394PRTL(file, offset(height), offset(width), art, config.revision);
        dlg.End(IDOK);
    };
    auto button = [&](int row, int col, int w, const std::string& caption, std::function<void()> action) {
        wl::ButtonNew n;
        n.lPixel = true;
        n.nRow = row;
        n.nCol = col;
        n.nWidth = w;
        n.nHeight = 24;
        n.cCaption = caption;
        n.oWnd = &dlg;
        n.bAction = [action = std::move(action)](wl::TWindow&) { action(); };
        auto b = std::make_unique<wl::TButton>();
        b->New(n);
        controls.push_back(std::move(b));
    };
    label(16, 16, 180, "Height offset in pixels:");
    entry(14, height);
    label(46, 16, 180, " Width offset in pixels:");
    entry(44, width);
    button(14, 280, 110, "Continue", [&] { writeAndClose(config.art); });
    label(86, 16, 380,
          config.art == "ON" ? "Currently set to print with form" : "Currently set to print on perprinted forms");
    button(120, 16, 170, "Print Form", [&] { writeAndClose("ON"); });
    button(120, 200, 190, "Use Preprinted Forms", [&] { writeAndClose("OFF"); });
    wl::DialogActivate a;
    a.lCentered = true;
    dlg.Activate(a);
    return written;
}

void CTL394PRTP(const ClaimFields& fields, long long claimCount, const std::string& folder,
                const FormPrintQuestion& question, const PrintTarget& target) {
    const std::string answer = question([folder] { CTL394PRTK(folder); });
    if (answer == "A") CTL394PRTI(fields, 1, claimCount, folder, target);
}

}  // namespace zr
