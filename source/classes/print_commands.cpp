#include "print_commands.hpp"

#include <memory>

#include "message_loop.hpp"
#include "pdf_export.hpp"
#include "preview.hpp"
#include "print_settings.hpp"
#include "profile_files.hpp"
#include "text.hpp"
#include "process_state.hpp"

namespace wl {

namespace {

std::unique_ptr<TPrinter>& slot() {
    return processState().printer.get<std::unique_ptr<TPrinter>>();
}

}  // namespace

TPrinter* currentPrinter() { return slot().get(); }

std::string pickPrinter(const std::vector<std::string>& devices, const PrinterChoice& xModel) {
    if (const int* n = std::get_if<int>(&xModel)) {
        return *n >= 1 && *n <= static_cast<int>(devices.size()) ? devices[static_cast<std::size_t>(*n - 1)]
                                                                  : std::string();
    }
    const std::string* name = std::get_if<std::string>(&xModel);
    if (!name) return {};
    const std::string want = upper(*name);
    for (const std::string& d : devices)
        if (upper(d) == want) return d;
    for (const std::string& d : devices)
        if (upper(d).find(want) != std::string::npos) return d;
    return {};
}

TPrinter* PRINTBEGIN(const std::string& cDocument, bool lUser, bool lPreview, const PrinterChoice& xModel, bool lModal,
                     bool lSelection, const std::string& cFile) {
    PrinterOptions o{cDocument, lUser, lPreview, {}, lModal, lSelection, cFile};
    if (!std::holds_alternative<std::monostate>(xModel)) {
        const std::string picked = pickPrinter(AGETPRINTERS(), xModel);
        if (picked.empty()) {
            MSGBEEP();
            o.lUser = true;
        } else {
            o.lUser = false;
            o.cModel = picked + "," + GETPROFSTRING(std::string("Devices"), picked);
        }
    }
    // A job still current is ended first: one printer at a time.
    slot().reset();
    slot() = std::make_unique<TPrinter>(o);
    return slot().get();
}

void PAGEBEGIN() {
    if (slot()) slot()->StartPage();
}

void PAGEEND() {
    if (slot()) slot()->EndPage();
}

void PRINTEND() { EndPrintJob(std::move(slot())); }

void EndPrintJob(std::unique_ptr<TPrinter> printer) {
    if (!printer) return;
    if (printer->lMeta && !printer->cFile.empty()) {
        const std::string& f = printer->cFile;
        const bool pdfName = f.size() >= 4 && upper(f.substr(f.size() - 4)) == ".PDF";
        WLSAVEPREVIEWTOPDF(*printer, pdfName ? std::optional<std::string>(f) : std::nullopt,
                           printer->lPreview ? std::optional<bool>(true) : std::optional<bool>(false));
        printer->End();
    } else if (printer->lMeta && printer->canPreview()) {
        RPREVIEW(std::move(printer));
    } else {
        printer->End();
    }
}

}  // namespace wl
