// Printed pages to PDF: each page file recorded by a printer object in
// metafile mode is rendered to a picture, compressed to JPEG and written
// as one full-page image by the library's PDF writer.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "printer.hpp"

namespace wl {

// The JPEG bytes of the rendered page file at half the device's
// resolution, "" when it cannot be rendered.
std::string EMF2JPEG(const std::string& cEmfFile);

// Writes the printer's pages to cFile (the save dialog asks when none is
// given; the extension becomes "pdf"). lView unset asks whether to open the
// file, true opens it. The PDF's name, or nothing (no file chosen, or the
// file could not be written: then the user is told).
std::optional<std::string> WLSAVEPREVIEWTOPDF(TPrinter& printer, std::optional<std::string> cFile = {},
                                              std::optional<bool> lView = {}, HWND owner = nullptr);

// A portrait PDF with one page per JPEG file, in order; answers cPdf, ""
// when it could not be written.
std::string WLJPGTOPDF(const std::vector<std::string>& aJpegFiles, const std::string& cPdf);

}  // namespace wl
