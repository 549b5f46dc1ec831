#include "paged_print_window.hpp"

#include <fstream>

#include "button.hpp"
#include "clip_board.hpp"
#include "dialog.hpp"
#include "message_windows.hpp"
#include "messages.hpp"
#include "multiget.hpp"
#include "print_commands.hpp"

namespace zr {

namespace {

// "B/W+*": blue on bright white.
constexpr wl::Color kSendToText = RGB(0, 0, 128), kSendToBack = RGB(255, 255, 255);

// The text font of the listing grid: a page 11 inches by 8 at the
// printer's resolution, 60 by 80 (portrait) or 90 by 120 characters.
std::shared_ptr<wl::TFont> listingFont(const wl::TPrinter& p, PrintOrientation orientation) {
    const int height = p.nLogPixelY() * 11, width = p.nLogPixelX() * 8;
    const bool landscape = orientation == PrintOrientation::Landscape;
    wl::FontSpec spec;
    spec.cFaceName = "Courier New";  // sizes in printer pixels (no device: not points)
    spec.nHeight = height / (landscape ? 90 : 60);
    spec.nWidth = width / (landscape ? 120 : 80);
    return wl::TFont::New(spec);
}

}  // namespace

void printLaidOutPages(const std::string& job, PrintOrientation orientation, const PrintTarget& target,
                       const PageLayout& layout, std::optional<PrintOrientation> gridOrientation) {
    const PrintOrientation gridOf = gridOrientation.value_or(orientation);
    const wl::PrinterChoice model =
        target.printer.empty() ? wl::PrinterChoice{} : wl::PrinterChoice{target.printer};
    wl::TPrinter* p = wl::PRINTBEGIN(job, false, target.pdfFile.empty(), model, false, false, target.pdfFile);
    if (!p || !p->hDC) {
        wl::PRINTEND();
        return;
    }
    if (orientation == PrintOrientation::Landscape)
        p->SetLandscape();
    else
        p->SetPortrait();
    const PageGrid grid = listingGrid(p->nLogPixelX(), p->nLogPixelY(), gridOf);
    // A printer whose resolution reads 0 ends the print with no output.
    if (!grid.usable()) {
        wl::PRINTEND();
        return;
    }
    const std::shared_ptr<wl::TFont> font = listingFont(*p, gridOf);
    for (const PrintedPage& page : layout(grid)) {
        wl::PAGEBEGIN();
        for (const PlacedText& item : page) p->Say(item.y, item.x, item.text, font);
        wl::PAGEEND();
    }
    wl::PRINTEND();
    font->End();
}

namespace {

// The destination of the file device; "" when the user gave none.
std::string destinationFile() {
    wl::FileDialogRequest r;
    r.title = "Destination File";
    r.save = true;
    r.initialFile = "x12data.txt";
    r.filter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
    return wl::CGETFILE(r);
}

void writeText(const std::string& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) wl::MSGALERT("Unable to write " + file);
}

// File or clipboard: the text goes there; the printer prints the pages.
void deliver(PrintDevice device, const std::string& file, const std::string& text,
             const std::function<void()>& printer) {
    switch (device) {
        case PrintDevice::Printer: printer(); break;
        case PrintDevice::File: writeText(file, text); break;
        case PrintDevice::Clipboard: wl::TClipBoard(CF_TEXT).SetText(text); break;
        default: break;
    }
}

// The device and, for the file device, its name. An empty file name is a
// cancel: nothing would be written.
PrintDevice askDevice(std::string& file) {
    PrintDevice device = CTL394PRTR();
    if (device == PrintDevice::File) {
        file = destinationFile();
        if (file.empty()) device = PrintDevice::Cancel;
    }
    return device;
}

}  // namespace

PrintDevice CTL394PRTR() {
    wl::TDialog dlg;
    wl::DialogNew d;
    d.lPixel = true;
    d.nBottom = 213;
    d.nRight = 266;
    d.cCaption = "Send to:";
    d.nClrText = kSendToText;
    d.nClrBack = kSendToBack;
    dlg.New(d);
    PrintDevice chosen = PrintDevice::None;
    struct Choice {
        int top;
        const char* caption;
        PrintDevice device;
    };
    const Choice choices[] = {{16, "Printer", PrintDevice::Printer},
                              {40, "File", PrintDevice::File},
                              {64, "Clipboard", PrintDevice::Clipboard},
                              {88, "Cancel", PrintDevice::Cancel}};
    std::vector<std::unique_ptr<wl::TButton>> buttons;
    for (const Choice& c : choices) {
        wl::ButtonNew n;
        n.lPixel = true;
        n.nRow = c.top;
        n.nCol = 19;
        n.nWidth = 64;
        n.nHeight = 20;  // the caption's font needs more than the 12 pixels of the design
        n.cCaption = c.caption;
        n.oWnd = &dlg;
        const PrintDevice device = c.device;
        n.bAction = [&chosen, &dlg, device](wl::TWindow&) {
            chosen = device;
            dlg.End(IDOK);
        };
        buttons.push_back(std::make_unique<wl::TButton>());
        buttons.back()->New(n);
    }
    wl::DialogActivate a;
    a.lCentered = true;
    dlg.Activate(a);
    return chosen;
}

std::string CTL394PRTQ(const std::string& baseName) {
    wl::TDialog dlg;
    wl::DialogNew d;
    d.lPixel = true;
    d.nBottom = 480;
    d.nRight = 640;
    d.cCaption = "Paste and Load X12 File";
    d.nClrText = kSendToText;
    d.nClrBack = kSendToBack;
    dlg.New(d);
    std::string text;
    wl::TMultiGet edit;
    wl::MultiGetNew m;
    m.lPixel = true;
    m.nRow = 10;
    m.nCol = 10;
    m.nWidth = 620;
    m.nHeight = 410;
    m.oWnd = &dlg;
    m.bSetGet = wl::bindTo(text);
    m.lHScroll = true;
    edit.New(m);
    const std::string file = baseName + ".tmp";
    std::string written;
    wl::TButton go;
    wl::ButtonNew b;
    b.lPixel = true;
    b.nRow = 430;
    b.nCol = 10;
    b.nWidth = 90;
    b.nHeight = 24;
    b.cCaption = "Continue";
    b.oWnd = &dlg;
    b.bAction = [&](wl::TWindow&) {
        if (edit.SaveToFile(file))
            written = file;
        else
            wl::MSGALERT("Unable to write " + file);
        dlg.End(IDOK);
    };
    go.New(b);
    wl::DialogActivate a;
    a.lCentered = true;
    dlg.Activate(a);
    return written;
}

void ZRPRNTLINE(wl::TPrinter& printer, int x, int y, int step, const std::string& text,
                const std::shared_ptr<wl::TFont>& font) {
    for (const char c : text) {
        printer.Say(y, x, std::string(1, c), font);
        x += step;
    }
}

void CTL394PRTC(const std::vector<std::string>& lines, const std::string& title, PrintOrientation orientation,
                const PrintTarget& target) {
    std::string file;
    const PrintDevice device = askDevice(file);
    if (device == PrintDevice::Cancel) return;
    if (blankListing(lines)) return;
    wl::MSGWAIT("Printing " + title + " ....", title, 2);
    const PrintStamp stamp = printStampNow();
    deliver(device, file, listingText(lines), [&] {
        printLaidOutPages("Preview " + title + ".", orientation, target,
                   [&](const PageGrid& grid) { return listingPages(lines, title, orientation, grid, stamp); });
    });
}

void CTL394PRTA(const std::string& fileName, const SegmentTable& table, const PrintTarget& target) {
    std::string file;
    const PrintDevice device = askDevice(file);
    if (device == PrintDevice::Cancel || device == PrintDevice::None) return;
    wl::MSGWAIT(std::string("Printing X12 File ...."), std::string("Print X12 File...."), 2);
    std::ifstream in(fileName, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string& terminator = table.delimiters().terminator;
    const std::vector<DumpLine> lines = dumpLines(bytes, terminator.empty() ? '~' : terminator.front(), table);
    const PrintStamp stamp = printStampNow();
    deliver(device, file, dumpText(lines), [&] {
        printLaidOutPages("Preview X12 File.", PrintOrientation::Portrait, target,
                   [&](const PageGrid& grid) { return dumpPages(lines, fileName, grid, stamp); });
    });
}

}  // namespace zr
