// The paged print's windows: the device question "Send to:" and the
// printing of listings (CTL394PRTC) and of an X12 file's segment dump
// (CTL394PRTA) through the printer object, to a file or to the clipboard.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "font.hpp"
#include "paged_print.hpp"
#include "printer.hpp"

namespace zr {

// Where printed pages go. Empty: the default printer with its preview.
// With a PDF file the pages are written there by the library's PDF writer
// instead of being previewed (the pictures script and the tests use it).
struct PrintTarget {
    std::string pdfFile;
    std::string printer;  // a printer by name; the default one when empty
};

// Prints laid-out pages as a job titled `job` (a preview, or the target's
// PDF) on a sheet of that orientation: `layout` lays them out on the
// printer's grid of the grid orientation (the sheet's by default). A
// printer whose resolution reads 0 prints nothing.
using PageLayout = std::function<std::vector<PrintedPage>(const PageGrid&)>;
void printLaidOutPages(const std::string& job, PrintOrientation orientation, const PrintTarget& target,
                       const PageLayout& layout, std::optional<PrintOrientation> gridOrientation = {});

// CTL394PRTR: the modal "Send to:" dialog; the chosen device.
PrintDevice CTL394PRTR();

// ZRPRNTLINE: the text one character at a time from x, x moving by step
// after each (fixed-pitch placement on forms).
void ZRPRNTLINE(wl::TPrinter& printer, int x, int y, int step, const std::string& text,
                const std::shared_ptr<wl::TFont>& font);

// CTL394PRTQ: the modal "Paste and Load X12 File" dialog: a multi-line
// field for pasted X12 text; "Continue" writes it to base name + ".tmp"
// and answers that name ("" when the dialog is left otherwise or the file
// cannot be written). Nothing calls it.
std::string CTL394PRTQ(const std::string& baseName);

// CTL394PRTC: asks for the device and prints the lines under the title.
void CTL394PRTC(const std::vector<std::string>& lines, const std::string& title,
                PrintOrientation orientation = PrintOrientation::Portrait, const PrintTarget& target = {});

// CTL394PRTA: asks for the device and prints the X12 file as a segment
// dump with the notes of the table's rows.
void CTL394PRTA(const std::string& fileName, const SegmentTable& table, const PrintTarget& target = {});

}  // namespace zr
