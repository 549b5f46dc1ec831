// The print commands: one current printer object between PRINTBEGIN and
// PRINTEND, for the program's printing code.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "printer.hpp"

namespace wl {

// A printer chosen by position in the device list (from 1) or by name.
using PrinterChoice = std::variant<std::monostate, int, std::string>;

// Makes the printer object, keeps it as current and answers it. A model
// that picks no installed printer beeps and lets the print dialog decide.
TPrinter* PRINTBEGIN(const std::string& cDocument = "Report", bool lUser = false, bool lPreview = false,
                     const PrinterChoice& xModel = {}, bool lModal = false, bool lSelection = false,
                     const std::string& cFile = {});
void PAGEBEGIN();
void PAGEEND();
// Ends the job: a PDF job writes its file, a preview job opens the
// preview, a printed one ends the document. The current slot is emptied.
void PRINTEND();
// Ends a job as PRINTEND ends the current one: the PDF written, the
// preview opened or the document ended.
void EndPrintJob(std::unique_ptr<TPrinter> printer);
// The current printer, or none.
TPrinter* currentPrinter();

// The device name PRINTBEGIN picks from the list for a choice; "" for none.
std::string pickPrinter(const std::vector<std::string>& devices, const PrinterChoice& xModel);

}  // namespace wl
